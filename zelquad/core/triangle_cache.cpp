#include "zelquad/core/triangle_cache.h"

#include "platform/text/text_file.h"

#include <charconv>
#include <filesystem>
#include <string_view>
#include <system_error>

namespace zq {

namespace {

// One node number followed by the expected end, at the start of text.
std::optional<int> nodeNumber(std::string_view& text, char end)
{
    int value = -1;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || value < 0 || value >= kContourNodeCount)
        return std::nullopt;
    text.remove_prefix(static_cast<std::size_t>(ptr - text.data()));
    if (end != '\0') {
        if (text.empty() || text.front() != end)
            return std::nullopt;
        text.remove_prefix(1);
    } else if (!text.empty()) {
        return std::nullopt;
    }
    return value;
}

std::optional<Triangle> triangleOf(std::string_view line)
{
    Triangle t{};
    const char ends[] = {',', ',', '\0'};
    for (int k = 0; k < 3; ++k) {
        const std::optional<int> n = nodeNumber(line, ends[k]);
        if (!n)
            return std::nullopt;
        t[k] = *n;
    }
    return t;
}

} // namespace

std::string triangleCachePath(const std::string& folder)
{
    return (std::filesystem::path(folder) / "ZelData.zel").string();
}

std::optional<Triangles> readTriangleCache(const std::string& path)
{
    // The sound file has 618 short lines; anything much bigger is not it.
    const kv::TextReadResult read = kv::readTextFile(path, 64 * 1024);
    if (read.error != kv::FileError::None)
        return std::nullopt;
    const std::vector<std::string> lines = kv::splitLines(read.text);
    if (lines.size() != static_cast<std::size_t>(kTriangleCount))
        return std::nullopt;
    Triangles triangles;
    triangles.reserve(lines.size());
    for (const std::string& line : lines) {
        const std::optional<Triangle> t = triangleOf(line);
        if (!t)
            return std::nullopt;
        triangles.push_back(*t);
    }
    return triangles;
}

bool writeTriangleCache(const std::string& path, const Triangles& triangles)
{
    std::vector<std::string> lines;
    lines.reserve(triangles.size());
    for (const Triangle& t : triangles)
        lines.push_back(std::to_string(t[0]) + ',' + std::to_string(t[1]) + ',' + std::to_string(t[2]));
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
    return kv::writeTextFile(path, lines) == kv::FileError::None;
}

Triangles cachedTriangulation(const std::vector<ContourNode>& nodes, const std::string& folder)
{
    if (folder.empty())
        return triangulate(nodes);
    const std::string path = triangleCachePath(folder);
    if (std::optional<Triangles> cached = readTriangleCache(path))
        return *cached;
    Triangles built = triangulate(nodes);
    writeTriangleCache(path, built);
    return built;
}

} // namespace zq
