#include "frame/window_registry.h"

#include "kit/tool_catalogue.h"
#include "kit/tool_window.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <algorithm>

namespace kv {

namespace {

// One step of the cascade: about a title bar's height.
constexpr int kCascadeStepPx = 24;

// Where the k-th open window of that size goes in an area: down and right of
// the one before, back to the top-left corner when the next step would not fit.
QPoint cascadePosition(const QSize& area, const QSize& window, int k)
{
    const int room = std::min(area.width() - window.width(), area.height() - window.height());
    const int steps = std::max(room, 0) / kCascadeStepPx + 1;
    const int at = (k % steps) * kCascadeStepPx;
    return {at, at};
}

bool isFixedSize(const QMdiSubWindow* sub)
{
    const auto* tool = qobject_cast<const ToolWindow*>(sub->widget());
    return tool && tool->isFixedSize();
}

} // namespace

WindowRegistry::WindowRegistry(QMdiArea* area, const ToolCatalogue& tools) : area_(area), tools_(tools)
{
    // The area by itself maximizes every window that becomes active while the
    // active one is maximized, fixed-size ones too (they would then fill the
    // area with no button to restore them). The registry keeps that rule for
    // the sizable windows only.
    area_->setOption(QMdiArea::DontMaximizeSubWindowOnActivation);
    followingActivation_ = QObject::connect(area_, &QMdiArea::subWindowActivated, area_,
                                            [this](QMdiSubWindow* active) { followMaximized(active); });
}

// The area may outlive the registry by a moment (it reports activations while
// it is torn down): it stops calling the registry first.
WindowRegistry::~WindowRegistry()
{
    QObject::disconnect(followingActivation_);
}

void WindowRegistry::followMaximized(QMdiSubWindow* active)
{
    if (!active || active->isMaximized() || isFixedSize(active))
        return;
    for (QMdiSubWindow* sub : area_->subWindowList()) {
        if (sub != active && sub->isVisible() && sub->isMaximized()) {
            sub->showNormal();
            active->showMaximized();
            return;
        }
    }
}

ToolWindow* WindowRegistry::find(const QString& name) const
{
    return open_.value(name);
}

ToolWindow* WindowRegistry::showTask(int task)
{
    const ToolEntry* entry = tools_.byTask(task);
    if (!entry)
        return nullptr;
    if (!entry->build)
        return nullptr;
    return show(entry->windowName(), [entry] { return entry->build(*entry); });
}

ToolWindow* WindowRegistry::show(const QString& name, const Builder& build)
{
    if (ToolWindow* open = find(name))
        return bringToFront(open);
    ToolWindow* w = build ? build() : nullptr;
    if (!w)
        return nullptr;
    place(w, name);
    return w;
}

ToolWindow* WindowRegistry::bringToFront(ToolWindow* open)
{
    if (auto* sub = qobject_cast<QMdiSubWindow*>(open->parentWidget())) {
        // A maximized window stays maximized; only a minimized one is restored.
        if (sub->isMinimized()) {
            if (open->opensMaximized())
                sub->showMaximized();
            else
                sub->showNormal();
        }
        area_->setActiveSubWindow(sub);
        sub->raise();
    }
    return open;
}

void WindowRegistry::place(ToolWindow* w, const QString& name)
{
    // The size the window asked for before it goes into its frame.
    const QSize wanted = w->size();
    Qt::WindowFlags flags = Qt::SubWindow;
    if (w->isFixedSize())
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
    QMdiSubWindow* sub = area_->addSubWindow(w, flags);
    sub->setObjectName(name + QStringLiteral("_frame"));
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowIcon(w->windowIcon());
    // When the tool closes itself, its frame goes with it.
    QObject::connect(w, &QObject::destroyed, sub, [sub] { sub->close(); });
    open_.insert(name, w);

    const int alreadyOpen = static_cast<int>(area_->subWindowList().size()) - 1;
    if (w->isFixedSize()) {
        sub->adjustSize();
    } else {
        // Wholly inside the child area: a window larger than the area shrinks to it.
        const QSize areaSize = area_->viewport()->size();
        QSize size = wanted.grownBy(sub->contentsMargins());
        if (!areaSize.isEmpty())
            size = size.boundedTo(areaSize);
        sub->resize(size);
    }
    sub->move(cascadePosition(area_->viewport()->size(), sub->size(), alreadyOpen));
    if (w->opensMaximized())
        sub->showMaximized();
    else
        sub->show();
    w->setFocus();
    w->placed();
}

} // namespace kv
