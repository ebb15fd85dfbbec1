// The triangulation kept between runs in the user's cache folder: one line per
// triangle, its three node numbers separated by commas ("0,1,5"), then a check
// line of sixteen hexadecimal digits.
#pragma once

#include "zelquad/core/triangulation.h"

#include <optional>
#include <string>
#include <vector>

namespace zq {

// The cache file in a folder.
std::string triangleCachePath(const std::string& folder);

// The triangles of a cache file; nothing unless every line but the last holds
// three node numbers of the nodes and the last is the check of those lines and
// of the nodes' positions. A cache written for other nodes, cut short, edited
// or damaged is not taken: a triangulation that is merely plausible would
// still contour wrongly.
std::optional<Triangles> readTriangleCache(const std::string& path, const std::vector<ContourNode>& nodes);

// The check line that closes a cache of these triangle lines for these nodes.
// Whatever the lines hold: a test or fuzzer can then reach the parsing of the
// lines behind a check that holds.
std::string triangleCacheCheckLine(const std::vector<ContourNode>& nodes, const std::vector<std::string>& triangleLines);

// Whether the file could be written.
bool writeTriangleCache(const std::string& path, const std::vector<ContourNode>& nodes, const Triangles& triangles);

// The cached triangles when the folder's cache is sound; otherwise the
// triangulation built afresh and cached (a cache that cannot be written is
// built again next time). An empty folder name means no cache.
Triangles cachedTriangulation(const std::vector<ContourNode>& nodes, const std::string& folder);

} // namespace zq
