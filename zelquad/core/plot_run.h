// One run of the generator: read and check the data file, compute the classes,
// the density grid and its contours, write the script of the whole sheet and
// hand back what the screen shows. Nothing is written unless the whole run
// succeeds, and the data file is never written over.
#pragma once

#include "zelquad/core/fracture_records.h"
#include "zelquad/core/fracture_statistics.h"

#include "platform/draw/drawing.h"

#include <string>
#include <variant>

namespace zq {

struct PlotRequest {
    std::string site;           // project site, the start of the title
    std::string dataFileName;
    std::string scriptFileName; // ".scr" is added unless present
    std::string cacheFolder;    // where the triangulation is kept; empty: not kept
};

enum class RunProblem {
    DataCannotOpen,
    DataTooLarge,
    DataBadEncoding,
    BadRecord,         // see RunFailure::record
    SiteCannotEncode,  // the site has characters the script's code page lacks
    ScriptIsDataFile,
    ScriptCannotWrite,
};

struct RunFailure {
    RunProblem problem;
    RecordFailure record{RecordProblem::NoRecords, 0}; // for BadRecord
    std::string scriptPath;                            // the name with its extension
};

struct PlotResult {
    std::string scriptPath; // the name the script was saved under
    FractureStatistics statistics;
    kv::Drawing smallPreview;  // twips of the dialog's picture
    kv::Drawing resultPreview; // twips of the result window
};

std::variant<PlotResult, RunFailure> generatePlotScript(const PlotRequest& request);

} // namespace zq
