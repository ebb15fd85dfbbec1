// What the diagram benchmarks share: a window's redraw timed in its parts
// (computation and items, then clearing and painting on a picture box), and
// the plain reference beside it in the same run: the same items drawn with one
// QPainter on a plain QImage of the same size.
#pragma once

#include "platform/draw/drawing.h"

#include <benchmark/benchmark.h>

#include <QImage>

#include <chrono>
#include <functional>

namespace kv::bench {

// A picture box's size and user scale ((x1,y1) top-left, (x2,y2) bottom-right).
struct Frame {
    int width = 400;
    int height = 300;
    double x1 = 0, y1 = 0, x2 = 400, y2 = 300;
};

// The stereonet tools' picture.
Frame netFrame();

// Seconds since some fixed start, for timing parts of one iteration.
inline double seconds()
{
    using Clock = std::chrono::steady_clock;
    return std::chrono::duration<double>(Clock::now().time_since_epoch()).count();
}

// The same items with one painter on a plain image: lines and chains through
// the pixel points with a cosmetic pen, fills with a brush, dots as squares,
// texts at their point (texts that follow on start where the last one ended).
void paintPlainly(QImage& image, const Frame& frame, const Drawing& drawing);

// The reference on a fresh white image, returning seconds per drawing (the
// mean of `times` drawings).
double plainPaintingSeconds(const Frame& frame, const Drawing& drawing, int times);

// Each iteration computes the diagram (`build`, as the window calls the
// computation), clears the picture box and paints the items. Counters, in
// milliseconds per redraw: items_ms, paint_ms, ref_paint_ms (the plain
// reference), and the ratio paint_x_ref = paint_ms / ref_paint_ms.
void benchRedraw(benchmark::State& state, const Frame& frame, const std::function<Drawing()>& build);

// Counters of a time against its reference: <name>_ms, <name>_ref_ms and
// <name>_x_ref.
void reportAgainst(benchmark::State& state, const char* name, double secondsEach, double referenceEach);

} // namespace kv::bench
