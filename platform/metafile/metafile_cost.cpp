#include "platform/metafile/metafile_cost.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>

namespace kv::metafile {
namespace {

constexpr double infinite = std::numeric_limits<double>::infinity();

// How often a curve is halved until a deviation of its control points from
// its chord falls below the painter's tolerance: each halving quarters it.
int halvings(double deviation)
{
    constexpr double tolerance = 0.25;
    constexpr int most = 9;
    int k = 0;
    while (k < most && !(deviation < tolerance)) {
        deviation /= 4;
        ++k;
    }
    return k;
}

// The points a cubic curve from p0 to p3 is flattened into. Its second
// differences bound every half's deviation; the distance of its control
// points from the chord (from p0 when the chord is shorter than a pixel)
// is what the painter tests, a halving behind. Two more for the halves the
// painter splits unevenly.
double curvePoints(QPointF p0, QPointF p1, QPointF p2, QPointF p3)
{
    const QPointF d1 = p0 - 2 * p1 + p2, d2 = p1 - 2 * p2 + p3;
    const double second = 2 * std::max(std::fabs(d1.x()) + std::fabs(d1.y()), std::fabs(d2.x()) + std::fabs(d2.y()));
    const QPointF chord = p3 - p0;
    const double length = std::hypot(chord.x(), chord.y());
    double offChord;
    if (std::fabs(chord.x()) + std::fabs(chord.y()) > 1) {
        const auto distance = [&](QPointF q) {
            const QPointF v = q - p0;
            return std::fabs(chord.x() * v.y() - chord.y() * v.x()) / length;
        };
        offChord = distance(p1) + distance(p2);
    } else {
        offChord = std::fabs(p1.x() - p0.x()) + std::fabs(p1.y() - p0.y()) + std::fabs(p2.x() - p0.x())
                   + std::fabs(p2.y() - p0.y());
    }
    if (!std::isfinite(second + offChord))
        return infinite;
    return double(1 << std::min(halvings(second), halvings(offChord) + 1)) + 2;
}

// Calls each(a, b) for every segment of the path's control polygon (each
// figure closed back to its start when closing) and returns the points the
// painter flattens the path into.
template <typename Each>
double walkPath(const QPainterPath& path, bool closing, Each each)
{
    double points = 0;
    QPointF start, current;
    bool open = false;
    const auto closeFigure = [&] {
        if (closing && open && current != start)
            each(current, start);
    };
    const int n = path.elementCount();
    for (int i = 0; i < n; ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        const QPointF p(e.x, e.y);
        if (e.type == QPainterPath::CurveToElement && i + 2 < n) {
            const QPointF c2 = path.elementAt(i + 1), end = path.elementAt(i + 2);
            each(current, p);
            each(p, c2);
            each(c2, end);
            points += curvePoints(current, p, c2, end);
            current = end;
            i += 2;
        } else if (e.type == QPainterPath::MoveToElement) {
            closeFigure();
            start = current = p;
            open = true;
            points += 1;
        } else {
            each(current, p);
            current = p;
            points += 1;
        }
    }
    closeFigure();
    return points;
}

// A segment's length, std::hypot's to the bit. Along an axis hypot gives the
// other side's magnitude exactly (C's Annex F), and a repeated point zero: the
// sum of the two magnitudes, one of them zero. Those segments (most of a dense
// outline's) skip the call, on one branch: the smaller magnitude's.
double segmentLength(double dx, double dy)
{
    const double across = std::fabs(dx), down = std::fabs(dy);
    return std::min(across, down) != 0 ? std::hypot(dx, dy) : across + down;
}

struct Bands {
    double bands = 0, widest = 0;
};

Bands bandsOf(const QRegion& r)
{
    Bands b;
    int top = INT_MIN;
    double inBand = 0;
    for (const QRect& rect : r) {
        if (rect.top() != top) {
            top = rect.top();
            b.bands += 1;
            inBand = 0;
        }
        b.widest = std::max(b.widest, ++inBand);
    }
    return b;
}

} // namespace

Extent extentOf(const QPolygonF& polygon)
{
    const QPointF* p = polygon.constData();
    const qsizetype n = polygon.size();
    if (n == 0)
        return {};
    Extent e{p[0].x(), p[0].y(), p[0].x(), p[0].y()};
    // Written as the minimum and maximum instructions take them, so the loop
    // has no branch: a later point that is not a number leaves them be.
    for (qsizetype i = 1; i < n; ++i) {
        const double x = p[i].x(), y = p[i].y();
        e.left = x < e.left ? x : e.left;
        e.right = x > e.right ? x : e.right;
        e.top = y < e.top ? y : e.top;
        e.bottom = y > e.bottom ? y : e.bottom;
    }
    return e;
}

double regionOpBound(const QRegion& a, const QRegion& b)
{
    const Bands x = bandsOf(a), y = bandsOf(b);
    return 2 * (x.bands + y.bands) * (x.widest + y.widest);
}

double regionUnionBound(const std::vector<QRect>& rects)
{
    std::vector<int> edges;
    edges.reserve(rects.size() * 2);
    for (const QRect& r : rects) {
        edges.push_back(r.top());
        edges.push_back(r.bottom() + 1);
    }
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
    const auto at = [&edges](int y) { return std::lower_bound(edges.begin(), edges.end(), y) - edges.begin(); };
    double bound = 0;
    for (const QRect& r : rects)
        bound += double(at(r.bottom() + 1) - at(r.top()));
    return bound;
}

Budget::Budget(int rows, double limit) : limit_(limit), rowStarts_(std::size_t(std::max(rows, 0)) + 1, 0.0) {}

bool Budget::spend(double work)
{
    if (!std::isfinite(work))
        refuse();
    else
        spent_ += std::max(work, 0.0);
    return !exhausted();
}

// count edges cross the rows whose pixel centres lie within their height.
void Budget::addEdges(double y0, double y1, double count, const QRectF& box)
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
    rowStarts_[std::size_t(first)] += count;
    rowStarts_[std::size_t(end)] -= count;
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
    double squares = 0, crossings = 0, running = 0;
    for (int row = firstRow_; row <= lastRow_; ++row) {
        running += rowStarts_[std::size_t(row)];
        rowStarts_[std::size_t(row)] = 0;
        squares += running * running;
        crossings += running;
    }
    firstRow_ = 0;
    lastRow_ = -1;
    return {squares, crossings};
}

