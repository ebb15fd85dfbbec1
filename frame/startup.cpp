#include "frame/startup.h"

#include "frame/main_window.h"
#include "frame/splash.h"
#include "platform/text/number_text.h"
#include "platform/ui/clock.h"
#include "platform/ui/help_viewer.h"

#include <QElapsedTimer>
#include <algorithm>
#include <QGuiApplication>
#include <QScreen>

namespace kv {

double delayMilliseconds(float clockNow, int seconds)
{
    // The target is a whole second of the clock (halves to even), so the wait
    // ends on a second boundary.
    const double now = clockNow;
    const auto target = roundHalfEven(now + seconds);
    if (!target)
        return 0;
    return std::max(0.0, (static_cast<double>(*target) - now) * 1000.0);
}

void delaySeconds(int seconds)
{
    // The wait runs on a steady timer rather than on the clock itself, so a
    // target past midnight is still reached.
    const double waitMs = delayMilliseconds(timerSeconds(), seconds);
    if (waitMs <= 0)
        return;
    QElapsedTimer elapsed;
    elapsed.start();
    while (elapsed.elapsed() < waitMs)
        doEventsFor(static_cast<int>(waitMs - elapsed.elapsed()) + 1);
}

MainWindow* runMain(const ToolCatalogue& tools, int splashSeconds)
{
    installHelpKey();
    auto* splash = new Splash;
    splash->show();
    delaySeconds(splashSeconds);
    splash->repaint();

    auto* frame = new MainWindow(tools);
    setMainFrame(frame);
    delete splash;
    // Without a window manager a maximize request is not carried out: take the
    // screen's working area first, then ask to be maximized.
    if (QScreen* screen = QGuiApplication::primaryScreen())
        frame->setGeometry(screen->availableGeometry());
    frame->showMaximized();
    return frame;
}

} // namespace kv
