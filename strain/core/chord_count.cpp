#include "strain/core/chord_count.h"

#include "platform/text/number_text.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace kv {

namespace {

constexpr double kCountPi = 3.1415926; // as the reverse-wheel tool writes it
constexpr std::uint32_t kRed = 0x0000FF; // red in the low byte
constexpr std::uint32_t kOutside = 0xFFFFFF; // a picture box reads -1 off the picture

int nearestPixel(float v) { return static_cast<int>(std::floor(static_cast<double>(v) + 0.5)); }

int sign(int v) { return (v > 0) - (v < 0); }

int roundedDelta(float delta) { return static_cast<int>(roundHalfEven(delta).value_or(0)); }

bool channelsDiffer(std::uint32_t a, std::uint32_t b)
{
    return std::abs(redOf(a) - redOf(b)) > 16 || std::abs(greenOf(a) - greenOf(b)) > 16
           || std::abs(blueOf(a) - blueOf(b)) > 16;
}

std::uint32_t readPixel(const PixelImage& image, float x, float y)
{
    const int px = nearestPixel(x);
    const int py = nearestPixel(y);
    return image.contains(px, py) ? image.at(px, py) : kOutside;
}

void paintRed(PixelImage& image, float x, float y, std::vector<PaintedPixel>* painted)
{
    const int px = nearestPixel(x);
    const int py = nearestPixel(y);
    if (!image.contains(px, py))
        return;
    const std::size_t index = static_cast<std::size_t>(py) * static_cast<std::size_t>(image.width)
                              + static_cast<std::size_t>(px);
    if (painted)
        painted->push_back({index, image.rgb[index]});
    image.rgb[index] = kRed;
}

} // namespace

double arcCosineClamped(double x)
{
    x = std::clamp(x, -1.0, 1.0);
    if (x == 1.0)
        return 0.0;
    if (x == -1.0)
        return -3.1415926535;
    return std::atan(-x / std::sqrt(1.0 - x * x)) + 2.0 * std::atan(1.0);
}

std::int32_t countBoundariesOnChord(PixelImage& display, float x0, float y0, float x1, float y1,
                    std::vector<PaintedPixel>* painted)
{
    const int dx = roundedDelta(x1 - x0);
    const int dy = roundedDelta(y1 - y0);
    const int sx = sign(dx), sy = sign(dy);
    const int adx = std::abs(dx), ady = std::abs(dy);
    const int steps = adx > ady ? adx : ady;

    int ex = 0, ey = 0;
    bool flag = false;
    std::int32_t count = 0;
    float x = x0, y = y0;
    std::uint32_t reference = readPixel(display, x0, y0);
    for (int s = 0; s <= steps; ++s) {
        ex += adx;
        ey += ady;
        if (ex > steps) {
            ex -= steps;
            x += static_cast<float>(sx);
        }
        if (ey > steps) {
            ey -= steps;
            y += static_cast<float>(sy);
        }
        const std::uint32_t colour = readPixel(display, x, y);
        paintRed(display, x, y, painted);
        if (channelsDiffer(colour, reference)) {
            // Entering and leaving a boundary line are two changes and one boundary.
            if (!flag)
                ++count;
            flag = !flag;
        }
        reference = colour;
    }
    return count;
}

CountCircle countCircle(int width, int height)
{
    const double smaller = width > height ? height : width;
    return {{width / 2.0, height / 2.0}, 0.45 * smaller};
}

std::string countAngleText(const OrientationCount& result) { return cellText(result.angleDegrees); }

std::string countValueText(const OrientationCount& result) { return std::to_string(result.count); }

BoundaryCount::BoundaryCount(PixelImage& picture, const CountSettings& settings)
    : display_(picture), settings_(settings), circle_(countCircle(picture.width, picture.height)),
      orientations_(orientationCount(settings))
{
    const double r = circle_.radius;
    const int n = chordCount(settings);
    const float linesPlusOne = settings.nlines + 1.0f;
    const double spacing = 2.0 * r / linesPlusOne;
    for (int i = 1; i <= n; ++i) {
        const double offset = static_cast<double>(linesPlusOne) * spacing / 2.0 - i * spacing;
        offsetY_.push_back(offset);
        halfChord_.push_back(std::sqrt(std::max(0.0, r * r - offset * offset)));
    }
}

OrientationCount BoundaryCount::countOrientation(int k)
{
    OrientationCount result;
    result.index = k;
    result.angleDegrees = static_cast<float>(k) * settings_.turnangle;
    const double phi = static_cast<double>(result.angleDegrees) * kCountPi / 180.0;
    const double r = circle_.radius;
    const double reach = r - 2.0; // two pixels inside the red circle

    painted_.clear();
    for (std::size_t i = 0; i < offsetY_.size(); ++i) {
        float ends[2][2];
        for (int j = 0; j < 2; ++j) {
            const double x = j == 0 ? -halfChord_[i] : halfChord_[i];
            double alpha = arcCosineClamped(x / r);
            if (offsetY_[i] < 0)
                alpha = -alpha;
            ends[j][0] = static_cast<float>(circle_.centre.x + reach * std::cos(alpha + phi));
            ends[j][1] = static_cast<float>(circle_.centre.y - reach * std::sin(alpha + phi));
        }
        result.count += countBoundariesOnChord(display_, ends[0][0], ends[0][1], ends[1][0], ends[1][1], &painted_);
        result.chords.push_back({{ends[0][0], ends[0][1]}, {ends[1][0], ends[1][1]}, {colours::red, 1}});
    }
    // The picture is as stored again before the next orientation.
    for (auto it = painted_.rbegin(); it != painted_.rend(); ++it)
        display_.rgb[it->index] = it->before;
    return result;
}

} // namespace kv
