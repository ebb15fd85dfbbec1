// A reader of the subset of the CAD command language the plot script uses,
// independent of the program's writer: it replays the lines as the CAD program
// answers them, prompt by prompt, and rebuilds the entities with the layer and
// line type current when each was drawn. A space inside an answer ends it as
// Enter does (except for the text of a TEXT command), and an empty answer where
// a command is expected would repeat the last command, so it is an error here.
#pragma once

#include <charconv>
#include <cstdlib>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace kv::test {

struct CadPoint {
    double x = 0;
    double y = 0;
};

struct CadEntity {
    enum class Kind { Line, Circle, Arc, Text, Spline };
    Kind kind = Kind::Line;
    std::string layer;    // upper case
    std::string lineType; // entity line type: "BYLAYER" or a name, upper case
    // Line: from, to. Circle: centre. Arc: centre, start, end (counter-clockwise).
    // Text: insertion point. Spline: fit points.
    std::vector<CadPoint> points;
    double radius = 0;
    std::string style, justification, text;
    double height = 0;
    double angle = 0;
};

struct CadLayer {
    std::string colour = "WHITE";
    std::string lineType = "CONTINUOUS";
};

struct CadDrawing {
    CadPoint limitsLow, limitsHigh;
    std::map<std::string, std::string> styles; // name -> font
    std::map<std::string, CadLayer> layers{{"0", {}}};
    std::vector<CadEntity> entities;
    double ltscale = 1;
    bool zoomedAll = false; // the last command
};

struct CadReadResult {
    CadDrawing drawing;
    std::string error; // empty when the whole script was replayed
    int errorLine = 0; // 1-based line of the answer that failed
};

namespace cad_detail {

inline std::string upper(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return out;
}

inline std::optional<double> number(std::string_view s)
{
    if (s.empty())
        return std::nullopt;
    std::string text(s);
    char* end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size())
        return std::nullopt;
    return v;
}

inline std::optional<CadPoint> point(std::string_view s)
{
    const auto comma = s.find(',');
    if (comma == std::string_view::npos)
        return std::nullopt;
    const auto x = number(s.substr(0, comma));
    const auto y = number(s.substr(comma + 1));
    if (!x || !y)
        return std::nullopt;
    return CadPoint{*x, *y};
}

// The answers of a script, as the command line takes them.
class Answers {
public:
    explicit Answers(const std::vector<std::string>& lines)
    {
        for (const std::string& l : lines)
            text_ += l + '\n';
    }
    bool atEnd() const { return pos_ >= text_.size(); }
    int line() const { return line_; }
    // Up to the next blank or line end.
    std::optional<std::string> next()
    {
        if (atEnd())
            return std::nullopt;
        std::size_t end = pos_;
        while (end < text_.size() && text_[end] != ' ' && text_[end] != '\n')
            ++end;
        std::string answer = text_.substr(pos_, end - pos_);
        take(end);
        return answer;
    }
    // Up to the line end, blanks included.
    std::optional<std::string> textAnswer()
    {
        if (atEnd())
            return std::nullopt;
        std::size_t end = text_.find('\n', pos_);
        if (end == std::string::npos)
            end = text_.size();
        std::string answer = text_.substr(pos_, end - pos_);
        take(end);
        return answer;
    }

private:
    void take(std::size_t end)
    {
        line_ = currentLine_;
        if (end < text_.size() && text_[end] == '\n')
            ++currentLine_;
        pos_ = end + 1;
    }
    std::string text_;
    std::size_t pos_ = 0;
    int currentLine_ = 1;
    int line_ = 0;
};

class Replay {
public:
    explicit Replay(const std::vector<std::string>& lines) : in_(lines) {}

