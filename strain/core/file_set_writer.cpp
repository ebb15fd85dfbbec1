#include "strain/core/file_set_writer.h"

#include <cstdio>
#include <random>
#include <sys/stat.h>

namespace kv {

namespace {

bool exists(const std::string& path)
{
    struct stat s {};
    return ::stat(path.c_str(), &s) == 0;
}

// A name beside the target that nothing uses yet.
std::string stagingNameFor(const std::string& path)
{
    static const char letters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device seed;
    std::mt19937 pick(seed());
    std::uniform_int_distribution<int> letter(0, sizeof letters - 2);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = path + ".new-";
        for (int i = 0; i < 6; ++i)
            name += letters[letter(pick)];
        if (!exists(name))
            return name;
    }
    return {};
}

// A replaced file keeps its permissions, as with a single file.
void keepPermissions(const std::string& from, const std::string& to)
{
    struct stat old {};
    if (::stat(from.c_str(), &old) == 0 && S_ISREG(old.st_mode))
        ::chmod(to.c_str(), old.st_mode & 07777);
}

} // namespace

FileError writeTextFileSet(const std::vector<TextFileContent>& files)
{
    std::vector<std::string> staged;
    const auto discard = [&staged] {
        for (const std::string& name : staged)
            std::remove(name.c_str());
    };
    for (const TextFileContent& file : files)
        if (file.path.empty())
            return FileError::CannotWrite;
    for (const TextFileContent& file : files) {
        const std::string name = stagingNameFor(file.path);
        if (name.empty()) {
            discard();
            return FileError::CannotWrite;
        }
        // The one code-page writer does the encoding and the writing.
        const FileError error = writeTextFile(name, file.lines);
        if (error != FileError::None) {
            discard();
            return error;
        }
        staged.push_back(name);
        keepPermissions(file.path, name);
    }
    // A folder or device in a target's place would refuse the rename halfway.
    for (const TextFileContent& file : files) {
        struct stat s {};
        if (::stat(file.path.c_str(), &s) == 0 && !S_ISREG(s.st_mode)) {
            discard();
            return FileError::CannotWrite;
        }
    }
    for (std::size_t i = 0; i < files.size(); ++i)
        if (std::rename(staged[i].c_str(), files[i].path.c_str()) != 0) {
            // Targets renamed before this one already hold their new text;
            // the rest keep the old.
            for (std::size_t j = i; j < staged.size(); ++j)
                std::remove(staged[j].c_str());
            return FileError::CannotWrite;
        }
    return FileError::None;
}

} // namespace kv
