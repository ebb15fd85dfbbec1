#include "platform/text/text_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include <chrono>
#include <functional>
#include <future>

#include <dlfcn.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

// Sees every fsync of this program, so a test can tell what was on the disk
// when the writer flushed; the call itself goes on to the system.
namespace {
std::function<void(int fd)> fsyncSeen;
}
extern "C" int fsync(int fd)
{
    static const auto system = reinterpret_cast<int (*)(int)>(dlsym(RTLD_NEXT, "fsync"));
    if (fsyncSeen)
        fsyncSeen(fd);
    return system(fd);
}

namespace fs = std::filesystem;
using kv::FileError;

namespace {

// Known code page bytes, checked against the iconv command line tool.
struct Encoded {
    const char* utf8;
    const char* bytes;
};
const Encoded knownTexts[] = {
    {"序号", "\xD0\xF2\xBA\xC5"},
    {"数据有误，请检查！", "\xCA\xFD\xBE\xDD\xD3\xD0\xCE\xF3\xA3\xAC\xC7\xEB\xBC\xEC\xB2\xE9\xA3\xA1"},
    {"·—€", "\xA1\xA4\xA1\xAA\x80"},
    {" 135          45 \r\n\"a,b\"", " 135          45 \r\n\"a,b\""},
    {"", ""},
};

TEST(CodePage, ConvertsKnownTextsBothWays)
{
    for (const Encoded& t : knownTexts) {
        SCOPED_TRACE(t.utf8);
        EXPECT_EQ(kv::encodeCodePage(t.utf8), std::string(t.bytes));
        EXPECT_EQ(kv::decodeCodePage(t.bytes), std::string(t.utf8));
    }
}

TEST(CodePage, RefusesWhatItCannotConvert)
{
    for (const char* text : {"한", "a😀b", "bad \xFF utf-8"})
        EXPECT_FALSE(kv::encodeCodePage(text)) << text;
    // Invalid pairs, an unassigned pair, a lead byte cut off at the end.
    for (const char* bytes : {"\xFF\xFF", "ab\xD0", "\xA1\x40", "\xD0\xF2\xBA"})
        EXPECT_FALSE(kv::decodeCodePage(bytes)) << bytes;
}

TEST(CodePage, GrowsItsBufferForLongTexts)
{
    // Each 0x80 byte becomes three UTF-8 bytes, beyond the first buffer guess.
    std::string bytes(100000, '\x80');
    std::optional<std::string> text = kv::decodeCodePage(bytes);
    ASSERT_TRUE(text);
    EXPECT_EQ(text->size(), 300000u);
    EXPECT_EQ(kv::encodeCodePage(*text), bytes);
}

class TextFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "textfile-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string path(const char* name) const { return (dir_ / name).string(); }
    void put(const char* name, const std::string& bytes) const
    {
        std::ofstream(path(name), std::ios::binary) << bytes;
    }
    std::string bytesOf(const char* name) const
    {
        std::ifstream in(path(name), std::ios::binary);
        std::ostringstream all;
        all << in.rdbuf();
        return all.str();
    }
    std::vector<std::string> entries() const
    {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir_))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path dir_;
};

TEST_F(TextFiles, ReadRefusesWhatIsNoTextFile)
{
    put("bad.txt", "ok\r\n\xFF\xFF\r\n");
    put("eleven.txt", "0123456789\n");
    EXPECT_EQ(kv::readTextFile(path("missing.txt")).error, FileError::CannotOpen);
    EXPECT_EQ(kv::readTextFile(dir_.string()).error, FileError::CannotOpen);
    EXPECT_EQ(kv::readTextFile(path("bad.txt")).error, FileError::BadEncoding);
    EXPECT_EQ(kv::readTextFile(path("eleven.txt"), 10).error, FileError::TooLarge);
    EXPECT_EQ(kv::readTextFile(path("eleven.txt"), 11).error, FileError::None);
    // A device may never end: it is no data file.
    EXPECT_EQ(kv::readTextFile("/dev/zero", 1000).error, FileError::CannotOpen);
}

TEST_F(TextFiles, ReadRefusesANamedPipeWithoutWaitingForAWriter)
{
    ASSERT_EQ(mkfifo(path("pipe").c_str(), 0600), 0);
    std::future<FileError> read = std::async(std::launch::async, [this] { return kv::readTextFile(path("pipe")).error; });
    if (read.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
        // Let the stuck reader go, so the test ends with its failure.
        const int writer = ::open(path("pipe").c_str(), O_WRONLY | O_NONBLOCK);
        ::close(writer);
        FAIL() << "reading a named pipe waited for a writer";
    }
    EXPECT_EQ(read.get(), FileError::CannotOpen);
}

