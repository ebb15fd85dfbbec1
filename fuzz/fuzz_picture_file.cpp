// Picture files, through the system's image readers: the input is saved as a
// file whose name ends in one of the extensions the open dialog offers (or
// none), chosen by its last byte, and read as the picture tools read it. A
// file that is there is never "cannot open"; a picture that is read is not
// empty, no larger than the readers' memory limit lets through, and has
// pixels that can be read; anything else is refused with a reason.
//
// An input that starts with "COST" is a recipe, not a file: a few bytes that
// ask for metafiles costly to draw (shapes repeated thousands of times, over
// pictures up to the largest side, with thick pens and many points), so the
// fuzzer reaches the drawing budget without growing megabyte inputs. Whatever
// the records ask, the reader answers within the bounds a user waits and a
// machine holds: it draws or refuses within 15 seconds and 1.5 GB.
#include "fuzz/fuzz_check.h"
#include "platform/ui/picture_file.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QList>
#include <QPoint>
#include <QtEndian>

#include <sys/resource.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <optional>
#include <utility>
#include <vector>

using kv::fuzz::check;

namespace {

const char* const kExtensions[] = {".bmp", ".jpg", ".jpeg", ".gif", ".wmf", ".emf", ".png", ""};

QString pictureName(std::size_t extension)
{
    const QString base = QDir::temp().filePath(QStringLiteral("kv_fuzz_picture_%1").arg(QCoreApplication::applicationPid()));
    return base + QString::fromLatin1(kExtensions[extension % std::size(kExtensions)]);
}

void removePictures()
{
    for (std::size_t i = 0; i < std::size(kExtensions); ++i)
        QFile::remove(pictureName(i));
}

// ---- costly metafiles from a recipe ----------------------------------------------
//
// "COST", then the kind (even: WMF, odd: EMF), the picture's side in 40-pixel
// steps (1 to 255: up to 10200, a little beyond the largest side), then
// shapes of 8 bytes: what (rectangle, ellipse, polygon, polyline), how many
// times (two bytes), the corners in 255ths of the side (four bytes) and the
// pen's width and the polygon's points (one byte, split). The metafile holds
// at most kMostRecords records.

constexpr std::size_t kShapeBytes = 8;
constexpr int kMostRecords = 60000;

void le16(QByteArray& out, int v)
{
    char b[2];
    qToLittleEndian<quint16>(quint16(v), b);
    out.append(b, 2);
}

void le32(QByteArray& out, qint64 v)
{
    char b[4];
    qToLittleEndian<quint32>(quint32(v), b);
    out.append(b, 4);
}

struct Shape {
    int kind, repeat, left, top, right, bottom, penWidth, points;
};

std::vector<Shape> shapesOf(const std::uint8_t* data, std::size_t size, int side)
{
    std::vector<Shape> shapes;
    for (std::size_t at = 0; at + kShapeBytes <= size; at += kShapeBytes) {
        const std::uint8_t* s = data + at;
        const auto place = [side](std::uint8_t v) { return int(v) * side / 255; };
        shapes.push_back({s[0] % 4, (s[1] << 8) | s[2], place(s[3]), place(s[4]), place(s[5]), place(s[6]),
                          (s[7] >> 4) * (s[7] >> 4) * 8, 2 + (s[7] & 15) * 40});
    }
    return shapes;
}

// The points of a polygon or polyline: a zigzag across the shape's box.
QList<QPoint> pointsOf(const Shape& s)
{
    QList<QPoint> points;
    for (int i = 0; i < s.points; ++i)
        points << QPoint(i % 2 ? s.right : s.left, s.top + (s.bottom - s.top) * i / (s.points - 1));
    return points;
}

QByteArray wmfRecord(int function, const QByteArray& parameters)
{
    QByteArray r;
    le32(r, 3 + parameters.size() / 2);
    le16(r, function);
    return r + parameters;
}

QByteArray costlyWmf(int side, const std::vector<Shape>& shapes)
{
    QByteArray records;
    QByteArray brush;
    le16(brush, 0);
    le32(brush, 0x00FF0000);
    le16(brush, 0);
    records += wmfRecord(0x02FC, brush); // CreateBrushIndirect: object 0
    int objects = 1, count = 1;
    for (const Shape& s : shapes) {
        QByteArray pen;
        le16(pen, 0);
        le16(pen, s.penWidth);
        le16(pen, 0);
        le32(pen, 0);
        QByteArray select0, select1;
        le16(select0, 0);
        le16(select1, objects);
        records += wmfRecord(0x02FA, pen) + wmfRecord(0x012D, select0) + wmfRecord(0x012D, select1);
        ++objects;
        QByteArray one;
        if (s.kind < 2) {
            for (int v : {s.bottom, s.right, s.top, s.left})
                le16(one, v);
            one = wmfRecord(s.kind == 0 ? 0x041B : 0x0418, one); // Rectangle, Ellipse
        } else {
            const QList<QPoint> points = pointsOf(s);
            le16(one, int(points.size()));
            for (const QPoint& p : points) {
                le16(one, p.x());
                le16(one, p.y());
            }
            one = wmfRecord(s.kind == 2 ? 0x0324 : 0x0325, one); // Polygon, Polyline
        }
        for (int i = 0; i < s.repeat && count < kMostRecords; ++i, ++count)
            records += one;
    }
    records += wmfRecord(0, {});
    QByteArray header;
    le32(header, 0x9AC6CDD7);
    for (int v : {0, 0, 0, side, side, 96})
        le16(header, v);
    le32(header, 0);
    quint16 checksum = 0;
    for (int i = 0; i < 10; ++i)
        checksum ^= qFromLittleEndian<quint16>(header.constData() + 2 * i);
    le16(header, checksum);
    for (int v : {1, 9, 0x0300})
        le16(header, v);
    le32(header, (18 + records.size()) / 2);
    le16(header, objects);
    le32(header, 0);
    le16(header, 0);
    return header + records;
}

QByteArray emfRecord(quint32 type, const QByteArray& parameters)
{
    QByteArray r;
    le32(r, type);
    le32(r, 8 + parameters.size());
    return r + parameters;
}

// One device pixel a logical unit, on a reference device of 96 dots an inch.
QByteArray costlyEmf(int side, const std::vector<Shape>& shapes)
{
    QByteArray records;
    QByteArray brush;
    for (qint64 v : std::initializer_list<qint64>{1, 0, 0x00FF0000, 0})
        le32(brush, v);
    records += emfRecord(39, brush); // CreateBrushIndirect: object 1
    quint32 objects = 2;
    qint64 count = 1;
    for (const Shape& s : shapes) {
        QByteArray pen, select1, selectPen;
        for (qint64 v : std::initializer_list<qint64>{qint64(objects), 0, qint64(s.penWidth), 0, 0})
            le32(pen, v);
        le32(select1, 1);
        le32(selectPen, objects);
        records += emfRecord(38, pen) + emfRecord(37, select1) + emfRecord(37, selectPen); // CreatePen, SelectObject
        ++objects;
        QByteArray one;
        if (s.kind < 2) {
            for (int v : {s.left, s.top, s.right, s.bottom})
                le32(one, v);
            one = emfRecord(s.kind == 0 ? 43 : 42, one); // Rectangle, Ellipse
        } else {
            const QList<QPoint> points = pointsOf(s);
            for (int v : {s.left, s.top, s.right, s.bottom})
                le32(one, v);
            le32(one, points.size());
            for (const QPoint& p : points) {
                le16(one, p.x());
                le16(one, p.y());
            }
            one = emfRecord(s.kind == 2 ? 86 : 87, one); // Polygon16, Polyline16
        }
        for (int i = 0; i < s.repeat && count < kMostRecords; ++i, ++count)
            records += one;
    }
    QByteArray eof;
    for (qint64 v : std::initializer_list<qint64>{0, 16, 20})
        le32(eof, v);
    records += emfRecord(14, eof);
    const qint64 frame = qint64(side) * 2540 / 96; // hundredths of a millimetre
    const qint64 millimetres = side * 254 / 960 + 1;
    QByteArray header;
    for (qint64 v : std::initializer_list<qint64>{1, 88, 0, 0, qint64(side), qint64(side), 0, 0, frame, frame, 0x464D4520, 0x10000,
                     88 + records.size(), qint64(count) + 2})
        le32(header, v);
    le16(header, objects);
    le16(header, 0);
    for (qint64 v : std::initializer_list<qint64>{0, 0, 0, qint64(side), qint64(side), millimetres, millimetres})
        le32(header, v);
    return header + records;
}

// The metafile a recipe asks for, with the extension its kind is saved under.
std::optional<std::pair<QByteArray, std::size_t>> recipe(const std::uint8_t* data, std::size_t size)
{
    if (size < 6 || std::memcmp(data, "COST", 4) != 0)
        return std::nullopt;
    const int side = std::max(1, int(data[5])) * 40;
    const std::vector<Shape> shapes = shapesOf(data + 6, size - 6, side);
    if (data[4] % 2 == 0)
        return std::make_pair(costlyWmf(side, shapes), std::size_t(4));
    return std::make_pair(costlyEmf(side, shapes), std::size_t(5));
}

} // namespace

