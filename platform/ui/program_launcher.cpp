#include "platform/ui/program_launcher.h"

#include <QFileInfo>
#include <QProcess>
#include <QStringList>

namespace kv {

namespace {

class RealProgramLauncher : public ProgramLauncher {
public:
    bool fileExists(const QString& path) const override
    {
        const QFileInfo info(path);
        return !path.isEmpty() && info.exists() && info.isFile();
    }
    bool start(const QString& path) override
    {
        if (path.isEmpty())
            return false;
        return QProcess::startDetached(path, QStringList());
    }
};

RealProgramLauncher& realLauncher()
{
    static RealProgramLauncher real;
    return real;
}

ProgramLauncher* installed = nullptr;

} // namespace

ProgramLauncher& programLauncher() { return installed ? *installed : realLauncher(); }

ProgramLauncher* installProgramLauncher(ProgramLauncher* l)
{
    ProgramLauncher* previous = installed;
    installed = l;
    return previous;
}

} // namespace kv
