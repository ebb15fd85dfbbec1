// Strain of a deformed grid of marker points, cell by cell: for each grid
// point with a right neighbour and an upper neighbour (the grid row before it;
// grid row 1 is the top row of the picture, columns run left to right), the
// linear strains in x and y, the shear strain and the rotation in degrees
// (counter-clockwise positive, y upwards), from the displacements of the
// three points over the deformed segment lengths.
#pragma once

#include "platform/text/text_file.h"
#include "kit/core/table_cells.h"
#include "strain/core/notice.h"
#include "strain/core/xyz_value_file.h"

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace kv {

enum class GridStrainFailure {
    NoGrid,  // rows or cols below 1 (or not a number): title "错误！"
    BadData, // out-of-range counts, more than 499 points, a coordinate that is
             // not a number, coinciding deformed points, |w| = 1: title "错误"
};

// Both are "网格数据有误，请仔细检查！" with the exclamation icon.
Notice gridStrainNotice(GridStrainFailure failure);
// "Tarvel氏网格法计算完毕,可用WinSurf等软件绘制应变场等值线图！", title "完成".
Notice gridStrainDoneNotice();
// A result file that could not be written (the earlier files stay), title "错误",
// exclamation icon.
Notice gridStrainFilesNotSavedNotice();

// The values at one grid point, placed at the table texts of its coordinates.
struct GridPointStrain {
    std::string xText, yText;
    double strainX = 0;   // εx
    double strainY = 0;   // εy
    double shear = 0;     // γxy
    double rotation = 0;  // θ, degrees
};

// Reads rows and cols (row 1 columns 5 and 6, leading numbers rounded halves
// to even), then the rows x cols points (columns 1 to 4 of rows 1 on), and
// computes every point of grid rows 2 on but the last column. With
// initialCoords the results sit at the points before deformation, else after.
std::variant<std::vector<GridPointStrain>, GridStrainFailure> strainAtGridPoints(const CellText& cell,
                                                                          bool initialCoords);

// The four result files' lines: strain x, strain y, shear, rotation.
struct GridStrainLines {
    std::vector<std::string> strainX, strainY, shear, rotation;
};
GridStrainLines gridStrainLines(const std::vector<GridPointStrain>& points);

// Names of the four result files (defaults "Lex.txt", "Ley.txt", "Lexy.txt", "Lzj.txt").
struct GridStrainFileNames {
    std::string strainX = "Lex.txt";
    std::string strainY = "Ley.txt";
    std::string shear = "Lexy.txt";
    std::string rotation = "Lzj.txt";
};

// Writes all four files or none (a failure leaves an earlier run's files).
FileError writeGridStrainFiles(const GridStrainFileNames& names, const GridStrainLines& lines);

} // namespace kv