// The address sanitizer keeps freed memory aside for a while (256 MB by
// default), which would count against the 1.5 GB an input may take: a
// smaller quarantine still finds a use after free of a picture's buffers.
extern "C" const char* __asan_default_options()
{
    return "quarantine_size_mb=32";
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // Metafiles are drawn through Qt's painter, which needs a GUI application;
    // the offscreen platform needs no screen.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QGuiApplication app(*argc, *argv);
    std::atexit(removePictures);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto costly = recipe(data, size);
    const QByteArray bytes = costly ? costly->first
                                    : QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString name = pictureName(costly ? costly->second : size > 0 ? data[size - 1] : 0);
    {
        QFile file(name);
        check(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "the input can be saved as a file");
        check(file.write(bytes) == bytes.size(), "the input is saved whole");
    }
    QElapsedTimer clock;
    clock.start();
    const kv::PictureRead read = kv::readPictureFile(name);
    const qint64 took = clock.elapsed();
    QFile::remove(name);
    check(took < 15000, "a picture is drawn or refused within 15 seconds");
    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    check(usage.ru_maxrss < 1536L * 1024, "a picture is drawn or refused within 1.5 GB");
    check(read.fault != kv::PictureFault::CannotOpen, "a file that is there can be opened");
    check(read.image.isNull() == (read.fault != kv::PictureFault::None), "a picture exactly when there is no fault");
    if (read.image.isNull())
        return 0;

    const QImage& image = read.image;
    check(image.width() > 0 && image.height() > 0, "a picture has pixels");
    const qint64 limit = static_cast<qint64>(QImageReader::allocationLimit()) * 1024 * 1024;
    check(image.sizeInBytes() <= limit, "a picture stays within the readers' memory limit");
    // Every row is there: the corners can be read.
    (void)image.pixel(0, 0);
    (void)image.pixel(image.width() - 1, image.height() - 1);
    return 0;
}
