// Zelquad's triangulation cache, fed the input as the cache file in a folder
// of its own. A cache is either refused or exactly the triangulation of the
// contour nodes, and the run takes exactly that triangulation whatever the
// folder holds: a cache that is not right is built again, never trusted.
//
// The input is then written again with a check line that holds for its
// lines (over its own check line, if it ends with one), so that every input
// reaches the parsing of the triangle lines behind the check: lines of three
// node numbers each are taken, a cache taken names only nodes, a triangle a
// line, and the contour tracer draws the triangles it gives, however odd,
// with lines of at least two points that stay among the nodes.
#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_text.h"
#include "platform/text/text_file.h"
#include "zelquad/core/contour_nodes.h"
#include "zelquad/core/density_contours.h"
#include "zelquad/core/triangle_cache.h"
#include "zelquad/core/triangulation.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

#include <unistd.h>

using kv::fuzz::check;

namespace {

namespace fs = std::filesystem;

const std::vector<zq::ContourNode>& nodes()
{
    static const std::vector<zq::ContourNode> all = zq::contourNodes(zq::DensityGrid{});
    return all;
}

const zq::Triangles& sound()
{
    static const zq::Triangles triangles = zq::triangulate(nodes());
    return triangles;
}

const std::string& folder()
{
    static const std::string path = [] {
        const fs::path p = fs::temp_directory_path() / ("kv_fuzz_triangle_cache_" + std::to_string(::getpid()));
        fs::create_directories(p);
        return p.string();
    }();
    return path;
}

void removeFolder()
{
    std::error_code ignored;
    fs::remove_all(folder(), ignored);
}

// The same nodes with densities that vary from node to node (0..12 per
// cent), so that every level cuts some triangles.
const std::vector<zq::ContourNode>& contouredNodes()
{
    static const std::vector<zq::ContourNode> all = [] {
        std::vector<zq::ContourNode> n = nodes();
        for (std::size_t i = 0; i < n.size(); ++i)
            n[i].density = static_cast<double>(i * 37 % 13);
        return n;
    }();
    return all;
}

// A line the reader must take: three node numbers of the nodes, plain
// decimal digits, separated by commas.
bool soundTriangleLine(const std::string& line)
{
    std::size_t at = 0;
    for (int k = 0; k < 3; ++k) {
        const std::size_t start = at;
        long value = 0;
        while (at < line.size() && at - start < 4 && line[at] >= '0' && line[at] <= '9')
            value = value * 10 + (line[at++] - '0');
        if (at == start || value >= static_cast<long>(nodes().size()))
            return false;
        if (k < 2 && (at == line.size() || line[at++] != ','))
            return false;
    }
    return at == line.size();
}

void writeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    check(out.good(), "the input is written as the cache file");
}

// Sixteen hexadecimal digits: the place of a check line.
bool checkLike(const std::string& line)
{
    return line.size() == 16 && line.find_first_not_of("0123456789abcdefABCDEF") == std::string::npos;
}

// The input's lines closed by the check line that holds for them; a check
// line of the input's own is written over.
void checkedInput(const std::uint8_t* data, std::size_t size)
{
    const kv::fuzz::InputText input = kv::fuzz::inputText(data, size);
    if (!input.decoded)
        return; // refused before its lines are read, as the first half shows
    std::vector<std::string> lines = kv::splitLines(input.text);
    if (!lines.empty() && checkLike(lines.back()))
        lines.pop_back();
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    text += zq::triangleCacheCheckLine(nodes(), lines) + "\r\n";
    const auto bytes = kv::encodeCodePage(text);
    check(bytes.has_value(), "decoded lines can be encoded again");
    const std::string path = zq::triangleCachePath(folder());
    writeFile(path, *bytes);

    const auto cached = zq::readTriangleCache(path, nodes());
    const bool sound = !lines.empty() && std::all_of(lines.begin(), lines.end(), soundTriangleLine);
    check(!sound || cached, "a cache of sound triangle lines with its check is taken");
    if (!cached)
        return;
    check(cached->size() == lines.size(), "a taken cache has a triangle per line");
    const int count = static_cast<int>(nodes().size());
    for (const zq::Triangle& t : *cached)
        for (int n : t)
            check(n >= 0 && n < count, "a taken triangle's node numbers are nodes");

    double left = 1e300, right = -1e300, bottom = 1e300, top = -1e300;
    for (const zq::ContourNode& n : nodes()) {
        left = std::min(left, static_cast<double>(n.x));
        right = std::max(right, static_cast<double>(n.x));
        bottom = std::min(bottom, static_cast<double>(n.y));
        top = std::max(top, static_cast<double>(n.y));
    }
    // Levels 1, 5 and 9: three are enough to cut every kind of triangle, and
    // each level costs a pass over all pairs of cuts.
    for (const zq::ContourLine& line : zq::densityContours(contouredNodes(), *cached, 1, 13, 4)) {
        check(line.points.size() >= 2, "a contour line has two points or more");
        check(line.level == 1 || line.level == 5 || line.level == 9, "a contour line is at one of the levels");
        for (const kv::Point& p : line.points)
            check(p.x >= left - 1e-9 && p.x <= right + 1e-9 && p.y >= bottom - 1e-9 && p.y <= top + 1e-9,
                  "a contour stays among the nodes");
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // The folder is the fuzzer's own: it goes when the fuzzer stops (before
    // the name it is kept under, which was made first).
    const std::string path = zq::triangleCachePath(folder());
    std::atexit(removeFolder);
    // The cache the program writes is one it takes again.
    check(zq::writeTriangleCache(path, nodes(), sound()), "a cache can be written");
    const auto cached = zq::readTriangleCache(path, nodes());
    check(cached && *cached == sound(), "a written cache reads back as the triangulation");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string path = zq::triangleCachePath(folder());
    writeFile(path, std::string(reinterpret_cast<const char*>(data), size));
    const auto cached = zq::readTriangleCache(path, nodes());
    // A cache refused is built again and rewritten by the run; a rebuild costs
    // too much to make for every input.
    if (cached) {
        check(*cached == sound(), "a cache that is taken is exactly the triangulation");
        check(zq::cachedTriangulation(nodes(), folder()) == sound(), "the run takes exactly the triangulation");
    }
    checkedInput(data, size);
    return 0;
}
