#include "frame/task_chooser.h"

#include "kit/centre_on_frame.h"
#include "frame/task_icons.h"
#include "kit/tool_catalogue.h"
#include "frame/window_registry.h"
#include "platform/ui/help_viewer.h"
#include "platform/ui/twips.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

namespace kv {

namespace {

constexpr int iconLeftTwips[] = {600, 2040, 3600};
constexpr int iconTopTwips[] = {240, 1200, 2160, 3120};
constexpr int captionWidthTwips = 1440;

QRect twipRect(int left, int top, int width, int height)
{
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
}

} // namespace

TaskChooser::TaskChooser(WindowRegistry& registry)
    : ToolWindow(name(), QStringLiteral("任务")), registry_(registry)
{
    setFixedClientSize(twipsToPixels(6390), twipsToPixels(4695));

    picture_ = new QWidget(this);
    picture_->setObjectName(QStringLiteral("Picture1"));
    picture_->setGeometry(twipRect(240, 240, 4692, 4212));
    picture_->setAutoFillBackground(true);
    QPalette pal = picture_->palette();
    pal.setColor(QPalette::Window, Qt::white);
    picture_->setPalette(pal);
    picture_->setMouseTracking(true);
    picture_->installEventFilter(this);

    const QCursor pointer(chooserPointer(), 1, 1);
    const std::vector<ToolEntry>& tasks = registry_.tools().entries();
    icons_.assign(tasks.size(), nullptr);
    for (const ToolEntry& t : tasks) {
        const int left = iconLeftTwips[t.column - 1];
        const int top = iconTopTwips[t.row - 1];
        auto* icon = new QLabel(picture_);
        icon->setObjectName(QStringLiteral("Image1_%1").arg(t.task));
        icon->setPixmap(taskIcon(t.icon));
        icon->setAlignment(Qt::AlignCenter);
        icon->setGeometry(twipRect(left, top, 480, 480).adjusted(-1, -1, 1, 1));
        icon->setCursor(pointer); // the custom pointer over the icons
        icon->installEventFilter(this);
        icons_[t.task] = icon;

        auto* caption = new QLabel(QString::fromUtf8(t.label), picture_);
        caption->setObjectName(QStringLiteral("Label%1").arg(t.task + 1));
        caption->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        caption->setGeometry(twipRect(left + 240 - captionWidthTwips / 2, top + 600, captionWidthTwips, 255));
    }

    auto* image2 = new QLabel(this);
    image2->setObjectName(QStringLiteral("Image2"));
    image2->setPixmap(chooserPointer());
    image2->hide();

    auto button = [this](const QString& name, const QString& text, int top) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(name);
        b->setGeometry(twipRect(5040, top, 1215, 375));
        return b;
    };
    connect(button(QStringLiteral("ok"), QStringLiteral("确  定"), 840), &QPushButton::clicked, this,
            &TaskChooser::okClick);
    connect(button(QStringLiteral("cancel"), QStringLiteral("取  消"), 1800), &QPushButton::clicked, this,
            &TaskChooser::cancelClick);
    connect(button(QStringLiteral("help"), QStringLiteral("帮  助"), 2760), &QPushButton::clicked, this,
            &TaskChooser::helpClick);

    formLoad();
}

void TaskChooser::formLoad()
{
    selectedTask_ = 0;
    for (int i = 0; i < taskCount(); ++i)
        setBorder(i, i == 0);
}

void TaskChooser::placed()
{
    centreOnFrame(this);
}

int TaskChooser::taskCount() const
{
    return static_cast<int>(icons_.size());
}

void TaskChooser::setBorder(int index, bool on)
{
    if (index < 0 || index >= taskCount() || !icons_[index])
        return;
    icons_[index]->setFrameStyle(on ? (QFrame::Box | QFrame::Plain) : QFrame::NoFrame);
    icons_[index]->setLineWidth(1);
}

void TaskChooser::image1Click(int index)
{
    for (int i = 0; i < taskCount(); ++i)
        setBorder(i, false);
    setBorder(index, true);
    selectedTask_ = index;
}

void TaskChooser::okClick()
{
    registry_.showTask(selectedTask_);
    unload();
}

void TaskChooser::cancelClick()
{
    unload();
}

void TaskChooser::helpClick()
{
    sendHelpKey();
}

bool TaskChooser::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* me = static_cast<QMouseEvent*>(event);
        for (int i = 0; i < taskCount(); ++i) {
            if (watched == icons_[i] && me->button() == Qt::LeftButton
                && icons_[i]->rect().contains(me->position().toPoint())) {
                image1Click(i);
                return true;
            }
        }
    }
    return ToolWindow::eventFilter(watched, event);
}

} // namespace kv
