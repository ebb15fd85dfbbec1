#include "zelquad/core/triangle_cache.h"

#include "platform/text/text_file.h"

#include <charconv>
#include <cstdint>
#include <filesystem>
#include <string_view>
#include <system_error>

namespace zq {

namespace {

// One node number followed by the expected end, at the start of text.
std::optional<int> nodeNumber(std::string_view& text, char end, int nodeCount)
{
    int value = -1;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || value < 0 || value >= nodeCount)
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

std::optional<Triangle> triangleOf(std::string_view line, int nodeCount)
{
    Triangle t{};
    const char ends[] = {',', ',', '\0'};
    for (int k = 0; k < 3; ++k) {
        const std::optional<int> n = nodeNumber(line, ends[k], nodeCount);
        if (!n)
            return std::nullopt;
        t[k] = *n;
    }
    return t;
}

std::string lineOf(const Triangle& t)
{
    return std::to_string(t[0]) + ',' + std::to_string(t[1]) + ',' + std::to_string(t[2]);
}

// FNV-1a over the node positions and the triangle lines. Node numbers in range
// say nothing of whether the triangles are the ones built for these nodes;
// the check does, against accidents (a hand edit, a cut, another version's
// file), not against someone forging it.
std::uint64_t checkOf(const std::vector<ContourNode>& nodes, const std::vector<std::string>& triangleLines)
{
    std::uint64_t hash = 14695981039346656037u;
    auto add = [&hash](std::string_view text) {
        for (const char c : text) {
            hash ^= static_cast<unsigned char>(c);
            hash *= 1099511628211u;
        }
    };
    for (const ContourNode& n : nodes)
        add(std::to_string(n.x) + ',' + std::to_string(n.y) + ';');
    for (const std::string& line : triangleLines)
        add(line + '\n');
    return hash;
}

// The check line's number; nothing unless the line is sixteen hexadecimal digits.
std::optional<std::uint64_t> checkOfLine(std::string_view line)
{
    std::uint64_t value = 0;
    const auto [ptr, ec] = std::from_chars(line.data(), line.data() + line.size(), value, 16);
    if (line.size() != 16 || ec != std::errc() || ptr != line.data() + line.size())
        return std::nullopt;
    return value;
}

std::string checkLine(std::uint64_t check)
{
    static const char digits[] = "0123456789abcdef";
    std::string line(16, '0');
    for (int i = 15; i >= 0; --i, check >>= 4)
        line[static_cast<std::size_t>(i)] = digits[check & 15];
    return line;
}

} // namespace

std::string triangleCacheCheckLine(const std::vector<ContourNode>& nodes, const std::vector<std::string>& triangleLines)
{
    return checkLine(checkOf(nodes, triangleLines));
}

std::string triangleCachePath(const std::string& folder)
{
    return (std::filesystem::path(folder) / "ZelData.zel").string();
}

std::optional<Triangles> readTriangleCache(const std::string& path, const std::vector<ContourNode>& nodes)
{
    // The sound file has 618 short lines; anything much bigger is not it.
    const kv::TextReadResult read = kv::readTextFile(path, 64 * 1024);
    if (read.error != kv::FileError::None)
        return std::nullopt;
    std::vector<std::string> lines = kv::splitLines(read.text);
    if (lines.size() < 2)
        return std::nullopt;
    const std::optional<std::uint64_t> check = checkOfLine(lines.back());
    lines.pop_back();
    if (!check || *check != checkOf(nodes, lines))
        return std::nullopt;
    Triangles triangles;
    triangles.reserve(lines.size());
    for (const std::string& line : lines) {
        const std::optional<Triangle> t = triangleOf(line, static_cast<int>(nodes.size()));
        if (!t)
            return std::nullopt;
        triangles.push_back(*t);
    }
    return triangles;
}

bool writeTriangleCache(const std::string& path, const std::vector<ContourNode>& nodes, const Triangles& triangles)
{
    std::vector<std::string> lines;
    lines.reserve(triangles.size() + 1);
    for (const Triangle& t : triangles)
        lines.push_back(lineOf(t));
    lines.push_back(triangleCacheCheckLine(nodes, lines));
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
    return kv::writeTextFile(path, lines) == kv::FileError::None;
}

Triangles cachedTriangulation(const std::vector<ContourNode>& nodes, const std::string& folder)
{
    if (folder.empty())
        return triangulate(nodes);
    const std::string path = triangleCachePath(folder);
    if (std::optional<Triangles> cached = readTriangleCache(path, nodes))
        return *cached;
    Triangles built = triangulate(nodes);
    writeTriangleCache(path, nodes, built);
    return built;
}

} // namespace zq
