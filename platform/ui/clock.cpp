#include "platform/ui/clock.h"

#include <QLocale>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTime>

namespace kv {

float timerSeconds()
{
    return static_cast<float>(QTime::currentTime().msecsSinceStartOfDay() / 1000.0);
}

void doEvents()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void doEventsFor(int maxMs)
{
    if (maxMs <= 0) {
        doEvents();
        return;
    }
    // processEvents(flags, ms) returns as soon as the pending events are handled;
    // waiting for more lets the loop sleep instead of spinning.
    QDeadlineTimer deadline(maxMs);
    while (!deadline.hasExpired()) {
        const int left = static_cast<int>(deadline.remainingTime());
        if (left <= 0)
            break;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, left);
    }
}

QString shortDate(const QDate& day)
{
    return QLocale::system().toString(day, QLocale::ShortFormat);
}

QString todayShortDate()
{
    return shortDate(QDate::currentDate());
}

} // namespace kv