TEST_F(TextFiles, ReadKeepsLineEndsAndNulBytes)
{
    using namespace std::string_literals;
    put("data.txt", "\xD0\xF2\xBA\xC5\r\n1\0002\n3\r"s);
    kv::TextReadResult r = kv::readTextFile(path("data.txt"));
    EXPECT_EQ(r.error, FileError::None);
    EXPECT_EQ(r.text, "序号\r\n1\0002\n3\r"s);
}

TEST_F(TextFiles, WriteEndsEveryLineWithCrLf)
{
    ASSERT_EQ(kv::writeTextFile(path("out.txt"), {"序号", "", " 135          45 "}), FileError::None);
    EXPECT_EQ(bytesOf("out.txt"), "\xD0\xF2\xBA\xC5\r\n\r\n 135          45 \r\n");
    ASSERT_EQ(kv::writeTextFile(path("out.txt"), {}), FileError::None);
    EXPECT_EQ(bytesOf("out.txt"), "");
    EXPECT_EQ(entries(), std::vector<std::string>{"out.txt"});
}

TEST_F(TextFiles, FailedWriteLeavesTheOldFileAndNoTemporary)
{
    put("old.txt", "old\r\n");
    EXPECT_EQ(kv::writeTextFile(path("old.txt"), {"new", "한"}), FileError::CannotEncode);
    EXPECT_EQ(kv::writeTextFile(path("no-folder/old.txt"), {"new"}), FileError::CannotWrite);
    // A folder can't be replaced by a file: the rename fails after the data went out.
    fs::create_directory(dir_ / "taken");
    put("taken/inside.txt", "x");
    EXPECT_EQ(kv::writeTextFile(path("taken"), {"new"}), FileError::CannotWrite);
    EXPECT_EQ(bytesOf("old.txt"), "old\r\n");
    EXPECT_EQ(bytesOf("taken/inside.txt"), "x");
    EXPECT_EQ(entries(), (std::vector<std::string>{"old.txt", "taken"}));
}

TEST_F(TextFiles, WrittenFileHasUsualPermissions)
{
    mode_t mask = umask(022);
    umask(mask);
    ASSERT_EQ(kv::writeTextFile(path("new.txt"), {"1"}), FileError::None);
    EXPECT_EQ(fs::status(path("new.txt")).permissions(), fs::perms(0666 & ~mask));
    // Replacing a file keeps the permissions it had.
    fs::permissions(path("new.txt"), fs::perms(0600));
    ASSERT_EQ(kv::writeTextFile(path("new.txt"), {"2"}), FileError::None);
    EXPECT_EQ(fs::status(path("new.txt")).permissions(), fs::perms(0600));
}

TEST_F(TextFiles, SaveRefusesAReadOnlyFileAndLeavesItAlone)
{
    put("locked.txt", "old\r\n");
    fs::permissions(path("locked.txt"), fs::perms(0444));
    fs::create_symlink("locked.txt", dir_ / "to-locked");
    EXPECT_EQ(kv::writeTextFile(path("locked.txt"), {"new"}), FileError::CannotWrite);
    EXPECT_EQ(kv::writeFileBytes(path("to-locked"), "new"), FileError::CannotWrite);
    EXPECT_EQ(bytesOf("locked.txt"), "old\r\n");
    EXPECT_EQ(fs::status(path("locked.txt")).permissions(), fs::perms(0444));
    EXPECT_EQ(entries(), (std::vector<std::string>{"locked.txt", "to-locked"}));
}

TEST_F(TextFiles, AFileSetIsWrittenWholeOrNotAtAll)
{
    put("a.txt", "old a\r\n");
    put("locked.txt", "old b\r\n");
    fs::permissions(path("locked.txt"), fs::perms(0444));
    // The second file can't be replaced: the first keeps its old text too.
    EXPECT_EQ(kv::writeTextFileSet({{path("a.txt"), {"new a"}}, {path("locked.txt"), {"new b"}}}),
              FileError::CannotWrite);
    EXPECT_EQ(bytesOf("a.txt"), "old a\r\n");
    EXPECT_EQ(entries(), (std::vector<std::string>{"a.txt", "locked.txt"}));
    // A line the code page can't hold stops the set before the disk is touched.
    EXPECT_EQ(kv::writeTextFileSet({{path("a.txt"), {"new a"}}, {path("c.txt"), {"한"}}}), FileError::CannotEncode);
    EXPECT_EQ(bytesOf("a.txt"), "old a\r\n");
    EXPECT_EQ(kv::writeTextFileSet({{path("a.txt"), {"new a"}}, {path("c.txt"), {"c"}}}), FileError::None);
    EXPECT_EQ(bytesOf("a.txt"), "new a\r\n");
    EXPECT_EQ(bytesOf("c.txt"), "c\r\n");
}

