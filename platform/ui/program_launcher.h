// Starting another program without waiting for it, and testing for its file.
// The program uses the one installed launcher; tests install one that records.
#pragma once

#include <QString>

namespace kv {

class ProgramLauncher {
public:
    virtual ~ProgramLauncher() = default;
    // Whether path names an existing ordinary file (not a folder).
    virtual bool fileExists(const QString& path) const = 0;
    // Starts the program at path in a window of its own and returns at once;
    // false when it could not be started.
    virtual bool start(const QString& path) = 0;
};

// The installed launcher (the real one until another is installed).
ProgramLauncher& programLauncher();
// Installs l (not owned) and returns the previous one; nullptr restores the real one.
ProgramLauncher* installProgramLauncher(ProgramLauncher* l);

} // namespace kv
