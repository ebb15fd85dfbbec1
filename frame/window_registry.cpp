#include "frame/window_registry.h"

#include "frame/task_table.h"
#include "platform/ui/tool_window.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace kv {

namespace {

QHash<QString, WindowRegistry::Factory>& factories()
{
    static QHash<QString, WindowRegistry::Factory> f;
    return f;
}

// A tool that has not been built yet: an empty window with its caption.
ToolWindow* placeholderFor(const QString& name)
{
    for (const TaskEntry& t : taskTable) {
        if (name == QLatin1String(t.window)) {
            auto* w = new ToolWindow(name, QString::fromUtf8(t.windowCaption));
            w->resize(480, 360);
            return w;
        }
    }
    return nullptr;
}

} // namespace

WindowRegistry::WindowRegistry(QMdiArea* area) : area_(area) {}

void WindowRegistry::registerTool(const QString& name, Factory factory)
{
    factories().insert(name, std::move(factory));
}

ToolWindow* WindowRegistry::find(const QString& name) const
{
    return open_.value(name);
}

ToolWindow* WindowRegistry::show(const QString& name)
{
    if (ToolWindow* open = find(name)) {
        if (auto* sub = qobject_cast<QMdiSubWindow*>(open->parentWidget())) {
            sub->showNormal();
            if (open->opensMaximized())
                sub->showMaximized();
            area_->setActiveSubWindow(sub);
            sub->raise();
        }
        return open;
    }

    const auto f = factories().constFind(name);
    ToolWindow* w = f != factories().constEnd() ? (*f)() : placeholderFor(name);
    if (!w)
        return nullptr;

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
    return w;
}

} // namespace kv
