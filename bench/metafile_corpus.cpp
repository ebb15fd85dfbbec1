// The metafile corpus (tests/support/hostile_metafiles.h) and the hostile
// pictures (hostile_pictures.h) as files, and what the picture reader makes
// of them:
//   metafile_corpus write <folder>    every corpus file and hostile picture
//   metafile_corpus seeds <folder>    the small hostile files the picture fuzzer starts from
//   metafile_corpus read <file>       reads one file as the picture tools do; prints what came of it
//   metafile_corpus compare <folder>  writes each ordinary file there, reads it, and compares the
//                                     picture with its drawing's reference: both and their difference
//                                     as PNGs beside it, one line of figures a file
// Reading and comparing run a GUI application on the offscreen platform
// unless QT_QPA_PLATFORM names another.
#include "platform/ui/picture_file.h"
#include "tests/support/hostile_metafiles.h"
#include "tests/support/metafile_reference.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

using kv::test::CorpusFile;

const char* faultName(kv::PictureFault fault)
{
    switch (fault) {
    case kv::PictureFault::None: return "drawn";
    case kv::PictureFault::CannotOpen: return "refused: cannot open";
    case kv::PictureFault::NotAPicture: return "refused: not a picture";
    case kv::PictureFault::Damaged: return "refused: damaged";
    case kv::PictureFault::TooLarge: return "refused: too large";
    case kv::PictureFault::TooCostly: return "refused: too costly";
    case kv::PictureFault::TooCostlyToDecode: return "refused: too costly to decode";
    case kv::PictureFault::Unreadable: return "refused: drawing unreadable";
    case kv::PictureFault::Unfit: return "refused: unfit";
    }
    return "?";
}

bool writeFiles(const QString& folder, const std::vector<CorpusFile>& files)
{
    if (!QDir().mkpath(folder))
        return false;
    for (const CorpusFile& f : files) {
        QFile out(QDir(folder).filePath(f.name));
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(f.bytes) != f.bytes.size()) {
            std::fprintf(stderr, "metafile_corpus: cannot write %s\n", qPrintable(out.fileName()));
            return false;
        }
    }
    return true;
}

int read(const QString& path)
{
    const kv::PictureRead read = kv::readPictureFile(path);
    std::printf("%s", faultName(read.fault));
    if (!read.image.isNull())
        std::printf(" %dx%d", read.image.width(), read.image.height());
    std::printf("\n");
    return 0;
}

// The share of pixels that are black or nearly.
double blackShare(const QImage& image)
{
    qint64 black = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            black += qGray(image.pixel(x, y)) < 32 ? 1 : 0;
    return image.isNull() ? 0.0 : double(black) / (double(image.width()) * image.height());
}

int compare(const QString& folder)
{
    const std::vector<CorpusFile> files = kv::test::ordinaryMetafiles();
    if (!writeFiles(folder, files))
        return 1;
    std::printf("%-28s %-20s %16s %8s %7s\n", "file", "result", "differing: all/ink", "labels", "black");
    for (const CorpusFile& f : files) {
        const QString path = QDir(folder).filePath(f.name);
        const kv::PictureRead read = kv::readPictureFile(path);
        const QImage reference = kv::test::referencePicture(*f.drawing);
        reference.save(path + ".reference.png");
        if (read.image.isNull()) {
            std::printf("%-28s %-20s\n", qPrintable(f.name), faultName(read.fault));
            continue;
        }
        QImage difference;
        const kv::test::PictureComparison c = kv::test::compareWithReference(read.image, *f.drawing, &difference);
        read.image.save(path + ".drawn.png");
        difference.save(path + ".difference.png");
        std::printf("%-28s %-20s %7.2f%% %7.2f%% %5d/%-2d %6.1f%%\n", qPrintable(f.name), faultName(read.fault),
                    100 * c.differingShare(), 100 * c.differingInkShare(), c.labelsAlike, c.labels,
                    100 * blackShare(read.image));
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: metafile_corpus write|seeds|read|compare <folder or file>\n");
        return 2;
    }
    const QString target = QString::fromLocal8Bit(argv[2]);
    if (std::strcmp(argv[1], "write") == 0) {
        std::vector<CorpusFile> files = kv::test::ordinaryMetafiles();
        for (CorpusFile& f : kv::test::hostileMetafiles())
            files.push_back(std::move(f));
        for (CorpusFile& f : kv::test::hostilePictures())
            files.push_back(std::move(f));
        return writeFiles(target, files) ? 0 : 1;
    }
    if (std::strcmp(argv[1], "seeds") == 0)
        return writeFiles(target, kv::test::hostileMetafileSeeds()) ? 0 : 1;
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    if (std::strcmp(argv[1], "read") == 0)
        return read(target);
    if (std::strcmp(argv[1], "compare") == 0)
        return compare(target);
    std::fprintf(stderr, "metafile_corpus: no command %s\n", argv[1]);
    return 2;
}
