// Text files in the system code page (GB2312, handled as CP936): lines ended by
// CR LF on write, any line end accepted on read. Reading and writing never
// replace a character silently: what cannot be decoded or encoded is refused.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kv {

enum class FileError {
    None,
    CannotOpen,    // missing, a folder, no permission
    TooLarge,      // beyond maxTextFileBytes
    BadEncoding,   // bytes that are not valid CP936 text
    CannotEncode,  // text with characters the code page lacks
    CannotWrite,   // disk full, folder missing, rename refused...
};

// Files bigger than this are refused on read (no data file of the tools comes near).
constexpr std::size_t maxTextFileBytes = 64u * 1024u * 1024u;

// CP936 bytes to UTF-8 and back. Empty on an invalid byte sequence or an
// unencodable character.
std::optional<std::string> decodeCodePage(std::string_view bytes);
std::optional<std::string> encodeCodePage(std::string_view utf8);

struct TextReadResult {
    FileError error = FileError::None;
    std::string text; // whole file as UTF-8, line ends kept as they were
};
// Reads and decodes a whole file.
TextReadResult readTextFile(const std::string& path);
// The same with a size limit of the caller's choosing (files above maxBytes
// give TooLarge).
TextReadResult readTextFile(const std::string& path, std::size_t maxBytes);

// Splits text on CR LF, LF or CR. A final line end does not add an empty line.
std::vector<std::string> splitLines(std::string_view text);

// Writes lines, each followed by CR LF, encoded in the code page. The data go
// to a temporary file in the same folder that replaces the target only when
// complete, so a failure leaves an existing file as it was.
FileError writeTextFile(const std::string& path, const std::vector<std::string>& lines);

// Writes bytes as they are (a picture file) the same way: a temporary file in
// the same folder that replaces the target only when complete.
FileError writeFileBytes(const std::string& path, std::string_view bytes);

} // namespace kv
