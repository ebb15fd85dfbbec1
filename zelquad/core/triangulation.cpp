#include "zelquad/core/triangulation.h"

#include <cmath>
#include <cstddef>

namespace zq {

namespace {

struct Edge {
    int a, b, opposite;
};

// Edges of a triangle in the order they are worked on.
std::array<Edge, 3> edgesOf(const Triangle& t)
{
    return {Edge{t[0], t[1], t[2]}, Edge{t[0], t[2], t[1]}, Edge{t[1], t[2], t[0]}};
}

bool contains(const Triangle& t, int node) { return t[0] == node || t[1] == node || t[2] == node; }

class Builder {
public:
    explicit Builder(const std::vector<ContourNode>& nodes) : nodes_(nodes) {}

    Triangles run()
    {
        if (nodes_.size() < 3)
            return {};
        triangles_.push_back(firstTriangle());
        for (const Edge& e : edgesOf(triangles_[0]))
            growFrom(e);
        // A cursor walks the triangles in creation order; new ones are appended
        // behind it. Whether the walk is over is asked after each edge worked on
        // (or skipped as the last edge of its triangle).
        for (std::size_t p = 1; p < triangles_.size(); ++p) {
            const std::array<Edge, 3> edges = edgesOf(triangles_[p]);
            for (int e = 0; e < 3; ++e) {
                const bool held = isHeldElsewhere(edges[e], p);
                if (!held)
                    growFrom(edges[e]);
                if ((!held || e == 2) && p + 1 == triangles_.size())
                    return triangles_;
            }
        }
        return triangles_;
    }

private:
    double distance(int n, double x, double y) const
    {
        return std::hypot(nodes_[n].x - x, nodes_[n].y - y);
    }

    // Nearest node to (x, y) among 1..last, other than `except`; the lowest
    // number wins a tie.
    int nearestTo(double x, double y, int except) const
    {
        int best = -1;
        double bestDistance = 10000;
        for (int n = 1; n < static_cast<int>(nodes_.size()); ++n) {
            if (n == except)
                continue;
            const double d = distance(n, x, y);
            if (d < bestDistance) {
                bestDistance = d;
                best = n;
            }
        }
        return best;
    }

    Triangle firstTriangle() const
    {
        const ContourNode& a = nodes_[0];
        const int second = nearestTo(a.x, a.y, -1);
        const ContourNode& b = nodes_[second];
        const double mx = (b.x - a.x) / 2.0 + a.x;
        const double my = (b.y - a.y) / 2.0 + a.y;
        return {0, second, nearestTo(mx, my, second)};
    }

    // Which side of the line through a and b a node lies on (a point on the
    // line counts with the negative side).
    bool onPositiveSide(int q, int a, int b) const
    {
        const ContourNode& na = nodes_[a];
        const ContourNode& nb = nodes_[b];
        const ContourNode& nq = nodes_[q];
        if (na.x == nb.x)
            return nq.x - na.x > 0;
        const double slope = static_cast<double>(nb.y - na.y) / (nb.x - na.x);
        const double intercept = static_cast<double>(nb.x * na.y - na.x * nb.y) / (nb.x - na.x);
        return nq.y - slope * nq.x - intercept > 0;
    }

    long squaredLength(int p, int q) const
    {
        const long dx = nodes_[p].x - nodes_[q].x;
        const long dy = nodes_[p].y - nodes_[q].y;
        return dx * dx + dy * dy;
    }

    // The node beyond the edge that sees it under the widest angle; -1 if none.
    int widestAngleNode(const Edge& e) const
    {
        const bool oppositeSide = onPositiveSide(e.opposite, e.a, e.b);
        const long ab = squaredLength(e.a, e.b);
        int winner = -1;
        double bestScore = 0;
        for (int i = 1; i < static_cast<int>(nodes_.size()); ++i) {
            if (i == e.a || i == e.b || i == e.opposite || onPositiveSide(i, e.a, e.b) == oppositeSide)
                continue;
            const long bi = squaredLength(e.b, i);
            const long ai = squaredLength(e.a, i);
            const double cosine = (bi + ai - ab) / (2 * std::sqrt(static_cast<double>(bi)) * std::sqrt(static_cast<double>(ai)));
            const double score = 1 - cosine;
            if (score > bestScore) {
                bestScore = score;
                winner = i;
            }
        }
        return winner;
    }

    int trianglesWithBoth(int p, int q) const
    {
        int count = 0;
        for (const Triangle& t : triangles_)
            count += contains(t, p) && contains(t, q);
        return count;
    }

    // A new triangle on the edge, unless one of its three edges already
    // borders two triangles.
    void growFrom(const Edge& e)
    {
        const int w = widestAngleNode(e);
        if (w < 0)
            return;
        if (trianglesWithBoth(e.a, w) == 2 || trianglesWithBoth(e.b, w) == 2 || trianglesWithBoth(e.a, e.b) == 2)
            return;
        triangles_.push_back({e.a, e.b, w});
    }

    // Whether another triangle has this edge with a as its first or third node
    // and b as its second or third: an edge it holds the other way round is
    // worked on again, and the count of triangles along the edge refuses it.
    bool isHeldElsewhere(const Edge& e, std::size_t p) const
    {
        for (std::size_t q = 0; q < triangles_.size(); ++q) {
            if (q == p)
                continue;
            const Triangle& t = triangles_[q];
            if ((e.a == t[0] || e.a == t[2]) && (e.b == t[1] || e.b == t[2]))
                return true;
        }
        return false;
    }

    const std::vector<ContourNode>& nodes_;
    Triangles triangles_;
};

} // namespace

Triangles triangulate(const std::vector<ContourNode>& nodes) { return Builder(nodes).run(); }

} // namespace zq
