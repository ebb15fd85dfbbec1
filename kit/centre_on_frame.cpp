#include "kit/centre_on_frame.h"

#include "platform/ui/frame_services.h"

#include <QAbstractScrollArea>
#include <QMainWindow>
#include <QMdiSubWindow>
#include <QWidget>
#include <cmath>

namespace kv {

namespace {

int halfOf(int difference)
{
    return static_cast<int>(std::floor(difference / 2.0));
}

// The top-left corner of the main window's inner area on the screen: the area
// that holds the child windows, below the menu bar and above the status bar.
QPoint innerAreaOnScreen(FrameServices& frame)
{
    QWidget* main = frame.window();
    if (!main)
        return {};
    QWidget* inner = main;
    if (auto* mw = qobject_cast<QMainWindow*>(main); mw && mw->centralWidget()) {
        inner = mw->centralWidget();
        if (auto* area = qobject_cast<QAbstractScrollArea*>(inner))
            inner = area->viewport();
    }
    return inner->mapToGlobal(QPoint(0, 0));
}

} // namespace

QPoint centredPosition(const QSize& inner, const QSize& outer)
{
    return {halfOf(inner.width() - outer.width()), halfOf(inner.height() - outer.height())};
}

void centreOnFrame(QWidget* window)
{
    FrameServices* frame = mainFrame();
    if (!window || !frame)
        return;
    // A tool window sits in a frame of its own inside the main window: the
    // frame, with its title bar and border, is what gets centred.
    QWidget* outer = window;
    if (auto* sub = qobject_cast<QMdiSubWindow*>(window->parentWidget()))
        outer = sub;
    const QPoint position = centredPosition(frame->innerSize(), outer->frameGeometry().size());
    if (outer->isWindow())
        outer->move(innerAreaOnScreen(*frame) + position);
    else
        outer->move(position);
}

} // namespace kv
