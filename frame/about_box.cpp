#include "frame/about_box.h"

#include "kit/centre_on_frame.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/frame_services.h"
#include "platform/ui/program_launcher.h"
#include "platform/ui/twips.h"

#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPushButton>
#include <cmath>
#include <memory>

namespace kv {

namespace {

// Where the settings store keeps the system-information program: the first
// value names the program itself, the second only its folder.
const char* const programKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const char* const programValue = "PATH";
const char* const folderKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
const char* const folderValue = "MSINFO";
const char* const programInFolder = "\\MSINFO32.EXE";

// Values longer than this are not read (the size of the reading buffer).
constexpr int valueBufferBytes = 1024;

void placeTwips(QWidget* w, int left, int top, int width, int height)
{
    w->setGeometry(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
}

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

// The box's picture, 129 x 167: folded strata in section under an equal-area
// net with one great circle, as a structural geologist would sketch them.
QImage aboutPicture()
{
    constexpr int width = 129;
    constexpr int height = 167;
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(236, 240, 244));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    // Strata: bands between folded surfaces, older (darker) at the bottom.
    const QColor bands[] = {QColor(214, 190, 140), QColor(170, 130, 90), QColor(200, 205, 170),
                            QColor(140, 110, 80), QColor(190, 160, 120)};
    const double top = 100;
    const double thickness = 15;
    auto surface = [&](int layer, double x) {
        return top + layer * thickness - 10 * std::cos((x - width / 2.0) / width * 2 * M_PI);
    };
    for (int layer = 0; layer < 5; ++layer) {
        QPainterPath band;
        band.moveTo(0, surface(layer, 0));
        for (int x = 1; x <= width; ++x)
            band.lineTo(x, surface(layer, x));
        for (int x = width; x >= 0; --x)
            band.lineTo(x, surface(layer + 1, x));
        band.closeSubpath();
        p.fillPath(band, bands[layer]);
        p.setPen(QPen(QColor(80, 60, 40), 1));
        p.drawPath(band);
    }

    // The net: primitive circle, north-south and east-west diameters, a great circle.
    const QPointF centre(width / 2.0, 52);
    const double radius = 34;
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(Qt::white);
    p.drawEllipse(centre, radius, radius);
    p.setPen(QPen(QColor(120, 120, 120), 1));
    p.drawLine(centre + QPointF(0, -radius), centre + QPointF(0, radius));
    p.drawLine(centre + QPointF(-radius, 0), centre + QPointF(radius, 0));
    p.setPen(QPen(QColor(180, 30, 30), 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(centre.x() - radius * 0.55, centre.y() - radius, radius * 1.1, radius * 2), 90 * 16, 180 * 16);
    p.setPen(QPen(Qt::black, 1));
    p.drawText(QRectF(centre.x() - 6, centre.y() - radius - 14, 12, 12), Qt::AlignCenter, QStringLiteral("N"));
    p.end();
    return image.convertToFormat(QImage::Format_RGB888);
}

QString textBeforeZero(const QByteArray& data)
{
    const int zero = data.indexOf('\0');
    return QString::fromUtf8(zero < 0 ? data : data.left(zero));
}

// A 32-bit number as "&h" and its hexadecimal digits, most significant byte
// first (the bytes are stored from the least significant one).
QString numberText(const QByteArray& data)
{
    QString digits;
    for (int i = data.size() - 1; i >= 0; --i)
        digits += QStringLiteral("%1").arg(static_cast<unsigned char>(data[i]), 2, 16, QLatin1Char('0')).toUpper();
    while (digits.size() > 1 && digits.startsWith(QLatin1Char('0')))
        digits.remove(0, 1);
    if (digits.isEmpty())
        digits = QStringLiteral("0");
    return QStringLiteral("&h") + digits;
}

} // namespace

About::About(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("About"));
    setWindowTitle(QStringLiteral("关于Kavrinol"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setWindowModality(Qt::ApplicationModal);
    setFixedSize(twipsToPixels(6630), twipsToPixels(3495));

    createPicture();
    createTexts();
    createSeparator();
    createButtons();
    centreOnFrame(this);
}

void About::createPicture()
{
    // The picture is shrunk into its frame, as the image control stretches it.
    auto* image = new QLabel(this);
    image->setObjectName(QStringLiteral("Image1"));
    image->setPixmap(QPixmap::fromImage(aboutPicture()));
    image->setScaledContents(true);
    placeTwips(image, 120, 120, 1580, 2055);
}

void About::createTexts()
{
    QLabel* title = makeLabel(this, QStringLiteral("lblTitle"), QStringLiteral("Kavrinol"));
    QFont titleFont = title->font();
    titleFont.setPointSizeF(13.5);
    titleFont.setBold(true);
    titleFont.setItalic(true);
    title->setFont(titleFont);
    placeTwips(title, 3000, 240, 2400, 405);

    QLabel* version = makeLabel(this, QStringLiteral("lblVersion"), QStringLiteral("——Version 1.0"));
    QFont versionFont = version->font();
    versionFont.setPointSizeF(9.75);
    versionFont.setItalic(true);
    version->setFont(versionFont);
    placeTwips(version, 3480, 720, 2400, 285);

    placeTwips(makeLabel(this, QStringLiteral("lblDescription"),
                         QStringLiteral("构造地质学工具软件包，适于Win 98/2000/XP")),
               2040, 1440, 4092, 255);
    placeTwips(makeLabel(this, QStringLiteral("Label1"), QStringLiteral("构造地质软件工作室  2004年")),
               2040, 1800, 4092, 255);

    QLabel* disclaimer = makeLabel(this, QStringLiteral("lblDisclaimer"),
                                   QStringLiteral("本软件免费提供，欢迎使用。\n"
                                                  "联系方式：构造地质软件工作室（见帮助文件）"));
    disclaimer->setWordWrap(true);
    placeTwips(disclaimer, 240, 2640, 4572, 468);
}

void About::createSeparator()
{
    // The etched line: a white line two pixels wide under a grey one a pixel wide.
    auto makeLine = [this](const QColor& colour, int widthPx) {
        auto* line = new QFrame(this);
        line->setObjectName(QStringLiteral("Line1"));
        line->setFrameShape(QFrame::NoFrame);
        line->setAutoFillBackground(true);
        QPalette pal = line->palette();
        pal.setColor(QPalette::Window, colour);
        line->setPalette(pal);
        line->setGeometry(twipsToPixels(120), twipsToPixels(2400), twipsToPixels(6600 - 120), widthPx);
        return line;
    };
    QFrame* grey = makeLine(QColor(128, 128, 128), 1);
    QFrame* white = makeLine(QColor(255, 255, 255), 2);
    grey->setProperty("index", 0);
    white->setProperty("index", 1);
    grey->raise();
}

void About::createButtons()
{
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    placeTwips(ok, 4980, 2508, 1452, 345);
    // Enter presses OK; Esc and the close box close the box as QDialog does.
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* sysInfo = new QPushButton(QStringLiteral("&System Info..."), this);
    sysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    placeTwips(sysInfo, 4980, 2952, 1452, 345);
    connect(sysInfo, &QPushButton::clicked, this, &About::StartSysInfo);
}

void About::StartSysInfo()
{
    ProgramLauncher& launcher = programLauncher();
    QString path;
    if (GetKeyValue(KeyRoot::LocalMachine, QString::fromLatin1(programKey), QString::fromLatin1(programValue),
                    path)) {
        // The program is named outright; if it will not start, the folder is not tried.
        if (launcher.start(path))
            return;
    } else if (GetKeyValue(KeyRoot::LocalMachine, QString::fromLatin1(folderKey),
                           QString::fromLatin1(folderValue), path)) {
        const QString program = path + QString::fromLatin1(programInFolder);
        if (launcher.fileExists(program) && launcher.start(program))
            return;
    }
    dialogs().message(this, QStringLiteral("System Information Is Unavailable At This Time"),
                      QStringLiteral("Kavrinol"));
}

bool About::GetKeyValue(KeyRoot root, const QString& keyPath, const QString& valueName, QString& output)
{
    const std::optional<KeyValue> value = keyValueSource().lookup(root, keyPath, valueName);
    if (!value || value->data.size() > valueBufferBytes) {
        output.clear();
        return false;
    }
    if (value->type == textValueType)
        output = textBeforeZero(value->data);
    else if (value->type == numberValueType)
        output = numberText(value->data);
    return true;
}

void showAboutBox()
{
    FrameServices* frame = mainFrame();
    const auto box = std::make_unique<About>(frame ? frame->window() : nullptr);
    dialogs().exec(box.get());
}

} // namespace kv
