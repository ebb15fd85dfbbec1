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
    CannotOpen,    // missing, no permission, not a regular file (a folder, pipe or device)
    TooLarge,      // beyond maxTextFileBytes
    BadEncoding,   // bytes that are not valid CP936 text
    CannotEncode,  // text with characters the code page lacks
    CannotWrite,   // disk full, folder missing, target read-only or no regular file...
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
// Reads and decodes a whole file. Anything but a regular file (after links are
// followed) is refused before it is opened: a named pipe would block for ever.
TextReadResult readTextFile(const std::string& path);
// The same with a size limit of the caller's choosing (files above maxBytes
// give TooLarge).
TextReadResult readTextFile(const std::string& path, std::size_t maxBytes);

// Splits text on CR LF, LF or CR. A final line end does not add an empty line.
std::vector<std::string> splitLines(std::string_view text);

// Writes lines, each followed by CR LF, encoded in the code page, through
// writeFileBytes.
FileError writeTextFile(const std::string& path, const std::vector<std::string>& lines);

// The one way any file (text or picture) reaches the disk. The bytes go to a
// temporary file of a short fixed-length name in the target's folder, are
// flushed to the disk, and only then replace the target, so a failure at any
// step leaves an existing file whole and any valid file name can be saved.
//  - A symbolic link is followed: the file it names is replaced and the link
//    stays a link.
//  - An existing file that may not be written is refused (CannotWrite) and left
//    alone; one that nobody may write (no write bit at all) counts as read-only
//    even for the superuser. So is a target that is not a regular file.
//  - The replaced file keeps its permissions, and its owner and group where
//    the system allows it.
FileError writeFileBytes(const std::string& path, std::string_view bytes);

// Several text files as one result (a tool's set of result files): every file
// is written and flushed beside its target first, and the targets are
// replaced only once all are complete, each as writeFileBytes replaces one.
struct TextFileContent {
    std::string path;
    std::vector<std::string> lines; // written in the code page, each ended by CR LF
};
FileError writeTextFileSet(const std::vector<TextFileContent>& files);

} // namespace kv
