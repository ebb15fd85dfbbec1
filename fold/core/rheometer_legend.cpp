#include "fold/core/rheometer_legend.h"

#include "platform/text/number_text.h"

#include <algorithm>

namespace kv {

namespace {

using Kind = LegendControl::Kind;

bool isWordByte(unsigned char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The text cut into pieces that must stay on one line: a run of Latin letters
// and digits, or one other character (all bytes of a UTF-8 sequence).
std::vector<std::string> unbreakablePieces(const std::string& s)
{
    std::vector<std::string> pieces;
    std::size_t i = 0;
    while (i < s.size()) {
        std::size_t end = i + 1;
        if (isWordByte(static_cast<unsigned char>(s[i]))) {
            while (end < s.size() && isWordByte(static_cast<unsigned char>(s[end])))
                ++end;
        } else {
            while (end < s.size() && (static_cast<unsigned char>(s[end]) & 0xC0) == 0x80)
                ++end;
        }
        pieces.push_back(s.substr(i, end - i));
        i = end;
    }
    return pieces;
}

} // namespace

const std::array<LegendControl, 12>& rheometerLegendControls()
{
    static const std::array<LegendControl, 12> controls{{
        {"Label3", Kind::Label, "应力指数估测是实测数据点与Varlenko等的三条有限元数据曲线进行对比。分别为：",
         LineStyle::Solid, 120, 240, 3495, 495, 2},
        {"Label4", Kind::Label, "曲率指数—翼倾角图，曲线L/h=12，m=100。", LineStyle::Solid, 120, 720, 3735, 255, 1},
        {"Label5", Kind::Label, "曲率指数—缩短率图，曲线m=100。", LineStyle::Solid, 120, 1080, 3615, 255, 1},
        {"Label6", Kind::Label, "曲率指数—L/h图，翼倾角alfa=70度，m=100。", LineStyle::Solid, 120, 1440, 3615, 255, 1},
        {"Label7", Kind::Label, "Nl=10", LineStyle::Solid, 1440, 2160, 735, 255, 1},
        {"Label8", Kind::Label, "Nl=3", LineStyle::Solid, 1440, 2520, 615, 255, 1},
        {"Label9", Kind::Label, "Nl=1", LineStyle::Solid, 1440, 3000, 615, 255, 1},
        {"Label10", Kind::Label, "实测数据点", LineStyle::Solid, 1440, 3360, 975, 255, 1},
        {"Line1", Kind::Line, "", LineStyle::Solid, 150, 2250, 1080, 0, 0},
        {"Line2", Kind::Line, "", LineStyle::Dash, 150, 2700, 1080, 0, 0},
        {"Line3", Kind::Line, "", LineStyle::Dot, 150, 3150, 1080, 0, 0},
        {"Shape1", Kind::Circle, "", LineStyle::Solid, 240, 3360, 135, 255, 0},
    }};
    return controls;
}

std::vector<std::string> wrapToColumns(const std::string& utf8, int columns)
{
    std::vector<std::string> lines(1);
    int width = 0;
    for (const std::string& piece : unbreakablePieces(utf8)) {
        const int w = printWidth(piece);
        if (width + w > columns && width > 0) {
            lines.emplace_back();
            width = 0;
        }
        lines.back() += piece;
        width += w;
    }
    return lines;
}

Drawing rheometerLegendDrawing(double twipsPerPixel, double columnPixels)
{
    Drawing d;
    for (const LegendControl& c : rheometerLegendControls()) {
        const double left = c.left / twipsPerPixel, top = c.top / twipsPerPixel;
        const double width = c.width / twipsPerPixel, height = c.height / twipsPerPixel;
        switch (c.kind) {
        case Kind::Label: {
            // Only a label of several lines wraps; a one-line label keeps its
            // whole text on its line even where a wider font runs past its box.
            const auto lines = c.textLines > 1 ? wrapToColumns(c.text, std::max(1, int(width / columnPixels)))
                                               : std::vector<std::string>{c.text};
            const double lineHeight = height / std::max<std::size_t>(lines.size(), c.textLines);
            for (std::size_t i = 0; i < lines.size(); ++i) {
                TextItem text;
                text.at = Point{left, top + i * lineHeight};
                text.text = lines[i];
                d.add(text);
            }
            break;
        }
        case Kind::Line:
            d.add(LineItem{{left, top}, {left + width, top + height}, {colours::black, 1, c.style}});
            break;
        case Kind::Circle:
            d.add(CircleItem{{left + width / 2, top + height / 2}, std::min(width, height) / 2, {}, std::nullopt});
            break;
        }
    }
    return d;
}

} // namespace kv
