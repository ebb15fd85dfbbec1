#include "zelquad/core/plot_sheet.h"

#include "zelquad/core/cad_script.h"
#include "zelquad/core/sheet_histogram.h"
#include "zelquad/core/sheet_net.h"
#include "zelquad/core/sheet_roses.h"

namespace zq {

std::vector<std::string> plotSheetScript(const std::string& site, const FractureStatistics& st,
                                         const std::vector<ContourLine>& contours)
{
    CadScript script;
    script.writeHeader();
    writeTitleBlock(script, site, st.recordCount);
    writeNetOutline(script);
    writeNetLabels(script);
    writeDipScaleBar(script);
    script.layer("Green");
    for (const ContourLine& line : contours)
        script.spline(line.points);
    writeStrikeRose(script, st); // its frame still on the contours' layer
    writeStrikeTable(script, st);
    writeDipDirectionRose(script, st);
    writeDipHistogram(script, st);
    writeCaptions(script); // on the layer of the last bar label
    writeSheetFrame(script);
    script.zoomAll();
    return script.lines();
}

} // namespace zq
