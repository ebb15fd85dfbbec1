#include "fold/ui/true_thickness_window.h"

#include "fold/ui/true_thickness_illustration.h"
#include "kit/centre_on_frame.h"
#include "platform/text/text_file.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/twips.h"

#include <QFile>
#include <QApplication>
#include <QFocusEvent>
#include <QTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <functional>

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

// Runs a function once, posted, after the next mouse button release; it dies
// with its owner.
class AfterRelease : public QObject {
public:
    AfterRelease(QObject* owner, std::function<void()> run) : QObject(owner), run_(std::move(run))
    {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonRelease && run_) {
            // Posted, so the release reaches its receiver (a button's click) first.
            QTimer::singleShot(0, parent(), std::move(run_));
            run_ = nullptr;
            deleteLater();
        }
        return false;
    }

private:
    std::function<void()> run_;
};

// Runs the function now, or after the release when a mouse button is down.
void afterMouseRelease(QObject* owner, std::function<void()> run)
{
    if (QGuiApplication::mouseButtons() == Qt::NoButton)
        run();
    else
        new AfterRelease(owner, std::move(run));
}

} // namespace

TrueThicknessWindow::TrueThicknessWindow(const ToolEntry& entry, QWidget* parent) : ToolWindow(entry, parent)
{
    setFixedClientSize(twipsToPixels(kClientWidth), twipsToPixels(kClientHeight));
    // Made in the order the Tab key visits them: the two first buttons, the
    // boxes in number order (not in screen order), then "保存结果".
    addButton(0, "岩层真厚度", 3480);
    addButton(1, "退  出", 4680);
    addCaptionsAndBoxes();
    addButton(2, "保存结果", 4080);
    connectCommand(buttons_[0], &TrueThicknessWindow::calculate);
    connectCommand(buttons_[1], &TrueThicknessWindow::unload);
    connectCommand(buttons_[2], &TrueThicknessWindow::saveReport);

    auto* image = new QLabel(this);
    image->setObjectName(QStringLiteral("Image1"));
    image->setPixmap(trueThicknessIllustration());
    image->move(twipsRect(kImageLeft, kImageTop, 0, 0).topLeft());
    image->adjustSize();
}

void TrueThicknessWindow::placed()
{
    centreOnFrame(this);
}

void TrueThicknessWindow::addButton(int index, const char* caption, int topTwips)
{
    auto* button = new QPushButton(QString::fromUtf8(caption), this);
    button->setObjectName(QStringLiteral("Command%1").arg(index + 1));
    button->setGeometry(twipsRect(kButtonLeft, topTwips, kButtonWidth, kBoxHeight));
    buttons_[index] = button;
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

void TrueThicknessWindow::connectCommand(QPushButton* button, void (TrueThicknessWindow::*command)())
{
    connect(button, &QPushButton::clicked, this, [this, command] {
        // The button took the focus from a box whose value was refused: the
        // message comes instead of the command, which the user gives again.
        if (refusal_)
            return;
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

void TrueThicknessWindow::validate(QLineEdit* box)
{
    // A closing window checks nothing, and one refusal at a time: its message
    // box moving the focus must not check a box again.
    if (refusal_ || !isVisible())
        return;
    const auto at = std::find(boxes_.begin(), boxes_.begin() + 5, box);
    if (at == boxes_.begin() + 5)
        return;
    const std::optional<std::string> refusal
        = thicknessBoxRefusal(kChecks[at - boxes_.begin()], box->text().trimmed().toStdString());
    if (!refusal)
        return;
    refusal_ = Refusal{box, QString::fromStdString(*refusal)};
    afterMouseRelease(this, [this] { showRefusal(); });
}

void TrueThicknessWindow::showRefusal()
{
    // A window closed meanwhile says nothing more.
    if (!refusal_ || !isVisible()) {
        refusal_.reset();
        return;
    }
    dialogs().message(this, refusal_->message, title());
    if (refusal_->box)
        refusal_->box->clear();
    refusal_.reset();
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
