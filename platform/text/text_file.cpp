// Code page conversion, whole-file reading and safe whole-file writing.
#include "platform/text/text_file.h"

#include <cerrno>
#include <cstdio>
#include <random>

#include <fcntl.h>
#include <iconv.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kv {

namespace {

constexpr const char* codePage = "CP936";

// One strict iconv conversion of a whole buffer. Any invalid or unconvertible
// sequence (EILSEQ) and any sequence cut off at the end (EINVAL) fails the whole
// conversion: nothing is replaced or dropped.
std::optional<std::string> convert(const char* to, const char* from, std::string_view in)
{
    if (in.empty())
        return std::string();
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;

    std::string out(in.size() * 2 + 16, '\0');
    char* inPtr = const_cast<char*>(in.data());
    std::size_t inLeft = in.size();
    std::size_t used = 0;
    bool ok = true;
    bool flushed = false;
    while (ok && !flushed) {
        char* outPtr = out.data() + used;
        std::size_t outLeft = out.size() - used;
        // Once all input is taken, a call without input flushes any pending state.
        bool flushing = inLeft == 0;
        std::size_t rc = flushing ? iconv(cd, nullptr, nullptr, &outPtr, &outLeft)
                                  : iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        used = static_cast<std::size_t>(outPtr - out.data());
        if (rc == static_cast<std::size_t>(-1)) {
            if (errno == E2BIG)
                out.resize(out.size() * 2);
            else
                ok = false; // EILSEQ, EINVAL or anything else
        } else if (rc != 0) {
            ok = false; // a character replaced by an approximation
        } else {
            flushed = flushing;
        }
    }
    iconv_close(cd);
    if (!ok)
        return std::nullopt;
    out.resize(used);
    return out;
}

// Reads at most limit + 1 bytes, so an over-long file is detected without
// reading it whole. Empty on a read error.
std::optional<std::string> readUpTo(int fd, std::size_t limit, std::size_t expected)
{
    std::string data;
    data.reserve(expected < limit ? expected : limit);
    char chunk[65536];
    while (data.size() <= limit) {
        std::size_t want = limit + 1 - data.size();
        if (want > sizeof chunk)
            want = sizeof chunk;
        ssize_t got = ::read(fd, chunk, want);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return std::nullopt;
        }
        if (got == 0)
            break;
        data.append(chunk, static_cast<std::size_t>(got));
    }
    return data;
}

bool writeAll(int fd, std::string_view bytes)
{
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        ssize_t done = ::write(fd, p, left);
        if (done < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += done;
        left -= static_cast<std::size_t>(done);
    }
    return true;
}

// The folder part of a path, with its final slash; empty for a bare name.
std::string folderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// The file a save really replaces: symbolic links followed, however many, to
// the name at their end (which need not exist yet). Empty on a loop of links
// or an unreadable link.
std::optional<std::string> linkedFile(std::string path)
{
    for (int hops = 0; hops < 40; ++hops) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return path;
        std::string target(256, '\0');
        for (;;) {
            const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
            if (length < 0)
                return std::nullopt;
            if (static_cast<std::size_t>(length) < target.size()) {
                target.resize(static_cast<std::size_t>(length));
                break;
            }
            target.resize(target.size() * 2);
        }
        // A relative link is relative to the folder that holds it.
        path = (!target.empty() && target[0] == '/') ? target : folderOf(path) + target;
    }
    return std::nullopt;
}

// Creates a new file in the folder under an unused name of fixed length, so a
// target whose name is as long as the system allows can still be saved. The
// mode 0666 is reduced by the umask as for any new file.
int createTemporaryIn(const std::string& folder, std::string& tempPath)
{
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::random_device seed;
    std::mt19937 pick(seed());
    std::uniform_int_distribution<int> letter(0, sizeof letters - 2);
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = folder + ".kv";
        for (int i = 0; i < 8; ++i)
            tempPath += letters[letter(pick)];
        int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// A file the user may not write, or that nobody may write, is not replaced:
// a save would otherwise undo its read-only mark.
bool isWritable(const std::string& path, const struct stat& info)
{
    if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return false;
    return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}

// The replacement takes over the old file's owner, group and permissions. The
// owner can only be given away by the superuser; the group also by a member
// of it. Permissions come last, since a change of owner clears set-id bits.
void keepOwnerAndPermissions(const struct stat& old, int fd)
{
    if (::fchown(fd, old.st_uid, old.st_gid) != 0)
        (void)::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
    ::fchmod(fd, old.st_mode & 07777);
}

// The rename itself reaches the disk only with its folder.
void syncFolder(const std::string& folder)
{
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    (void)::fsync(fd);
    ::close(fd);
}

} // namespace

std::optional<std::string> decodeCodePage(std::string_view bytes)
{
    return convert("UTF-8", codePage, bytes);
}

std::optional<std::string> encodeCodePage(std::string_view utf8)
{
    return convert(codePage, "UTF-8", utf8);
}

TextReadResult readTextFile(const std::string& path)
{
    return readTextFile(path, maxTextFileBytes);
}

