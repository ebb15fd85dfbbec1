// Keeps each tool window to one instance inside the main window's child area.
// Showing a window that is not open builds it (its set-up runs); showing one that
// is open brings it to the front; closing discards it.
#pragma once

#include <QHash>
#include <QPointer>
#include <QString>
#include <functional>

class QMdiArea;

namespace kv {

class ToolWindow;

class WindowRegistry {
public:
    using Factory = std::function<ToolWindow*()>;

    explicit WindowRegistry(QMdiArea* area);

    // Registers how a tool window is built. Windows of the task table without a
    // factory open as an empty window with their caption.
    static void registerTool(const QString& name, Factory factory);

    // Shows the window: builds it when it is not open, else brings it to the front.
    ToolWindow* show(const QString& name);
    // The open window of that name, or null.
    ToolWindow* find(const QString& name) const;

private:
    QMdiArea* area_;
    QHash<QString, QPointer<ToolWindow>> open_;
};

} // namespace kv
