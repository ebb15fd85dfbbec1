#include "kit/tool_window.h"

#include "kit/tool_catalogue.h"

#include <QAction>
#include <QMdiSubWindow>
#include <QMenu>

namespace kv {

ToolWindow::ToolWindow(const ToolEntry& entry, QWidget* parent)
    : ToolWindow(entry.windowName(), entry.windowCaption(), parent)
{
}

ToolWindow::ToolWindow(const QString& name, const QString& caption, QWidget* parent)
    : QWidget(parent)
{
    setObjectName(name);
    setWindowTitle(caption);
    setAttribute(Qt::WA_DeleteOnClose);
}

void ToolWindow::unload()
{
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) {
        sub->setAttribute(Qt::WA_DeleteOnClose);
        sub->close();
    } else {
        close();
    }
}

QMenu* ToolWindow::addMenu(const QString& title, const QString& objectName)
{
    auto* menu = new QMenu(title, this);
    menu->setObjectName(objectName);
    menus_ << menu;
    return menu;
}

QAction* ToolWindow::menuItem(const QString& objectName) const
{
    for (QMenu* menu : menus_)
        for (QAction* action : menu->actions())
            if (action->objectName() == objectName)
                return action;
    return nullptr;
}

QAction* addNamedItem(QMenu* menu, const QString& title, const QString& objectName)
{
    QAction* action = title == QLatin1String("-") ? menu->addSeparator() : menu->addAction(title);
    action->setObjectName(objectName);
    return action;
}

QAction* ToolWindow::addItem(QMenu* menu, const QString& title, const QString& objectName)
{
    return addNamedItem(menu, title, objectName);
}

void ToolWindow::setFixedClientSize(int widthPx, int heightPx)
{
    fixedSize_ = true;
    setFixedSize(widthPx, heightPx);
}

} // namespace kv
