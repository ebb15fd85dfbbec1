// The joint rose window's table scan and its three roses, over any cell texts
// (a file's items or typed keys end up as such texts). The scan asks for at
// most two cells a row and never beyond the table's last row; every rose has
// one vertex per class, finite and inside the net where its radius is a
// count, and its legend counts the records the scan found.
#include "attitude/core/rose.h"
#include "attitude/core/rose_table.h"
#include "fuzz/fuzz_check.h"
#include "platform/text/number_text.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

using kv::fuzz::check;

namespace {

// One table row per input line, the dip direction before the first tab and
// the dip after it.
std::vector<std::pair<std::string, std::string>> tableOf(std::string_view text)
{
    std::vector<std::pair<std::string, std::string>> rows;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        const std::string_view line = text.substr(0, end);
        const std::size_t tab = std::min(line.find('\t'), line.size());
        rows.emplace_back(std::string(line.substr(0, tab)),
                          tab < line.size() ? std::string(line.substr(tab + 1)) : std::string());
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return rows;
}

void checkRose(const kv::RoseDiagram& rose, std::size_t classes, double largestRadius, std::int64_t records)
{
    check(rose.vertices.size() == classes, "one vertex per class");
    check(rose.jointnum == records, "the rose counts the scanned records");
    check(rose.legendLine().find(kv::printText(records)) != std::string::npos, "the legend shows the record count");
    bool reachesRim = false;
    for (const kv::Point& v : rose.vertices) {
        check(std::isfinite(v.x) && std::isfinite(v.y), "vertices are finite");
        const double r = std::hypot(v.x, v.y);
        if (largestRadius > 0) {
            check(r <= largestRadius, "a count's vertex lies inside the net");
            reachesRim = reachesRim || r >= 99;
        }
    }
    if (largestRadius > 0 && records > 0)
        check(reachesRim, "the largest class reaches the net's circle");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto rows = tableOf(std::string_view(reinterpret_cast<const char*>(data), size));
    std::vector<int> asked(kv::kJointTableLastRow + 1, 0);
    const kv::JointTableScan scan = kv::scanJointTable([&](int row, int column) {
        check(row >= 1 && row <= kv::kJointTableLastRow, "the scan stays inside the table's rows");
        check(column == 1 || column == 2, "the scan reads only the two data columns");
        check(++asked[static_cast<std::size_t>(row)] <= 2, "the scan reads each cell once");
        const auto index = static_cast<std::size_t>(row - 1);
        if (index >= rows.size())
            return std::string();
        return column == 1 ? rows[index].first : rows[index].second;
    });

    const auto records = static_cast<std::int64_t>(scan.records.size());
    check(records <= kv::kJointTableLastRow, "no more records than table rows");
    check(scan.stopRow == records + 1, "the records are the rows above the one where the scan stopped");
    check(scan.noRecord == (records == 0), "no record exactly when none was read");

    const kv::RoseDiagram direction = kv::dipDirectionRose(scan.records);
    checkRose(direction, 36, 100.001, records);
    check(direction.maxnum <= records && (records == 0 || direction.maxnum >= 1), "the largest class is a count");

    // Whole-number coordinates: each may be half a unit off its exact place.
    const kv::RoseDiagram strike = kv::strikeRose(scan.records);
    checkRose(strike, 18, 100.71, records);
    for (const kv::Point& v : strike.vertices)
        check(v.x == std::floor(v.x) && v.y == std::floor(v.y), "the strike rose's vertices are whole");

    const kv::RoseDiagram angle = kv::dipAngleRose(scan.records);
    checkRose(angle, 36, 0, records);
    check(angle.maxnum == 0, "the dip-angle rose has no largest count");
    return 0;
}
