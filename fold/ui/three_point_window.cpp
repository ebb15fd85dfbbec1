#include "fold/ui/three_point_window.h"

#include "kit/centre_on_frame.h"
#include "kit/plot_commands.h"
#include "platform/text/number_text.h"
#include "platform/text/text_file.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/twips.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace kv {

namespace {

// Twips.
constexpr int kClientWidth = 6615;
constexpr int kClientHeight = 3900;
constexpr int kColumnX[] = {1320, 2640, 3960};
constexpr int kRowY[] = {720, 1515, 2325};
constexpr int kBoxWidth = 975;
constexpr int kBoxHeight = 375;
constexpr int kCaptionLeft = 240;
constexpr int kCaptionTop = 300;
constexpr int kCaptionHeight = 300;
constexpr int kResultTop = 3120;
constexpr int kResultWidth = 3650;
constexpr int kButtonLeft = 5280;
constexpr int kButtonWidth = 1215;
constexpr int kButtonTop[] = {600, 1260, 1920, 2580, 3240};

constexpr double kCaptionPoints = 10.5;

QString title() { return QStringLiteral("提示"); }

std::string localPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

QLabel* addCaption(QWidget* window, const char* name, const char* text, const QRect& at, Qt::Alignment align)
{
    auto* label = new QLabel(QString::fromUtf8(text), window);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(at);
    label->setAlignment(align | Qt::AlignVCenter);
    QFont f = label->font();
    f.setPointSizeF(kCaptionPoints);
    label->setFont(f);
    return label;
}

} // namespace

ThreePointWindow::ThreePointWindow(const ToolEntry& entry, QWidget* parent) : ToolWindow(entry, parent)
{
    setFixedClientSize(twipsToPixels(kClientWidth), twipsToPixels(kClientHeight));
    // Made in the order the Tab key visits them: the five buttons, the nine
    // coordinates, then the result.
    addButtons();
    addCaptions();
    addBoxes();
}

void ThreePointWindow::placed()
{
    centreOnFrame(this);
}

void ThreePointWindow::addCaptions()
{
    const char* columns[] = {"X坐标", "Y坐标", "Z坐标"};
    for (int c = 0; c < 3; ++c)
        addCaption(this, ("Label" + std::to_string(5 + c)).c_str(), columns[c],
                   twipsRect(kColumnX[c], kCaptionTop, kBoxWidth, kCaptionHeight), Qt::AlignHCenter);
    const char* rows[] = {"第一点：", "第二点：", "第三点：", "产  状："};
    const int rowTops[] = {kRowY[0], kRowY[1], kRowY[2], kResultTop};
    for (int r = 0; r < 4; ++r)
        addCaption(this, ("Label" + std::to_string(1 + r)).c_str(), rows[r],
                   twipsRect(kCaptionLeft, rowTops[r], kColumnX[0] - kCaptionLeft, kBoxHeight), Qt::AlignLeft);
}

void ThreePointWindow::addBoxes()
{
    for (int k = 0; k < 9; ++k) {
        auto* box = new QLineEdit(this);
        box->setObjectName(QStringLiteral("Text%1").arg(k + 1));
        box->setGeometry(twipsRect(kColumnX[k % 3], kRowY[k / 3], kBoxWidth, kBoxHeight));
        connect(box, &QLineEdit::textChanged, this, [this, k](const QString& text) { coordinateEdited(k, text); });
        coordinateBoxes_[k] = box;
    }
    result_ = new QLineEdit(this);
    result_->setObjectName(QStringLiteral("Text10"));
    result_->setGeometry(twipsRect(kColumnX[0], kResultTop, kResultWidth, kBoxHeight));
    result_->setReadOnly(true);
}

void ThreePointWindow::addButtons()
{
    const struct {
        const char* caption;
        void (ThreePointWindow::*run)();
    } commands[] = {
        {"打开", &ThreePointWindow::openFile},   {"保存", &ThreePointWindow::saveFile},
        {"计算", &ThreePointWindow::calculate}, {"帮助", nullptr},
        {"退出", nullptr},
    };
    for (int i = 0; i < 5; ++i) {
        auto* button = new QPushButton(QString::fromUtf8(commands[i].caption), this);
        button->setObjectName(QStringLiteral("Command%1").arg(i + 1));
        button->setGeometry(twipsRect(kButtonLeft, kButtonTop[i], kButtonWidth, kBoxHeight));
        buttons_[i] = button;
        if (commands[i].run)
            connect(button, &QPushButton::clicked, this, commands[i].run);
    }
    connect(buttons_[3], &QPushButton::clicked, this, [] { showToolHelp(); });
    connect(buttons_[4], &QPushButton::clicked, this, [this] { unload(); });
}

void ThreePointWindow::coordinateEdited(int box, const QString& text)
{
    coords_[box / 3][box % 3] = leadingNumber(text.toStdString());
}

void ThreePointWindow::calculate()
{
    const std::optional<PlaneThroughPoints> plane = planeThroughPoints(coords_);
    if (!plane) {
        dialogs().message(this, QString::fromUtf8(kThreePointFaultMessage), title());
        return;
    }
    result_->setText(QString::fromStdString(threePointResultText(*plane)));
}

void ThreePointWindow::openFile()
{
    const QString path = dialogs().openFileName(
        this, QStringLiteral("数据文件（*.txt;*.dat）|*.txt;*.dat|所有文件（*.*）|*.*"));
    if (path.isEmpty())
        return;
    const TextReadResult text = readTextFile(localPath(path));
    const std::optional<CoordinateFileRead> read
        = text.error == FileError::None ? parseCoordinateFile(text.text) : std::nullopt;
    if (!read) {
        dialogs().message(this, QString::fromUtf8(kCoordinateFileFaultMessage), title());
        return;
    }
    for (int k = 0; k < 9; ++k)
        coordinateBoxes_[k]->setText(QString::fromStdString(read->boxTexts[k]));
}

void ThreePointWindow::saveFile()
{
    const QString path = dialogs().saveFileName(this, QStringLiteral("数据文件(*.txt)|*.txt|所有文件(*.*)|*.*"));
    if (path.isEmpty())
        return;
    const std::vector<std::string> lines = coordinateFileLines(coords_, result_->text().toStdString());
    if (writeTextFile(localPath(path), lines) != FileError::None)
        dialogs().message(this, QString::fromUtf8(kFileNotSavedMessage), title());
}

} // namespace kv
