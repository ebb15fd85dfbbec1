// Zelquad's triangulation cache, fed the input as the cache file in a folder
// of its own. A cache is either refused or exactly the triangulation of the
// contour nodes, and the run takes exactly that triangulation whatever the
// folder holds: a cache that is not right is built again, never trusted.
#include "fuzz/fuzz_check.h"
#include "zelquad/core/contour_nodes.h"
#include "zelquad/core/triangle_cache.h"
#include "zelquad/core/triangulation.h"

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
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
        check(out.good(), "the input is written as the cache file");
    }
    const auto cached = zq::readTriangleCache(path, nodes());
    if (!cached)
        return 0; // built again and rewritten by the run; a rebuild costs too much to make for every input
    check(*cached == sound(), "a cache that is taken is exactly the triangulation");
    check(zq::cachedTriangulation(nodes(), folder()) == sound(), "the run takes exactly the triangulation");
    return 0;
}