TEST_F(TextFiles, SaveThroughALinkReplacesTheFileItNames)
{
    fs::create_directories(dir_ / "data");
    fs::create_directories(dir_ / "links");
    put("data/real.txt", "old");
    const struct {
        const char* link;
        std::string target; // as the link holds it
        const char* file;   // what the save must write
    } cases[] = {
        {"links/relative", "../data/real.txt", "data/real.txt"},
        {"links/absolute", (dir_ / "data/real.txt").string(), "data/real.txt"},
        {"links/chain", "relative", "data/real.txt"},
        {"links/dangling", "../data/made.txt", "data/made.txt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.link);
        fs::create_symlink(c.target, dir_ / c.link);
        ASSERT_EQ(kv::writeTextFile(path(c.link), {c.link}), FileError::None);
        EXPECT_TRUE(fs::is_symlink(dir_ / c.link));
        EXPECT_EQ(fs::read_symlink(dir_ / c.link), c.target);
        EXPECT_EQ(bytesOf(c.file), std::string(c.link) + "\r\n");
    }
    // The temporary files lay beside the data, and none is left.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_ / "data"), fs::directory_iterator()), 2);

    fs::create_symlink("loop-b", dir_ / "loop-a");
    fs::create_symlink("loop-a", dir_ / "loop-b");
    EXPECT_EQ(kv::writeTextFile(path("loop-a"), {"x"}), FileError::CannotWrite);
}

TEST_F(TextFiles, ReplacedFileKeepsItsOwnerAndGroup)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "only the superuser can give a file to another owner";
    put("owned.txt", "old");
    ASSERT_EQ(::chown(path("owned.txt").c_str(), 4321, 8765), 0);
    ASSERT_EQ(kv::writeTextFile(path("owned.txt"), {"new"}), FileError::None);
    struct stat info {};
    ASSERT_EQ(::stat(path("owned.txt").c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, 4321u);
    EXPECT_EQ(info.st_gid, 8765u);
}

TEST_F(TextFiles, SaveReachesTheDiskBeforeItReplacesTheFile)
{
    put("kept.txt", "old");
    struct Flush {
        ino_t inode;
        std::string targetThen;
    };
    std::vector<Flush> flushes;
    fsyncSeen = [&](int fd) {
        struct stat info {};
        if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode))
            flushes.push_back({info.st_ino, bytesOf("kept.txt")});
    };
    const FileError error = kv::writeTextFile(path("kept.txt"), {"new"});
    fsyncSeen = nullptr;
    ASSERT_EQ(error, FileError::None);
    struct stat now {};
    ASSERT_EQ(::stat(path("kept.txt").c_str(), &now), 0);
    ASSERT_EQ(flushes.size(), 1u);
    EXPECT_EQ(flushes[0].inode, now.st_ino); // the new file was flushed...
    EXPECT_EQ(flushes[0].targetThen, "old"); // ...while the old one was still in place
}

TEST_F(TextFiles, LongestFileNameCanBeSaved)
{
    const std::string name = std::string(251, 'a') + ".txt"; // 255 bytes, the system's limit
    ASSERT_EQ(kv::writeTextFile(path(name.c_str()), {"1"}), FileError::None);
    ASSERT_EQ(kv::writeTextFile(path(name.c_str()), {"2"}), FileError::None);
    EXPECT_EQ(bytesOf(name.c_str()), "2\r\n");
    EXPECT_EQ(entries(), std::vector<std::string>{name});
}

TEST(SplitLines, AcceptsEveryLineEnd)
{
    using Lines = std::vector<std::string>;
    const std::pair<const char*, Lines> cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\n", {"a"}},
        {"a\r\n\r\n", {"a", ""}},
        {"a\nb\rc\r\nd", {"a", "b", "c", "d"}},
        {"\n\r\n\r", {"", "", ""}},
        {"a\n\rb", {"a", "", "b"}}, // LF CR is two line ends
    };
    for (const auto& [text, lines] : cases)
        EXPECT_EQ(kv::splitLines(text), lines) << text;
}

} // namespace