    CadReadResult run()
    {
        while (result_.error.empty() && !in_.atEnd())
            command();
        return result_;
    }

private:
    bool fail(const std::string& why)
    {
        if (result_.error.empty()) {
            result_.error = why;
            result_.errorLine = in_.line();
        }
        return false;
    }
    std::optional<std::string> answer(const char* prompt)
    {
        auto a = in_.next();
        if (!a)
            fail(std::string("script ends at the prompt for ") + prompt);
        return a;
    }
    std::optional<CadPoint> pointAnswer(const char* prompt)
    {
        auto a = answer(prompt);
        if (!a)
            return std::nullopt;
        auto p = point(*a);
        if (!p)
            fail(std::string("not a point for ") + prompt + ": \"" + *a + "\"");
        return p;
    }
    std::optional<double> numberAnswer(const char* prompt)
    {
        auto a = answer(prompt);
        if (!a)
            return std::nullopt;
        auto v = number(*a);
        if (!v)
            fail(std::string("not a number for ") + prompt + ": \"" + *a + "\"");
        return v;
    }
    bool enter(const char* prompt)
    {
        auto a = answer(prompt);
        if (a && !a->empty())
            return fail(std::string("expected Enter for ") + prompt + ", got \"" + *a + "\"");
        return bool(a);
    }

    CadEntity entity(CadEntity::Kind kind)
    {
        CadEntity e;
        e.kind = kind;
        e.layer = currentLayer_;
        e.lineType = lineType_;
        return e;
    }

    void command()
    {
        const auto word = in_.next();
        if (result_.drawing.zoomedAll) {
            fail("nothing may follow the final zoom");
            return;
        }
        const std::string c = upper(*word);
        if (c.empty())
            fail("an empty line here repeats the last command");
        else if (c == "LIMITS")
            limits();
        else if (c == "STYLE")
            style();
        else if (c == "LAYER")
            layer();
        else if (c == "LINETYPE")
            lineType();
        else if (c == "LTSCALE") {
            if (auto v = numberAnswer("line type scale"))
                result_.drawing.ltscale = *v;
        } else if (c == "LINE")
            line();
        else if (c == "CIRCLE")
            circle();
        else if (c == "ARC")
            arc();
        else if (c == "TEXT")
            text();
        else if (c == "SPLINE")
            spline();
        else if (c == "ZOOM") {
            auto a = answer("zoom option");
            if (a && upper(*a) == "A")
                result_.drawing.zoomedAll = true;
            else if (a)
                fail("unknown zoom option");
        } else
            fail("unknown command \"" + *word + "\"");
    }

    void limits()
    {
        auto low = pointAnswer("lower left corner");
        auto high = low ? pointAnswer("upper right corner") : std::nullopt;
        if (high) {
            result_.drawing.limitsLow = *low;
            result_.drawing.limitsHigh = *high;
        }
    }

    void style()
    {
        auto name = answer("style name");
        auto font = name ? answer("font name") : std::nullopt;
        if (!font)
            return;
        if (font->empty()) {
            fail("a new style needs a font");
            return;
        }
        // A shape font also asks whether the text is vertical.
        const bool shapeFont = upper(*font).size() > 4 && upper(*font).substr(upper(*font).size() - 4) == ".SHX";
        const char* prompts[] = {"height", "width factor", "obliquing angle", "backwards", "upside-down", "vertical"};
        for (int i = 0; i < (shapeFont ? 6 : 5); ++i)
            if (!enter(prompts[i]))
                return;
        result_.drawing.styles[upper(*name)] = *font;
    }

    void layer()
    {
        auto& layers = result_.drawing.layers;
        for (;;) {
            auto option = answer("layer option");
            if (!option)
                return;
            const std::string o = upper(*option);
            if (o.empty())
                return;
            if (o == "M") {
                auto name = answer("layer to make");
                if (!name)
                    return;
                layers[upper(*name)];
                currentLayer_ = upper(*name);
            } else if (o == "S") {
                auto name = answer("layer to set");
                if (!name)
                    return;
                if (!layers.count(upper(*name))) {
                    fail("no layer \"" + *name + "\"");
                    return;
                }
                currentLayer_ = upper(*name);
            } else if (o == "C" || o == "L") {
                auto value = answer(o == "C" ? "colour" : "line type");
                auto which = value ? answer("layers to change") : std::nullopt;
                if (!which)
                    return;
                const std::string target = which->empty() ? currentLayer_ : upper(*which);
                if (!layers.count(target)) {
                    fail("no layer \"" + *which + "\"");
                    return;
                }
                (o == "C" ? layers[target].colour : layers[target].lineType) = upper(*value);
            } else {
                fail("unknown layer option \"" + *option + "\"");
                return;
            }
        }
    }

