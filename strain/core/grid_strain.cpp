#include "strain/core/grid_strain.h"

#include "platform/text/number_text.h"
#include "platform/text/text_file.h"
#include "strain/core/grid_data_file.h"

#include <array>
#include <cmath>

namespace kv {

namespace {

constexpr double kGridPi = 3.1415926;

struct GridPointTexts {
    std::array<std::string, 4> text; // x0, y0, x1, y1 as in the table
    double x1 = 0, y1 = 0;           // deformed position
    double u = 0, v = 0;             // displacement
};

double length(const GridPointTexts& a, const GridPointTexts& b)
{
    return std::sqrt((a.x1 - b.x1) * (a.x1 - b.x1) + (a.y1 - b.y1) * (a.y1 - b.y1));
}

std::optional<GridPointStrain> strainAt(const GridPointTexts& j, const GridPointTexts& h, const GridPointTexts& p,
                                        bool initialCoords)
{
    const double lh = length(h, j);
    const double lv = length(p, j);
    // Coinciding points have no length; coordinates near the limits of a
    // double overflow it and would pass for a strain of nothing.
    if (lh == 0 || lv == 0 || !std::isfinite(lh) || !std::isfinite(lv))
        return std::nullopt;
    const double w = ((h.v - j.v) / lh - (p.u - j.u) / lv) / 2;
    const double c = std::sqrt(std::fabs(1 - w * w));
    if (c == 0)
        return std::nullopt;
    GridPointStrain s;
    s.rotation = 180 * std::atan(w / c) / kGridPi;
    s.strainX = (h.u - j.u) / lh + (1 - c);
    s.strainY = (p.v - j.v) / lv + (1 - c);
    s.shear = ((h.v - j.v) / lh + (p.u - j.u) / lv) / 2;
    for (double v : {s.rotation, s.strainX, s.strainY, s.shear})
        if (!std::isfinite(v))
            return std::nullopt;
    s.xText = j.text[initialCoords ? 0 : 2];
    s.yText = j.text[initialCoords ? 1 : 3];
    return s;
}

} // namespace

Notice gridStrainNotice(GridStrainFailure failure)
{
    return {"网格数据有误，请仔细检查！", failure == GridStrainFailure::NoGrid ? "错误！" : "错误",
            NoticeIcon::Exclamation};
}

Notice gridStrainDoneNotice()
{
    return {"Tarvel氏网格法计算完毕,可用WinSurf等软件绘制应变场等值线图！", "完成"};
}

Notice gridStrainFilesNotSavedNotice()
{
    return {"网格法结果文件无法写入，请检查文件名、权限和磁盘空间！", "错误", NoticeIcon::Exclamation};
}

std::variant<std::vector<GridPointStrain>, GridStrainFailure> strainAtGridPoints(const CellText& cell,
                                                                          bool initialCoords)
{
    const auto rows = roundToInt16(leadingNumber(cell(1, 5)));
    const auto cols = roundToInt16(leadingNumber(cell(1, 6)));
    if (!rows || !cols)
        return GridStrainFailure::BadData;
    // Both negative would multiply to a positive count of nothing real.
    if (*rows < 1 || *cols < 1)
        return GridStrainFailure::NoGrid;
    const int n = *rows * *cols;
    if (n > kGridTableLastRow)
        return GridStrainFailure::BadData;

    std::vector<GridPointTexts> points(static_cast<std::size_t>(n) + 1); // from 1, as the table's rows
    for (int k = 1; k <= n; ++k) {
        GridPointTexts& pt = points[static_cast<std::size_t>(k)];
        std::array<double, 4> v{};
        for (int column = 1; column <= 4; ++column) {
            pt.text[static_cast<std::size_t>(column - 1)] = cell(k, column);
            const auto number = numberOfCellText(pt.text[static_cast<std::size_t>(column - 1)]);
            if (!number)
                return GridStrainFailure::BadData;
            v[static_cast<std::size_t>(column - 1)] = *number;
        }
        pt.x1 = v[2];
        pt.y1 = v[3];
        pt.u = v[2] - v[0];
        pt.v = v[3] - v[1];
    }

    std::vector<GridPointStrain> result;
    for (int i = 2; i <= *rows; ++i)
        for (int j = (i - 1) * *cols + 1; j <= i * *cols - 1; ++j) {
            const auto s = strainAt(points[static_cast<std::size_t>(j)], points[static_cast<std::size_t>(j + 1)],
                                    points[static_cast<std::size_t>(j - *cols)], initialCoords);
            if (!s)
                return GridStrainFailure::BadData;
            result.push_back(*s);
        }
    return result;
}

GridStrainLines gridStrainLines(const std::vector<GridPointStrain>& points)
{
    GridStrainLines lines;
    for (const GridPointStrain& p : points) {
        lines.strainX.push_back(xyzValueLine({p.xText, p.yText, xyzComputedValue(p.strainX)}));
        lines.strainY.push_back(xyzValueLine({p.xText, p.yText, xyzComputedValue(p.strainY)}));
        lines.shear.push_back(xyzValueLine({p.xText, p.yText, xyzComputedValue(p.shear)}));
        lines.rotation.push_back(xyzValueLine({p.xText, p.yText, xyzComputedValue(p.rotation)}));
    }
    return lines;
}

FileError writeGridStrainFiles(const GridStrainFileNames& names, const GridStrainLines& lines)
{
    return writeTextFileSet({{names.strainX, lines.strainX},
                             {names.strainY, lines.strainY},
                             {names.shear, lines.shear},
                             {names.rotation, lines.rotation}});
}

} // namespace kv
