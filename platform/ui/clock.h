// The old seconds-since-midnight clock and event processing inside loops.
#pragma once

namespace kv {

// Seconds since local midnight with a fractional part, in single precision.
float timerSeconds();

// Processes pending window events (input, paints, queued calls) and returns.
void doEvents();

// Processes events for up to maxMs milliseconds, sleeping while none arrive.
void doEventsFor(int maxMs);

} // namespace kv