double Budget::filled(double points, const QRectF& covered, const QRectF& box, double pixelWork)
{
    const auto [squares, crossings] = takeCrossings();
    if (!(points <= maxCallPoints))
        return infinite;
    const QRectF onPicture = covered.intersected(box);
    const double pixels = onPicture.isValid() ? onPicture.width() * onPicture.height() : 0.0;
    return crossingSquareWork * squares + crossingWork * crossings + pixelWork * pixels + pointWork * points;
}

std::pair<double, QRectF> Budget::addRings(const std::vector<QPolygonF>& rings, const QRectF& box)
{
    double points = 0;
    QRectF covered;
    for (const QPolygonF& ring : rings) {
        points += double(ring.size());
        for (qsizetype i = 0; i < ring.size(); ++i)
            addEdges(ring[i].y(), ring[(i + 1) % ring.size()].y(), 1, box);
        covered |= ring.boundingRect();
    }
    return {points, covered};
}

double Budget::fill(const std::vector<QPolygonF>& rings, const QRectF& box, double pixelWork)
{
    const auto [points, covered] = addRings(rings, box);
    return filled(points, covered, box, pixelWork);
}

double Budget::fill(const QPainterPath& path, const QRectF& box, double pixelWork)
{
    const double points = walkPath(path, true, [&](QPointF a, QPointF b) { addEdges(a.y(), b.y(), 1, box); });
    return filled(points, path.controlPointRect(), box, pixelWork);
}

double Budget::polygonRegions(const std::vector<QPolygonF>& rings, const QRectF& box)
{
    const auto [points, covered] = addRings(rings, box);
    const auto [squares, crossings] = takeCrossings();
    // Each row of a ring's region is its spans, two crossings each; united,
    // the rings' rows hold no more spans than all of theirs together.
    const double spans = crossings / 2;
    if (!(spans <= regionBoundLimit) || !(points <= maxCallPoints))
        return infinite;
    const double levels = std::ceil(std::log2(std::max<double>(double(rings.size()), 1)));
    const QRectF onPicture = covered.intersected(box);
    const double pixels = onPicture.isValid() ? onPicture.width() * onPicture.height() : 0.0;
    return crossingSquareWork * squares + crossingWork * crossings + filledPixelWork * pixels + pointWork * points
           + polygonRegionRectWork * spans + regionRectWork * spans * levels;
}

// A segment of a line: its length inside the box (and the pen's width
// around it); wider pens add the edges of its outline, or of its dashes, on
// the rows they cover.
struct Budget::Strokes {
    Budget& budget;
    const Stroke& pen;
    QRectF box, around;
    bool wide;
    double period = 0, dashesPerPeriod = 0;
    double length = 0, dashes = 0;
    double dashSquares = 0, dashCrossings = 0; // of each segment's dashes among themselves

