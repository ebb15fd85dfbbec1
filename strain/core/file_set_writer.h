// Writes several text files as one result: each file's text goes to a new
// file beside its target first, and the targets are replaced only once every
// new file is complete. A failure before that leaves every target as it was.
#pragma once

#include "platform/text/text_file.h"

#include <string>
#include <vector>

namespace kv {

struct TextFileContent {
    std::string path;
    std::vector<std::string> lines; // written in the code page, each ended by CR LF
};

FileError writeTextFileSet(const std::vector<TextFileContent>& files);

} // namespace kv