TextReadResult readTextFile(const std::string& path, std::size_t maxBytes)
{
    TextReadResult result;
    // Opening a named pipe for reading waits for a writer, for ever if none
    // comes, and a device may never end: only regular files are data files.
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        result.error = FileError::CannotOpen;
        return result;
    }
    // Not blocking even if a pipe took the file's place since the check.
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        result.error = FileError::CannotOpen;
        return result;
    }
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        result.error = FileError::CannotOpen;
        return result;
    }
    if (static_cast<unsigned long long>(info.st_size) > maxBytes) {
        ::close(fd);
        result.error = FileError::TooLarge;
        return result;
    }
    const auto expected = static_cast<std::size_t>(info.st_size);
    std::optional<std::string> bytes = readUpTo(fd, maxBytes, expected);
    ::close(fd);
    if (!bytes) {
        result.error = FileError::CannotOpen;
        return result;
    }
    if (bytes->size() > maxBytes) { // a file that grew while it was read
        result.error = FileError::TooLarge;
        return result;
    }
    std::optional<std::string> text = decodeCodePage(*bytes);
    if (!text) {
        result.error = FileError::BadEncoding;
        return result;
    }
    result.text = std::move(*text);
    return result;
}

std::vector<std::string> splitLines(std::string_view text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        char c = text[i];
        if (c != '\r' && c != '\n') {
            ++i;
            continue;
        }
        lines.emplace_back(text.substr(start, i - start));
        i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
        start = i;
    }
    if (start < text.size())
        lines.emplace_back(text.substr(start));
    return lines;
}

namespace {

// Encodes lines in the code page, each ended by CR LF. Empty when a line holds
// a character the code page lacks.
std::optional<std::string> encodedLines(const std::vector<std::string>& lines)
{
    std::string bytes;
    for (const std::string& line : lines) {
        std::optional<std::string> encoded = encodeCodePage(line);
        if (!encoded)
            return std::nullopt;
        bytes += *encoded;
        bytes += "\r\n";
    }
    return bytes;
}

// A file's new bytes written and flushed beside it, waiting to replace it.
struct StagedFile {
    std::string target; // the file a link names, or the path itself
    std::string temp;
    std::string folder;
};

std::optional<StagedFile> stageFileBytes(const std::string& path, std::string_view bytes)
{
    const std::optional<std::string> target = linkedFile(path);
    if (!target)
        return std::nullopt;
    struct stat old {};
    const bool replacing = ::stat(target->c_str(), &old) == 0;
    if (replacing && (!S_ISREG(old.st_mode) || !isWritable(*target, old)))
        return std::nullopt;

    StagedFile staged{*target, std::string(), folderOf(*target)};
    int fd = createTemporaryIn(staged.folder, staged.temp);
    if (fd < 0)
        return std::nullopt;
    if (replacing)
        keepOwnerAndPermissions(old, fd);
    bool written = writeAll(fd, bytes);
    // Without the flush a crash soon after the rename could leave an empty file
    // where the old one was.
    if (written && ::fsync(fd) != 0 && errno != EINVAL)
        written = false;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed) {
        ::unlink(staged.temp.c_str());
        return std::nullopt;
    }
    return staged;
}

void discardStaged(const std::vector<StagedFile>& staged, std::size_t from = 0)
{
    for (std::size_t i = from; i < staged.size(); ++i)
        ::unlink(staged[i].temp.c_str());
}

// Stages every file, then replaces the targets one after another.
FileError replaceFiles(const std::vector<std::pair<std::string, std::string_view>>& files)
{
    std::vector<StagedFile> staged;
    for (const auto& [path, bytes] : files) {
        std::optional<StagedFile> one = stageFileBytes(path, bytes);
        if (!one) {
            discardStaged(staged);
            return FileError::CannotWrite;
        }
        staged.push_back(std::move(*one));
    }
    for (std::size_t i = 0; i < staged.size(); ++i) {
        if (std::rename(staged[i].temp.c_str(), staged[i].target.c_str()) != 0) {
            // Targets renamed before this one already hold their new text; the
            // rest keep the old.
            discardStaged(staged, i);
            return FileError::CannotWrite;
        }
        syncFolder(staged[i].folder);
    }
    return FileError::None;
}

} // namespace

FileError writeTextFile(const std::string& path, const std::vector<std::string>& lines)
{
    // Everything is encoded before the disk is touched, so a line the code page
    // can't hold leaves any existing file as it was.
    const std::optional<std::string> bytes = encodedLines(lines);
    if (!bytes)
        return FileError::CannotEncode;
    return writeFileBytes(path, *bytes);
}

FileError writeTextFileSet(const std::vector<TextFileContent>& files)
{
    std::vector<std::string> encoded;
    encoded.reserve(files.size());
    for (const TextFileContent& file : files) {
        std::optional<std::string> bytes = encodedLines(file.lines);
        if (!bytes)
            return FileError::CannotEncode;
        encoded.push_back(std::move(*bytes));
    }
    std::vector<std::pair<std::string, std::string_view>> replacing;
    for (std::size_t i = 0; i < files.size(); ++i)
        replacing.emplace_back(files[i].path, encoded[i]);
    return replaceFiles(replacing);
}

FileError writeFileBytes(const std::string& path, std::string_view bytes)
{
    return replaceFiles({{path, bytes}});
}

} // namespace kv