    Strokes(Budget& b, const Stroke& p, const QRectF& onPicture)
        : budget(b), pen(p), box(onPicture), around(onPicture.adjusted(-p.width, -p.width, p.width, p.width)),
          wide(p.width >= widePenPixels)
    {
        for (qreal d : pen.dashes)
            period += std::max(d, qreal(0));
        period *= wide ? pen.width : 1.0;
        dashesPerPeriod = period > 0 ? double(pen.dashes.size() / 2) : 0.0;
    }
    bool dashed() const { return dashesPerPeriod > 0; }
    QPointF held(QPointF p) const
    {
        return QPointF(std::clamp(p.x(), around.left(), around.right()), std::clamp(p.y(), around.top(), around.bottom()));
    }
    // Whether a line of this extent lies inside the margin: holding its
    // points there changes none of them. Not when its first point is not a
    // number, which hides the others from its extent.
    bool holds(const Extent& line) const
    {
        return line.left >= around.left() && line.right <= around.right() && line.top >= around.top()
               && line.bottom <= around.bottom();
    }
    // A one-pixel line's length, its points held to the margin; and that of
    // a line inside it, whose points holding would not move: the common
    // case, kept to a plain loop.
    double lengthOf(const QPolygonF& line) const { return summed(line, [this](QPointF p) { return held(p); }); }
    double lengthInside(const QPolygonF& line) const { return summed(line, [](QPointF p) { return p; }); }
    template <typename Place>
    static double summed(const QPolygonF& line, Place place)
    {
        const QPointF* p = line.constData();
        const qsizetype n = line.size();
        double sum = 0;
        QPointF a = n == 0 ? QPointF() : place(p[0]);
        for (qsizetype i = 1; i < n; ++i) {
            const QPointF b = place(p[i]);
            sum += segmentLength(b.x() - a.x(), b.y() - a.y());
            a = b;
        }
        return sum;
    }
    void segment(QPointF from, QPointF to)
    {
        const QPointF a = held(from), b = held(to);
        const double l = segmentLength(b.x() - a.x(), b.y() - a.y());
        length += l;
        if (!wide)
            return;
        const double half = pen.width / 2;
        const double top = std::max(std::min(a.y(), b.y()) - half, box.top());
        const double bottom = std::min(std::max(a.y(), b.y()) + half, box.bottom());
        budget.addEdges(top, bottom, 2, box);
        if (!dashed() || !(top < bottom))
            return;
        // The dashes along it, each an outline of two edges over the rows it
        // covers; those on one row: all of them along a level segment, fewer
        // the steeper it is. Qt's scan converter takes each segment's dashes
        // together: the square of those on a row, on every row.
        const double along = dashesPerPeriod * l / period + 1;
        const double rise = std::fabs(b.y() - a.y());
        const double perRow = rise > 0 ? dashesPerPeriod * (pen.width * l / (rise * period) + 2) : along;
        const double edges = 2 * std::min(along, perRow);
        const double rows = std::max(0.0, std::ceil(bottom - 0.5) - std::ceil(top - 0.5));
        dashes += along;
        dashSquares += edges * edges * rows;
        dashCrossings += edges * rows;
    }
};

double Budget::stroked(const Strokes& s, double points)
{
    const Stroke& pen = s.pen;
    if (!s.wide) {
        takeCrossings();
        if (!(points <= maxCallPoints))
            return infinite;
        const double solid = (pen.mixed ? mixedLinePixelWork : linePixelWork) * s.length + pointWork * points;
        return s.dashed() ? solid * dashedLineFactor + (pen.opaqueGaps ? solid : 0.0) : solid;
    }
    const auto [squares, crossings] = takeCrossings();
    if (!(points + s.dashes <= maxOutlinePoints))
        return infinite;
    const double outline = filledPixelWork * (s.length + points) * pen.width
                           + (pen.roundJoins ? roundJoinPointWork : widePointWork) * points;
    double work = crossingSquareWork * squares + crossingWork * crossings + outline;
    if (s.dashed())
        work += crossingSquareWork * s.dashSquares + crossingWork * s.dashCrossings
                + s.dashes * (dashWork + (pen.roundCaps ? roundDashWork + roundDashWidthWork * pen.width : 0.0))
                + (pen.opaqueGaps ? outline : 0.0);
    return work;
}

double Budget::stroke(const std::vector<QPolygonF>& lines, const Stroke& pen, const QRectF& box,
                      const Extent* extents)
{
    Strokes s(*this, pen, box);
    double points = 0;
    for (std::size_t k = 0; k < lines.size(); ++k) {
        const QPolygonF& line = lines[k];
        points += double(line.size());
        if (!s.wide) {
            s.length += (extents && s.holds(extents[k])) ? s.lengthInside(line) : s.lengthOf(line);
            continue;
        }
        for (qsizetype i = 1; i < line.size(); ++i)
            s.segment(line[i - 1], line[i]);
    }
    return stroked(s, points);
}

double Budget::stroke(const QPainterPath& path, const Stroke& pen, const QRectF& box)
{
    Strokes s(*this, pen, box);
    const double points = walkPath(path, false, [&s](QPointF a, QPointF b) { s.segment(a, b); });
    return stroked(s, points);
}

} // namespace kv::metafile