    void lineType()
    {
        for (;;) {
            auto option = answer("line type option");
            if (!option || option->empty())
                return;
            if (upper(*option) != "S") {
                fail("unknown line type option \"" + *option + "\"");
                return;
            }
            auto name = answer("current line type");
            if (!name)
                return;
            lineType_ = upper(*name);
        }
    }

    void line()
    {
        auto from = pointAnswer("first point");
        if (!from)
            return;
        for (;;) {
            auto a = answer("next point");
            if (!a || a->empty())
                return;
            auto to = point(*a);
            if (!to) {
                fail("not a point for next point: \"" + *a + "\"");
                return;
            }
            CadEntity e = entity(CadEntity::Kind::Line);
            e.points = {*from, *to};
            result_.drawing.entities.push_back(e);
            from = to;
        }
    }

    void circle()
    {
        auto centre = pointAnswer("centre");
        auto r = centre ? numberAnswer("radius") : std::nullopt;
        if (!r)
            return;
        CadEntity e = entity(CadEntity::Kind::Circle);
        e.points = {*centre};
        e.radius = *r;
        result_.drawing.entities.push_back(e);
    }

    void arc()
    {
        auto option = answer("arc start or Centre");
        if (!option)
            return;
        if (upper(*option) != "C") {
            fail("only arcs by centre are read");
            return;
        }
        auto centre = pointAnswer("centre");
        auto start = centre ? pointAnswer("start point") : std::nullopt;
        auto end = start ? pointAnswer("end point") : std::nullopt;
        if (!end)
            return;
        CadEntity e = entity(CadEntity::Kind::Arc);
        e.points = {*centre, *start, *end};
        result_.drawing.entities.push_back(e);
    }

    void text()
    {
        static const std::set<std::string> justifications = {
            "A", "F", "C", "M", "R", "TL", "TC", "TR", "ML", "MC", "MR", "BL", "BC", "BR"};
        CadEntity e = entity(CadEntity::Kind::Text);
        e.style = "STANDARD";
        std::optional<std::string> a = answer("text start point or option");
        while (a && (upper(*a) == "S" || justifications.count(upper(*a)))) {
            if (upper(*a) == "S") {
                auto name = answer("text style");
                if (!name)
                    return;
                if (!result_.drawing.styles.count(upper(*name))) {
                    fail("no text style \"" + *name + "\"");
                    return;
                }
                e.style = upper(*name);
            } else {
                e.justification = upper(*a);
            }
            a = answer("text start point");
        }
        if (!a)
            return;
        auto at = point(*a);
        if (!at) {
            fail("not a point for text: \"" + *a + "\"");
            return;
        }
        auto height = numberAnswer("text height");
        auto angle = height ? numberAnswer("text angle") : std::nullopt;
        if (!angle)
            return;
        auto value = in_.textAnswer();
        if (!value) {
            fail("script ends at the prompt for the text");
            return;
        }
        e.points = {*at};
        e.height = *height;
        e.angle = *angle;
        e.text = *value;
        result_.drawing.entities.push_back(e);
    }

    void spline()
    {
        CadEntity e = entity(CadEntity::Kind::Spline);
        for (;;) {
            auto a = answer("fit point");
            if (!a)
                return;
            if (a->empty())
                break;
            auto p = point(*a);
            if (!p) {
                fail("not a point for fit point: \"" + *a + "\"");
                return;
            }
            e.points.push_back(*p);
        }
        if (e.points.size() < 2) {
            fail("a spline needs two fit points");
            return;
        }
        if (enter("start tangent") && enter("end tangent"))
            result_.drawing.entities.push_back(e);
    }

    Answers in_;
    CadReadResult result_;
    std::string currentLayer_ = "0";
    std::string lineType_ = "BYLAYER";
};

} // namespace cad_detail

inline CadReadResult readCadScript(const std::vector<std::string>& lines)
{
    return cad_detail::Replay(lines).run();
}

} // namespace kv::test
