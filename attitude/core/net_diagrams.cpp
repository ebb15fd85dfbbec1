#include "attitude/core/net_diagrams.h"

#include "attitude/core/contour_smoothing.h"
#include "attitude/core/density_grid.h"
#include "attitude/core/density_maxima.h"
#include "platform/text/number_text.h"

#include <cmath>

namespace kv {

namespace {

// What differs between the two windows' diagrams.
struct WindowTexts {
    NetWindow window = NetWindow::PreferredOrientation;
    Projection rule = Projection::PlanePole;
    std::string date;                              // preferred orientation
    const PetrofabricSettings* settings = nullptr; // petrofabric
};

std::string countText(int pointCount) { return "N=" + printText(pointCount); }

std::string sectionPlaneText(const PetrofabricSettings& s)
{
    return formatMaskSingle(s.sectionDipDir, "#0.0") + "∠" + formatMaskSingle(s.sectionDip, "#0.0");
}

// The title, the count and the date or mineral line.
void addHeader(Drawing& d, const WindowTexts& w, const char* title, int pointCount)
{
    d.add(textAt(-90, 145, title));
    d.add(textAt(-90, 130, countText(pointCount)));
    if (w.window == NetWindow::PreferredOrientation)
        d.add(textAt(40, 130, "Date:" + w.date));
    else
        d.add(textAt(37, 130, "Mineral: " + w.settings->mineralName));
}

Drawing scatterDrawing(const NetState& state, const WindowTexts& w)
{
    Drawing d;
    for (int i = 0; i < state.pointCount; ++i) {
        const NetPoint p = state.poleXY[static_cast<std::size_t>(i)];
        d.add(DotItem{{p.x, p.y}, colours::black, 2});
    }
    d.append(netFrame());
    addHeader(d, w, "THE DIAGRAM OF DISPERSED POINTS", state.pointCount);
    if (w.window == NetWindow::Petrofabric) {
        d.add(textAt(120, 105, "NO:" + w.settings->sectionNo));
        d.add(textAt(120, 90, "The Plane of Projection:"));
        d.add(textAt(120, 75, sectionPlaneText(*w.settings)));
    }
    d.add(textAt(-90, -125, hemisphereText(w.rule)));
    return d;
}

Drawing contourDrawing(NetState& state, const WindowTexts& w)
{
    countDensity(state);
    const int n = state.pointCount;
    Drawing d = netFrame();
    addHeader(d, w, "THE DIAGRAM OF CONTOUR LINE", n);
    d.add(textAt(-90, -130, hemisphereText(w.rule)));

    const ContourLevels levels = contourLevels(state.maxDensity);
    const int collectAt = maximaLevel(w.window, levels.count);
    const double inside = state.net.netRadius2;
    for (int k = 1; k <= levels.count; ++k) {
        traceLevel(state, levels.value(k), [&](const std::vector<TracePoint>& trace) {
            d.append(contourLineDrawing(trace, inside));
            if (k == collectAt)
                state.maxima.push_back(densityMaximumOfTrace(state, trace));
        });
    }
    sortMaxima(state.maxima);

    const bool petro = w.window == NetWindow::Petrofabric;
    const double column = petro ? 120 : 130;
    const std::string maxText = "Max:" + formatMaskSingle(state.maxDensity / static_cast<float>(n), "0.00%");
    if (petro) {
        d.add(textAt(120, 105, "NO:" + w.settings->sectionNo));
        d.add(textAt(120, 87, maxText));
    } else {
        d.add(textAt(130, 90, maxText));
    }
    for (std::size_t i = 0; i < state.maxima.size(); ++i) {
        const std::string text = maximumText(state.net, w.rule, state.maxima[i]);
        if (!text.empty())
            d.add(textAt(column, 85 - 15 * static_cast<double>(i + 1), text));
    }
    if (petro) {
        const double m = static_cast<double>(state.maxima.size());
        d.add(textAt(120, 80 - 15 * (m + 1), "The Plane of Projection:"));
        d.add(textAt(120, 80 - 15 * (m + 2), sectionPlaneText(*w.settings)));
    }
    d.add(textAt(-90, -117, contourLegend(w.window, levels, n)));
    return d;
}

NetDiagram refusedOrEmpty(const PrepareResult& prep, NetWindow window)
{
    NetDiagram out;
    out.preparation = prep;
    if (prep.status == PrepareStatus::BadRecord)
        out.message = window == NetWindow::PreferredOrientation ? kPreferredOrientationBadRecordMessage
                                                                : kPetrofabricBadRecordMessage;
    return out;
}

} // namespace

int maximaLevel(NetWindow window, int levelCount)
{
    if (window == NetWindow::Petrofabric)
        return levelCount >= 4 ? 4 : 0;
    return static_cast<int>(std::floor(levelCount * 0.618));
}

std::string contourLegend(NetWindow window, const ContourLevels& levels, int pointCount)
{
    const std::string separator = window == NetWindow::PreferredOrientation ? " - " : "  -  ";
    const float n = static_cast<float>(pointCount);
    std::string legend;
    for (int k = 1; k <= levels.count; ++k) {
        if (k > 1)
            legend += separator;
        if (k == 1)
            legend += formatMask(1.2 / pointCount, "0.0%");
        else
            legend += formatMaskSingle(static_cast<float>(k) * levels.step / n, "0.0%");
    }
    return legend;
}

NetDiagram PreferredOrientationEngine::scatterDiagram(const CellText& cells, const std::string& date)
{
    const Projection rule = projection();
    const PrepareResult prep = prepareData(state, cells, rule);
    if (!prep.accepted())
        return refusedOrEmpty(prep, NetWindow::PreferredOrientation);
    return {prep, scatterDrawing(state, {NetWindow::PreferredOrientation, rule, date, nullptr}), {}};
}

NetDiagram PreferredOrientationEngine::contourDiagram(const CellText& cells, const std::string& date)
{
    state.maxDensity = 0;
    state.maxima.clear();
    const Projection rule = projection();
    const PrepareResult prep = prepareData(state, cells, rule);
    if (!prep.accepted())
        return refusedOrEmpty(prep, NetWindow::PreferredOrientation);
    return {prep, contourDrawing(state, {NetWindow::PreferredOrientation, rule, date, nullptr}), {}};
}

std::string PreferredOrientationEngine::pointerReadout(double x, double y) const
{
    return kv::pointerReadout(state.net, projection(), x, y);
}

NetDiagram PetrofabricEngine::scatterDiagram(const CellText& cells)
{
    const PrepareResult prep = prepareData(state, cells, settings);
    if (!prep.accepted())
        return refusedOrEmpty(prep, NetWindow::Petrofabric);
    return {prep, scatterDrawing(state, {NetWindow::Petrofabric, projection(), {}, &settings}), {}};
}

NetDiagram PetrofabricEngine::contourDiagram(const CellText& cells)
{
    state.maxDensity = 0;
    state.maxima.clear();
    const PrepareResult prep = prepareData(state, cells, settings);
    if (!prep.accepted())
        return refusedOrEmpty(prep, NetWindow::Petrofabric);
    return {prep, contourDrawing(state, {NetWindow::Petrofabric, projection(), {}, &settings}), {}};
}

std::string PetrofabricEngine::pointerReadout(double x, double y) const
{
    return kv::pointerReadout(state.net, projection(), x, y);
}

} // namespace kv
