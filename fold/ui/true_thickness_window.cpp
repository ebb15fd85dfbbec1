#include "fold/ui/true_thickness_window.h"

#include "fold/ui/true_thickness_illustration.h"
#include "kit/centre_on_frame.h"
#include "platform/text/text_file.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/twips.h"

#include <QFile>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <iterator>

namespace kv {

namespace {

// Twips.
constexpr int kClientWidth = 6615;
constexpr int kClientHeight = 5265;
constexpr int kCaptionLeft = 240;
constexpr int kBoxLeft = 1320;
constexpr int kBoxWidth = 1575;
constexpr int kBoxHeight = 375;
constexpr int kImageLeft = 3120;
constexpr int kImageTop = 120;
constexpr int kButtonLeft = 3840;
constexpr int kButtonWidth = 1335;

// The boxes by number (Text1..Text6), with their captions and places.
struct BoxPlace {
    const char* caption;
    int top;
};
constexpr BoxPlace kBoxes[] = {
    {"岩层倾角：", 240},  {"岩层倾向：", 1872}, {"测线倾角：", 1056},
    {"测线倾向：", 2688}, {"测线斜距：", 3504}, {"岩层厚度：", 4320},
};
// The checked boxes, Text1..Text5.
constexpr ThicknessBox kChecks[] = {ThicknessBox::StratumDip, ThicknessBox::StratumDipDirection,
                                    ThicknessBox::TraverseInclination, ThicknessBox::TraverseDirection,
                                    ThicknessBox::SlopeDistance};

QString title() { return QStringLiteral("提示"); }

std::string localPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

} // namespace

TrueThicknessWindow::TrueThicknessWindow(const ToolEntry& entry, QWidget* parent) : ToolWindow(entry, parent)
{
    setFixedClientSize(twipsToPixels(kClientWidth), twipsToPixels(kClientHeight));
    addCaptionsAndBoxes();
    auto* image = new QLabel(this);
    image->setObjectName(QStringLiteral("Image1"));
    image->setPixmap(trueThicknessIllustration());
    image->move(twipsRect(kImageLeft, kImageTop, 0, 0).topLeft());
    image->adjustSize();
    addButtons();
    // Tab: the two first buttons, the boxes in number order, then "保存结果".
    QWidget* order[] = {buttons_[0], buttons_[1], boxes_[0], boxes_[1], boxes_[2],
                        boxes_[3],   boxes_[4],   boxes_[5], buttons_[2]};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void TrueThicknessWindow::placed()
{
    centreOnFrame(this);
}

void TrueThicknessWindow::addCaptionsAndBoxes()
{
    for (int i = 0; i < 6; ++i) {
        const QRect row = twipsRect(kBoxLeft, kBoxes[i].top, kBoxWidth, kBoxHeight);
        auto* caption = new QLabel(QString::fromUtf8(kBoxes[i].caption), this);
        caption->setObjectName(QStringLiteral("Label1_%1").arg(i));
        caption->setGeometry(twipsToPixels(kCaptionLeft), row.top(), row.left() - twipsToPixels(kCaptionLeft),
                             row.height());
        caption->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        auto* box = new QLineEdit(this);
        box->setObjectName(QStringLiteral("Text%1").arg(i + 1));
        box->setGeometry(row);
        if (i < 5)
            box->installEventFilter(this);
        boxes_[i] = box;
    }
    boxes_[5]->setReadOnly(true);
}

void TrueThicknessWindow::addButtons()
{
    const struct {
        const char* caption;
        int top;
    } buttons[] = {{"岩层真厚度", 3480}, {"退  出", 4680}, {"保存结果", 4080}};
    for (int i = 0; i < 3; ++i) {
        auto* button = new QPushButton(QString::fromUtf8(buttons[i].caption), this);
        button->setObjectName(QStringLiteral("Command%1").arg(i + 1));
        button->setGeometry(twipsRect(kButtonLeft, buttons[i].top, kButtonWidth, kBoxHeight));
        // A click leaves the focus in the box, so the box's check runs here,
        // before the command, and a message never opens between the button's
        // press and its release.
        button->setFocusPolicy(Qt::TabFocus);
        buttons_[i] = button;
    }
    connectCommand(buttons_[0], &TrueThicknessWindow::calculate);
    connectCommand(buttons_[1], &TrueThicknessWindow::unload);
    connectCommand(buttons_[2], &TrueThicknessWindow::saveReport);
}

void TrueThicknessWindow::connectCommand(QPushButton* button, void (TrueThicknessWindow::*command)())
{
    connect(button, &QPushButton::clicked, this, [this, button, command] {
        // As when the button takes the focus: the box being left is checked
        // first, and a refused value stops the command.
        if (auto* box = qobject_cast<QLineEdit*>(focusWidget()); box && !validate(box))
            return;
        button->setFocus(Qt::MouseFocusReason);
        (this->*command)();
    });
}

bool TrueThicknessWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        // Another window taking the focus (a message box among them) leaves the box unchecked.
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            validate(static_cast<QLineEdit*>(watched));
    }
    return ToolWindow::eventFilter(watched, event);
}

bool TrueThicknessWindow::validate(QLineEdit* box)
{
    // A closing window checks nothing; a check under way is not entered again
    // while its message box moves the focus.
    if (validating_ || !isVisible())
        return true;
    const auto at = std::find(boxes_.begin(), boxes_.begin() + 5, box);
    if (at == boxes_.begin() + 5)
        return true;
    const std::optional<std::string> refusal
        = thicknessBoxRefusal(kChecks[at - boxes_.begin()], box->text().trimmed().toStdString());
    if (!refusal)
        return true;
    validating_ = true;
    dialogs().message(this, QString::fromStdString(*refusal), title());
    box->clear();
    validating_ = false;
    return false;
}

ThicknessBoxTexts TrueThicknessWindow::boxTexts() const
{
    auto text = [this](int i) { return boxes_[i]->text().toStdString(); };
    return {text(0), text(1), text(2), text(3), text(4), text(5)};
}

void TrueThicknessWindow::calculate()
{
    const std::optional<float> thickness = trueThickness(traverseOfTexts(boxTexts()));
    // The boxes' checks keep every value within single precision, and the
    // thickness never exceeds the distance; this only guards the result box.
    if (!thickness) {
        dialogs().message(this, QStringLiteral("数据有误，请检查！"), title());
        return;
    }
    boxes_[5]->setText(QString::fromStdString(thicknessText(*thickness)));
}

void TrueThicknessWindow::saveReport()
{
    const QString path = dialogs().saveFileName(this, QStringLiteral("数据文件(*.txt)|*.txt|所有文件|*.*"));
    if (path.isEmpty())
        return;
    if (writeTextFile(localPath(path), thicknessReportLines(boxTexts())) != FileError::None)
        dialogs().message(this, QString::fromUtf8(kReportNotSavedMessage), title());
}

} // namespace kv
