#include "zelquad/core/cad_script.h"

#include "platform/text/number_text.h"

namespace zq {

namespace {

// Print text without its sign place and trailing blank.
std::string trimmedPrintText(std::string text)
{
    const auto first = text.find_first_not_of(' ');
    const auto last = text.find_last_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

} // namespace

ScriptNumber::ScriptNumber(int value) : text_(trimmedPrintText(kv::printText(value))) {}
ScriptNumber::ScriptNumber(float value) : text_(trimmedPrintText(kv::printText(value))) {}
ScriptNumber::ScriptNumber(double value) : text_(trimmedPrintText(kv::printText(value))) {}

void CadScript::point(const ScriptNumber& x, const ScriptNumber& y)
{
    put(x.text() + "," + y.text());
}

void CadScript::writeHeader()
{
    put("LIMITS");
    put("-10,-120");
    put("250,180");
    // A shape font asks six questions after its name, a TrueType font five;
    // every one keeps its default.
    put("Style Standard Romans.shx");
    for (int i = 0; i < 6; ++i)
        enter();
    const char* const chineseStyles[][2] = {
        {"HT", "黑体"}, {"ST", "宋体"}, {"KT", "楷体_GB2312"}, {"FS", "仿宋_GB2312"}};
    for (const auto& style : chineseStyles) {
        put(std::string("Style ") + style[0]);
        put(style[1]);
        for (int i = 0; i < 5; ++i)
            enter();
    }
    // The colour question asks which layers to colour (Enter: the new one),
    // the last Enter ends the command.
    for (const char* colour : {"Black C White", "Red C Red", "Blue C Blue", "Green C Green"}) {
        put(std::string("LAYER M ") + colour);
        enter();
        enter();
    }
    put("LAYER M Yellow C Yellow");
    enter();
    put("L Dashed2");
    enter();
    enter();
    put("LINETYPE S ByLayer");
    enter();
}

void CadScript::line(ScriptNumber x1, ScriptNumber y1, ScriptNumber x2, ScriptNumber y2)
{
    put("Line");
    point(x1, y1);
    point(x2, y2);
    enter();
}

void CadScript::circle(ScriptNumber x, ScriptNumber y, ScriptNumber radius)
{
    put("CIRCLE");
    point(x, y);
    put(radius.text());
}

void CadScript::upperHalfArc(double x, double y, double radius)
{
    put("ARC C");
    point(x, y);
    point(x + radius, y);
    point(x - radius, y);
}

void CadScript::text(std::string_view style, std::string_view justification, ScriptNumber x, ScriptNumber y,
                     ScriptNumber height, ScriptNumber angle, std::string_view text)
{
    const auto first = style.find_first_not_of(' ');
    const auto last = style.find_last_not_of(' ');
    const std::string_view name =
        first == std::string_view::npos ? std::string_view() : style.substr(first, last - first + 1);
    put("TEXT S " + std::string(name));
    if (!justification.empty())
        put(std::string(justification));
    point(x, y);
    put(height.text());
    put(angle.text());
    put(std::string(text));
}

void CadScript::spline(const std::vector<kv::Point>& points)
{
    put("Spline");
    for (const kv::Point& p : points)
        point(p.x, p.y);
    // End of the fit points, then the start and end tangents.
    enter();
    enter();
    enter();
}

void CadScript::layer(std::string_view name)
{
    put("Layer s " + std::string(name));
    enter();
}

void CadScript::dashed()
{
    put("LINETYPE S Dashed2");
    enter();
    put("LTSCALE 5");
}

void CadScript::solid()
{
    put("LINETYPE S ByLayer");
    enter();
}

void CadScript::zoomAll() { put("ZOOM A"); }

} // namespace zq
