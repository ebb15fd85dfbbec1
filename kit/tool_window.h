// Base of every child window of the main window (tools and the task chooser).
// A tool window lists the menus that take the place of the main window's menus
// while it is the active child. unload() closes it and discards it; the next
// showing builds it afresh.
#pragma once

#include <QAction>
#include <QList>
#include <QWidget>

class QMenu;
class QAction;

namespace kv {

// Adds an item named objectName to a menu; a title "-" adds a separator carrying that name.
QAction* addNamedItem(QMenu* menu, const QString& title, const QString& objectName);

struct ToolEntry;

class ToolWindow : public QWidget {
    Q_OBJECT
public:
    // A tool's window: its objectName and title from its catalogue row.
    explicit ToolWindow(const ToolEntry& entry, QWidget* parent = nullptr);
    // Any other child window (the chooser): name is its objectName, caption its title.
    ToolWindow(const QString& name, const QString& caption, QWidget* parent = nullptr);

    // Menus for the menu bar while this window is active; empty for windows
    // without menus of their own (the main window's menus then show).
    const QList<QMenu*>& menus() const { return menus_; }

    // Closes the window (and its frame inside the main window) and deletes it.
    void unload();

    // Called once the window has been placed and shown inside the main window;
    // windows that centre themselves on the main window do it here.
    virtual void placed() {}

    // Whether the window has a fixed size (no maximize button, fixed border).
    bool isFixedSize() const { return fixedSize_; }
    // Whether the window opens maximized inside the main window.
    bool opensMaximized() const { return opensMaximized_; }

    // An item of the window's menus by its object name; null when there is none.
    QAction* menuItem(const QString& objectName) const;

    // Adds a menu to the window's own list (the shared menu builder uses these too).
    QMenu* addMenu(const QString& title, const QString& objectName);
    QAction* addItem(QMenu* menu, const QString& title, const QString& objectName);
    // An item that runs slot when chosen (a checkable item's slot may take the new state).
    template <class Slot> QAction* addCommand(QMenu* menu, const QString& title, const char* objectName, Slot slot)
    {
        QAction* item = addItem(menu, title, QString::fromLatin1(objectName));
        connect(item, &QAction::triggered, this, std::move(slot));
        return item;
    }
    QAction* addSeparator(QMenu* menu, const char* objectName)
    {
        return addItem(menu, QStringLiteral("-"), QString::fromLatin1(objectName));
    }

protected:
    void setFixedClientSize(int widthPx, int heightPx);
    void setOpensMaximized(bool on) { opensMaximized_ = on; }

private:
    QList<QMenu*> menus_;
    bool fixedSize_ = false;
    bool opensMaximized_ = false;
};

} // namespace kv
