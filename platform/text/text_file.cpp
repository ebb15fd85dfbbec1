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

// Creates a new file beside the target under an unused name. The mode 0666 is
// reduced by the umask as for any new file.
int createTemporaryBeside(const std::string& path, std::string& tempPath)
{
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::random_device seed;
    std::mt19937 pick(seed());
    std::uniform_int_distribution<int> letter(0, sizeof letters - 2);
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = path + ".tmp-";
        for (int i = 0; i < 6; ++i)
            tempPath += letters[letter(pick)];
        int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// An existing file keeps its permissions when it is replaced.
void keepPermissionsOf(const std::string& path, int fd)
{
    struct stat old {};
    if (::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode))
        ::fchmod(fd, old.st_mode & 07777);
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
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        result.error = FileError::CannotOpen;
        return result;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        ::close(fd);
        result.error = FileError::CannotOpen;
        return result;
    }
    std::size_t expected = 0;
    if (S_ISREG(info.st_mode)) {
        if (static_cast<unsigned long long>(info.st_size) > maxBytes) {
            ::close(fd);
            result.error = FileError::TooLarge;
            return result;
        }
        expected = static_cast<std::size_t>(info.st_size);
    }
    std::optional<std::string> bytes = readUpTo(fd, maxBytes, expected);
    ::close(fd);
    if (!bytes) {
        result.error = FileError::CannotOpen;
        return result;
    }
    if (bytes->size() > maxBytes) { // a file that grew, or a device or pipe
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

FileError writeTextFile(const std::string& path, const std::vector<std::string>& lines)
{
    // Everything is encoded before the disk is touched, so a line the code page
    // can't hold leaves any existing file as it was.
    std::string bytes;
    for (const std::string& line : lines) {
        std::optional<std::string> encoded = encodeCodePage(line);
        if (!encoded)
            return FileError::CannotEncode;
        bytes += *encoded;
        bytes += "\r\n";
    }
    return writeFileBytes(path, bytes);
}

FileError writeFileBytes(const std::string& path, std::string_view bytes)
{
    std::string tempPath;
    int fd = createTemporaryBeside(path, tempPath);
    if (fd < 0)
        return FileError::CannotWrite;
    keepPermissionsOf(path, fd);
    bool written = writeAll(fd, bytes);
    bool closed = ::close(fd) == 0;
    if (!written || !closed || std::rename(tempPath.c_str(), path.c_str()) != 0) {
        ::unlink(tempPath.c_str());
        return FileError::CannotWrite;
    }
    return FileError::None;
}

} // namespace kv
