// Dates as the program shows them, a seconds-since-midnight clock for timing
// animations, and event processing inside long loops so the window stays live.
#pragma once

#include <QDate>
#include <QString>

namespace kv {

// A date in the system's short form, as the status bar and the diagrams' headings show it.
QString shortDate(const QDate& day);
// Today's date in that form.
QString todayShortDate();

// Seconds since local midnight with a fractional part, in single precision.
float timerSeconds();

// Processes pending window events (input, paints, queued calls) and returns.
void doEvents();

// Processes events for up to maxMs milliseconds, sleeping while none arrive.
void doEventsFor(int maxMs);

} // namespace kv
