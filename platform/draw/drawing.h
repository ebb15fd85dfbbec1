// Drawing items: what a diagram draws, as plain values in the picture's user
// coordinates (the scale the window gives its picture box). Every diagram
// builds a Drawing; one painter (platform/ui/drawing_painter.h) draws it on a
// picture box, and tests read the items (texts, positions) instead of pixels.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace kv {

struct Colour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const Colour& a, const Colour& b)
    {
        return a.red == b.red && a.green == b.green && a.blue == b.blue;
    }
    friend bool operator!=(const Colour& a, const Colour& b) { return !(a == b); }
};

namespace colours {
inline constexpr Colour black{0, 0, 0};
inline constexpr Colour white{255, 255, 255};
inline constexpr Colour red{255, 0, 0};
inline constexpr Colour green{0, 255, 0};
inline constexpr Colour blue{0, 0, 255};
} // namespace colours

// A point in user units.
struct Point {
    double x = 0;
    double y = 0;
    friend bool operator==(const Point& a, const Point& b) { return a.x == b.x && a.y == b.y; }
};

// The picture box's line styles, in its numbering (0 solid ... 4 dash-dot-dot).
enum class LineStyle { Solid = 0, Dash = 1, Dot = 2, DashDot = 3, DashDotDot = 4 };

struct Stroke {
    Colour colour = colours::black;
    int width = 1; // pixels
    LineStyle style = LineStyle::Solid;
};

struct LineItem {
    Point from;
    Point to;
    Stroke stroke;
};

// Open chain of segments through the points in order.
struct PolylineItem {
    std::vector<Point> points;
    Stroke stroke;
};

// Closed outline through the points; filled with the fill colour when given.
struct PolygonItem {
    std::vector<Point> points;
    Stroke stroke;
    std::optional<Colour> fill;
};

// Radius in x units (as many pixels across as down).
struct CircleItem {
    Point centre;
    double radius = 0;
    Stroke stroke;
    std::optional<Colour> fill;
};

// Arc of a circle from startRad to endRad, counter-clockwise from east as seen.
struct ArcItem {
    Point centre;
    double radius = 0;
    double startRad = 0;
    double endRad = 0;
    Stroke stroke;
};

// A dot as wide as the stroke width.
struct DotItem {
    Point at;
    Colour colour = colours::black;
    int width = 1;
};

// A text with its top-left corner at `at`, or, without `at`, where the last
// text left the current point. With newLine the current point then moves to the
// start of the next line (x back to the scale's left edge), else to the end of
// the text. fontSize 0 keeps the picture's font size.
struct TextItem {
    std::optional<Point> at;
    std::string text; // UTF-8
    Colour colour = colours::black;
    double fontSize = 0; // points
    bool bold = false;
    bool newLine = false;
};

using DrawItem = std::variant<LineItem, PolylineItem, PolygonItem, CircleItem, ArcItem, DotItem, TextItem>;

// A diagram's items in drawing order.
struct Drawing {
    std::vector<DrawItem> items;

    template <class Item> Drawing& add(Item item)
    {
        items.emplace_back(std::move(item));
        return *this;
    }
    Drawing& append(const Drawing& other)
    {
        items.insert(items.end(), other.items.begin(), other.items.end());
        return *this;
    }

    // The items of one kind, in order (for tests and for readers of a diagram).
    template <class Item> std::vector<Item> all() const
    {
        std::vector<Item> out;
        for (const DrawItem& item : items)
            if (const auto* it = std::get_if<Item>(&item))
                out.push_back(*it);
        return out;
    }
};

} // namespace kv
