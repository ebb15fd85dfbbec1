#include "platform/metafile/metafile_cost.h"

#include <algorithm>
#include <cmath>

namespace kv::metafile {

Budget::Budget(int rows) : rowStarts_(std::size_t(std::max(rows, 0)) + 1, 0) {}

bool Budget::spend(double work)
{
    // Not finite (a damaged coordinate): as costly as it gets.
    spent_ += std::isfinite(work) ? std::max(work, 0.0) : maxDrawingWork * 2;
    return !exhausted();
}

// An edge crosses the rows whose pixel centres lie within its height.
void Budget::addEdge(double y0, double y1, const QRectF& box)
{
    const double top = std::max(std::min(y0, y1), box.top());
    const double bottom = std::min(std::max(y0, y1), box.bottom());
    if (!(top < bottom))
        return;
    const int rows = int(rowStarts_.size()) - 1;
    const int first = std::clamp(int(std::ceil(top - 0.5)), 0, rows);
    const int end = std::clamp(int(std::ceil(bottom - 0.5)), 0, rows);
    if (first >= end)
        return;
    ++rowStarts_[std::size_t(first)];
    --rowStarts_[std::size_t(end)];
    if (lastRow_ < firstRow_) {
        firstRow_ = first;
        lastRow_ = end;
    } else {
        firstRow_ = std::min(firstRow_, first);
        lastRow_ = std::max(lastRow_, end);
    }
}

std::pair<double, double> Budget::takeCrossings()
{
    double squares = 0, crossings = 0;
    long long running = 0;
    for (int row = firstRow_; row <= lastRow_; ++row) {
        running += rowStarts_[std::size_t(row)];
        rowStarts_[std::size_t(row)] = 0;
        squares += double(running) * double(running);
        crossings += double(running);
    }
    firstRow_ = 0;
    lastRow_ = -1;
    return {squares, crossings};
}

double Budget::fill(const std::vector<QPolygonF>& rings, const QRectF& box)
{
    double points = 0;
    QRectF covered;
    for (const QPolygonF& ring : rings) {
        points += double(ring.size());
        for (qsizetype i = 0; i < ring.size(); ++i)
            addEdge(ring[i].y(), ring[(i + 1) % ring.size()].y(), box);
        covered |= ring.boundingRect();
    }
    const auto [squares, crossings] = takeCrossings();
    const QRectF onPicture = covered.intersected(box);
    const double pixels = onPicture.isValid() ? onPicture.width() * onPicture.height() : 0.0;
    return crossingSquareWork * squares + crossingWork * crossings + filledPixelWork * pixels + pointWork * points;
}

double Budget::stroke(const std::vector<QPolygonF>& lines, double width, const QRectF& box)
{
    // What lies beyond the box (and the pen's width around it) is clipped away.
    const QRectF around = box.adjusted(-width, -width, width, width);
    const auto held = [&around](QPointF p) {
        return QPointF(std::clamp(p.x(), around.left(), around.right()), std::clamp(p.y(), around.top(), around.bottom()));
    };
    const bool wide = width > 1.5;
    double length = 0, points = 0;
    for (const QPolygonF& line : lines) {
        points += double(line.size());
        for (qsizetype i = 1; i < line.size(); ++i) {
            const QPointF a = held(line[i - 1]), b = held(line[i]);
            length += std::hypot(b.x() - a.x(), b.y() - a.y());
            if (wide) {
                // The outline of a segment: two edges over its rows and the pen's width.
                const double half = width / 2;
                addEdge(std::min(a.y(), b.y()) - half, std::max(a.y(), b.y()) + half, box);
                addEdge(std::min(a.y(), b.y()) - half, std::max(a.y(), b.y()) + half, box);
            }
        }
    }
    if (!wide)
        return linePixelWork * length + pointWork * points;
    const auto [squares, crossings] = takeCrossings();
    return crossingSquareWork * squares + crossingWork * crossings + filledPixelWork * (length + points) * width
           + pointWork * points;
}

} // namespace kv::metafile
