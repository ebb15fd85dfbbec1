#include "frame/window_registry.h"

#include "kit/tool_catalogue.h"
#include "kit/tool_window.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace kv {

WindowRegistry::WindowRegistry(QMdiArea* area, const ToolCatalogue& tools) : area_(area), tools_(tools) {}

ToolWindow* WindowRegistry::find(const QString& name) const
{
    return open_.value(name);
}

ToolWindow* WindowRegistry::showTask(int task)
{
    const ToolEntry* entry = tools_.byTask(task);
    if (!entry)
        return nullptr;
    return show(entry->windowName(), [entry]() -> ToolWindow* {
        if (entry->build)
            return entry->build(*entry);
        // A tool that has not been built yet: an empty window with its caption.
        auto* standIn = new ToolWindow(*entry);
        standIn->resize(480, 360);
        return standIn;
    });
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
        sub->showNormal();
        if (open->opensMaximized())
            sub->showMaximized();
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

    if (w->isFixedSize())
        sub->adjustSize();
    else
        sub->resize(wanted.grownBy(sub->contentsMargins()));
    if (w->opensMaximized())
        sub->showMaximized();
    else
        sub->show();
    w->setFocus();
    w->placed();
}

} // namespace kv
