#include "strain/core/object_centres.h"

#include <algorithm>
#include <array>

namespace kv {

namespace {

// East first, then clockwise as seen on the screen (y down).
constexpr std::array<PixelPos, 8> kNeighbourSteps{{
    {1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}, {0, -1}, {1, -1},
}};

// A visit waiting for its remaining neighbours; kept small, since an object
// as large as the picture holds one frame per pixel.
struct Frame {
    std::int32_t x;
    std::int32_t y : 28;
    std::uint32_t next : 4; // neighbour to try next, 0 to 8
};

class Trace {
public:
    // The stack is lent by the caller so that its memory serves every object
    // of a picture.
    Trace(ObjectMask& mask, std::vector<Frame>& stack, std::vector<PixelPos>* visits)
        : mask_(mask), visits_(visits), stack_(stack)
    {
        stack_.clear();
    }

    BlobTrace run(int x, int y)
    {
        result_.start = {x, y};
        result_.minX = result_.maxX = x;
        result_.minY = result_.maxY = y;
        enter({x, y});
        while (!stack_.empty()) {
            Frame& top = stack_.back();
            if (top.next == kNeighbourSteps.size()) {
                stack_.pop_back();
                continue;
            }
            const PixelPos step = kNeighbourSteps[top.next++];
            const PixelPos n{top.x + step.x, top.y + step.y};
            if (mask_.at(n.x, n.y) == ObjectMask::kDark)
                enter(n); // may grow the stack: `top` is not used after this
        }
        return result_;
    }

private:
    // The work a visit does before it turns to its neighbours.
    void enter(PixelPos p)
    {
        mask_.set(p.x, p.y, ObjectMask::kVisited);
        ++result_.count;
        if (visits_)
            visits_->push_back(p);
        if (result_.count == 1)
            mask_.set(p.x, p.y, ObjectMask::kDark); // the way back in stays open
        result_.minX = std::min(result_.minX, p.x);
        result_.maxX = std::max(result_.maxX, p.x);
        result_.minY = std::min(result_.minY, p.y);
        result_.maxY = std::max(result_.maxY, p.y);
        if (p == result_.start && result_.count >= 21) {
            result_.closed = true;
            return;
        }
        stack_.push_back({p.x, p.y, 0});
    }

    ObjectMask& mask_;
    std::vector<PixelPos>* visits_;
    BlobTrace result_;
    std::vector<Frame>& stack_;
};

// First index whose area up to and including it exceeds the area from it on,
// or -1. Both sums include the index itself.
int firstHalvingIndex(const std::vector<std::int64_t>& areas)
{
    std::int64_t total = 0;
    for (std::int64_t a : areas)
        total += a;
    std::int64_t before = 0; // areas below i
    for (std::size_t i = 0; i < areas.size(); ++i) {
        const std::int64_t upTo = before + areas[i];
        const std::int64_t from = total - before;
        if (upTo > from)
            return static_cast<int>(i);
        before = upTo;
    }
    return -1;
}

} // namespace

ObjectMask::ObjectMask(int width, int height)
    : width_(width), height_(height),
      cells_(static_cast<std::size_t>(width + 3) * static_cast<std::size_t>(height + 3), kBackground)
{
}

ObjectMask darkPixelMask(const PixelImage& picture)
{
    ObjectMask mask(picture.width, picture.height);
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x) {
            const std::uint32_t c = picture.at(x, y);
            // In thousandths, exactly: rounded halves to even, below 128, so
            // 127.5 itself (rounding up to 128) is not dark. In floating point
            // 44 colours of grey 127.5 come out a hair below it.
            const int greyThousandths = 299 * redOf(c) + 587 * greenOf(c) + 114 * blueOf(c);
            if (greyThousandths < 127500)
                mask.set(x, y, ObjectMask::kDark);
        }
    return mask;
}

BlobTrace traceObject(ObjectMask& mask, int x, int y, std::vector<PixelPos>* visits)
{
    std::vector<Frame> stack;
    return Trace(mask, stack, visits).run(x, y);
}

PixelPos areaHalvingCentre(const ObjectMask& mask, const BlobTrace& trace)
{
    const int w = trace.maxX - trace.minX + 1;
    const int h = trace.maxY - trace.minY + 1;
    // One pass over the box gives every column's and every row's paired area,
    // so each halving test is a difference of running sums.
    std::vector<std::int64_t> columnArea(static_cast<std::size_t>(w), 0);
    std::vector<std::int64_t> rowArea(static_cast<std::size_t>(h), 0);
    std::vector<int> columnOpen(static_cast<std::size_t>(w), -1); // row of an unpaired cell
    for (int y = trace.minY; y <= trace.maxY; ++y) {
        int rowOpen = -1;
        for (int x = trace.minX; x <= trace.maxX; ++x) {
            if (mask.at(x, y) != ObjectMask::kVisited)
                continue;
            if (rowOpen < 0) {
                rowOpen = x;
            } else {
                rowArea[static_cast<std::size_t>(y - trace.minY)] += x - rowOpen;
                rowOpen = -1;
            }
            int& open = columnOpen[static_cast<std::size_t>(x - trace.minX)];
            if (open < 0) {
                open = y;
            } else {
                columnArea[static_cast<std::size_t>(x - trace.minX)] += y - open;
                open = -1;
            }
        }
    }
    const int column = firstHalvingIndex(columnArea);
    const int row = firstHalvingIndex(rowArea);
    // A thin object (one column or one row) never passes the test on that
    // axis; its box's middle is a pixel inside it.
    return {column >= 0 ? trace.minX + column - 1 : (trace.minX + trace.maxX) / 2,
            row >= 0 ? trace.minY + row - 1 : (trace.minY + trace.maxY) / 2};
}

AutoCentres findObjectCentres(const PixelImage& picture, std::size_t most, const CentreRule& rule)
{
    AutoCentres found;
    ObjectMask mask = darkPixelMask(picture);
    std::vector<Frame> stack;
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x) {
            if (mask.at(x, y) != ObjectMask::kDark)
                continue;
            const BlobTrace trace = Trace(mask, stack, nullptr).run(x, y);
            if (!trace.closed)
                continue; // its pixels stay visited and are not traced again
            if (found.centres.size() >= most) {
                found.truncated = true;
                return found;
            }
            found.centres.push_back(rule(mask, trace));
            for (int by = trace.minY; by <= trace.maxY; ++by)
                for (int bx = trace.minX; bx <= trace.maxX; ++bx)
                    if (mask.at(bx, by) == ObjectMask::kVisited)
                        mask.set(bx, by, ObjectMask::kBackground);
        }
    return found;
}

std::string centreXText(const PixelPos& centre) { return std::to_string(centre.x); }

std::string centreYText(const PixelPos& centre, int pictureHeight)
{
    return std::to_string(pictureHeight - centre.y);
}

} // namespace kv
