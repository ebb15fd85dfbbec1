// Keeps each child window of the main window to one instance inside its child
// area. Showing a window that is not open builds it (its set-up runs); showing
// one that is open brings it to the front; closing discards it.
#pragma once

#include <QHash>
#include <QMetaObject>
#include <QPointer>
#include <QString>
#include <functional>

class QMdiArea;
class QMdiSubWindow;

namespace kv {

class ToolCatalogue;
class ToolWindow;

class WindowRegistry {
public:
    using Builder = std::function<ToolWindow*()>;

    WindowRegistry(QMdiArea* area, const ToolCatalogue& tools);
    ~WindowRegistry();
    WindowRegistry(const WindowRegistry&) = delete;
    WindowRegistry& operator=(const WindowRegistry&) = delete;

    const ToolCatalogue& tools() const { return tools_; }

    // Shows the window of a task of the catalogue.
    ToolWindow* showTask(int task);
    // Shows the child window of that name, built by `build` when it is not open.
    ToolWindow* show(const QString& name, const Builder& build);
    // The open window of that name, or null.
    ToolWindow* find(const QString& name) const;

private:
    ToolWindow* bringToFront(ToolWindow* open);
    void place(ToolWindow* w, const QString& name);
    // A sizable window that becomes active while another is maximized takes
    // its place maximized; a fixed-size window keeps its size and place.
    void followMaximized(QMdiSubWindow* active);

    QMdiArea* area_;
    const ToolCatalogue& tools_;
    QHash<QString, QPointer<ToolWindow>> open_;
    QMetaObject::Connection followingActivation_;
};

} // namespace kv
