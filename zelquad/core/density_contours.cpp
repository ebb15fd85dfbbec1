#include "zelquad/core/density_contours.h"

#include <cmath>
#include <cstddef>
#include <optional>
#include <utility>

namespace zq {

namespace {

enum class SegmentState { None, Shared, FreeStart };

struct Segment {
    kv::Point end1;
    kv::Point end2;
    SegmentState state = SegmentState::None;
};

// The point dividing u-v in the ratio |tu| : |tv|. Whichever triangle cuts the
// edge, and in whichever direction, the arithmetic is the same, so shared
// points are equal to the last bit and the joining can test them exactly.
double crossingCoordinate(double u, double v, double tu, double tv)
{
    if (tu <= 0) {
        const double r = tv / std::fabs(tu);
        return (u * r + v) / (r + 1);
    }
    const double r = tu / std::fabs(tv);
    return (v * r + u) / (r + 1);
}

Segment cutTriangle(std::vector<ContourNode>& nodes, const Triangle& t, double level)
{
    ContourNode* n[3] = {&nodes[t[0]], &nodes[t[1]], &nodes[t[2]]};
    if (n[0]->density == n[1]->density && n[1]->density == n[2]->density)
        return {};
    for (ContourNode* node : n)
        if (node->density == level)
            node->density += 0.01;
    Segment s;
    int crossings = 0;
    const std::pair<int, int> edges[] = {{0, 1}, {1, 2}, {0, 2}};
    for (const auto& [iu, iv] : edges) {
        const ContourNode& u = *n[iu];
        const ContourNode& v = *n[iv];
        const double tu = level - u.density;
        const double tv = level - v.density;
        if (!(tu * tv < 0))
            continue;
        const kv::Point p{crossingCoordinate(u.x, v.x, tu, tv), crossingCoordinate(u.y, v.y, tu, tv)};
        ++crossings;
        if (crossings == 1)
            s.end1 = p;
        else if (crossings == 2)
            s.end2 = p;
    }
    s.state = crossings == 2 ? SegmentState::Shared : SegmentState::None;
    return s;
}

int endsAt(const std::vector<Segment>& segments, const kv::Point& p)
{
    int count = 0;
    for (const Segment& s : segments)
        if (s.state != SegmentState::None)
            count += (s.end1 == p) + (s.end2 == p);
    return count;
}

// A segment whose end meets no other segment starts a line there (end 1).
void markFreeEnds(std::vector<Segment>& segments)
{
    for (Segment& s : segments) {
        if (s.state != SegmentState::Shared)
            continue;
        if (endsAt(segments, s.end1) == 1) {
            s.state = SegmentState::FreeStart;
        } else if (endsAt(segments, s.end2) == 1) {
            std::swap(s.end1, s.end2);
            s.state = SegmentState::FreeStart;
        }
    }
}

// One pass over the segments from the first, taking each that continues the
// line's last point; a segment that would fit only behind a later point stays
// for another line.
std::vector<kv::Point> chainFrom(std::vector<Segment>& segments, std::size_t start)
{
    std::vector<kv::Point> line{segments[start].end1};
    for (Segment& s : segments) {
        if (s.state == SegmentState::None)
            continue;
        if (s.end1 == line.back()) {
            line.push_back(s.end2);
            s.state = SegmentState::None;
        } else if (s.end2 == line.back()) {
            line.push_back(s.end1);
            s.state = SegmentState::None;
        }
    }
    return line;
}

void chainLevel(std::vector<Segment>& segments, int level, std::vector<ContourLine>& out)
{
    // Lines that end on the border first, from their free end; then closed ones.
    for (SegmentState startState : {SegmentState::FreeStart, SegmentState::Shared})
        for (std::size_t q = 0; q < segments.size(); ++q)
            if (segments[q].state == startState)
                out.push_back({level, chainFrom(segments, q)});
}

} // namespace

std::vector<int> contourLevels(int first, int limit, int step)
{
    std::vector<int> levels;
    if (step <= 0)
        return levels;
    const int count = static_cast<int>(std::floor(static_cast<double>(limit - first) / step));
    for (int k = 0; k < count; ++k)
        levels.push_back(first + k * step);
    return levels;
}

std::vector<ContourLine> densityContours(std::vector<ContourNode> nodes, const Triangles& triangles,
                                         int first, int limit, int step)
{
    std::vector<ContourLine> lines;
    std::vector<Segment> segments(triangles.size());
    for (int level : contourLevels(first, limit, step)) {
        for (std::size_t t = 0; t < triangles.size(); ++t)
            segments[t] = cutTriangle(nodes, triangles[t], level);
        markFreeEnds(segments);
        chainLevel(segments, level, lines);
    }
    return lines;
}

} // namespace zq
