#include "zelquad/core/plot_run.h"

#include "platform/text/text_file.h"
#include "zelquad/core/contour_nodes.h"
#include "zelquad/core/density_contours.h"
#include "zelquad/core/file_names.h"
#include "zelquad/core/plot_previews.h"
#include "zelquad/core/plot_sheet.h"
#include "zelquad/core/triangle_cache.h"

#include <filesystem>
#include <system_error>

namespace zq {

namespace {

// Contour levels of the density plot, in percent.
constexpr int kFirstLevel = 0;
constexpr int kLevelLimit = 12;
constexpr int kLevelStep = 2;

std::optional<RunProblem> readProblem(kv::FileError e)
{
    switch (e) {
    case kv::FileError::None:
        return std::nullopt;
    case kv::FileError::TooLarge:
        return RunProblem::DataTooLarge;
    case kv::FileError::BadEncoding:
        return RunProblem::DataBadEncoding;
    default:
        return RunProblem::DataCannotOpen;
    }
}

// Links and other names of the same file count as the same file.
bool isSameFile(const std::string& a, const std::string& b)
{
    std::error_code ec;
    const bool same = std::filesystem::equivalent(a, b, ec);
    return same && !ec;
}

struct PlotSheet {
    FractureStatistics statistics;
    std::vector<std::string> scriptLines;
    kv::Drawing smallPreview;
    kv::Drawing resultPreview;
};

PlotSheet composePlotSheet(const std::string& site, const CheckedRecords& records, const std::string& cacheFolder)
{
    PlotSheet sheet;
    sheet.statistics = computeStatistics(records);
    const std::vector<ContourNode> nodes = contourNodes(sheet.statistics.density);
    const std::vector<ContourLine> contours =
        densityContours(nodes, cachedTriangulation(nodes, cacheFolder), kFirstLevel, kLevelLimit, kLevelStep);
    sheet.scriptLines = plotSheetScript(site, sheet.statistics, contours);
    sheet.smallPreview = smallPreview(records, sheet.statistics);
    sheet.resultPreview = resultPreview(sheet.statistics, contours);
    return sheet;
}

} // namespace

std::variant<PlotResult, RunFailure> generatePlotScript(const PlotRequest& request)
{
    const std::string scriptPath = withScriptExtension(request.scriptFileName);
    auto failure = [&](RunProblem p) { return RunFailure{p, {RecordProblem::NoRecords, 0}, scriptPath}; };

    const kv::TextReadResult data = kv::readTextFile(request.dataFileName);
    if (std::optional<RunProblem> p = readProblem(data.error))
        return failure(*p);
    std::variant<CheckedRecords, RecordFailure> read = readFractureRecords(data.text);
    if (const auto* bad = std::get_if<RecordFailure>(&read))
        return RunFailure{RunProblem::BadRecord, *bad, scriptPath};
    const CheckedRecords& records = std::get<CheckedRecords>(read);

    if (!kv::encodeCodePage(request.site))
        return failure(RunProblem::SiteCannotEncode);
    if (isSameFile(scriptPath, request.dataFileName))
        return failure(RunProblem::ScriptIsDataFile);

    PlotSheet sheet = composePlotSheet(request.site, records, request.cacheFolder);
    switch (kv::writeTextFile(scriptPath, sheet.scriptLines)) {
    case kv::FileError::None:
        break;
    case kv::FileError::CannotEncode:
        return failure(RunProblem::SiteCannotEncode);
    default:
        return failure(RunProblem::ScriptCannotWrite);
    }
    return PlotResult{scriptPath, sheet.statistics, std::move(sheet.smallPreview), std::move(sheet.resultPreview)};
}

} // namespace zq
