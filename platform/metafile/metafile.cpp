#include "platform/metafile/metafile.h"

#include "platform/metafile/metafile_player.h"

#include <QGuiApplication>
#include <QImageReader>
#include <QPainter>

#include <cmath>

namespace kv {
namespace metafile {

std::optional<QSize> pictureSize(double width, double height, double perInch)
{
    const double w = std::round(std::fabs(width) * screenDotsPerInch / perInch);
    const double h = std::round(std::fabs(height) * screenDotsPerInch / perInch);
    if (!(w >= 1 && w <= maxMetafileSide && h >= 1 && h <= maxMetafileSide))
        return std::nullopt;
    const qint64 limitMiB = QImageReader::allocationLimit();
    if (limitMiB > 0 && qint64(w) * qint64(h) * 4 > limitMiB * 1024 * 1024)
        return std::nullopt;
    return QSize(int(w), int(h));
}

Opened refusedSize(double width, double height, double perInch)
{
    const double w = std::round(std::fabs(width) * screenDotsPerInch / perInch);
    const double h = std::round(std::fabs(height) * screenDotsPerInch / perInch);
    if (!(w >= 1 && h >= 1 && std::isfinite(w) && std::isfinite(h)))
        return {MetafileFault::Damaged};
    constexpr double most = 1 << 30;
    Opened refused{MetafileFault::TooLarge};
    refused.claimed = QSize(int(std::min(w, most)), int(std::min(h, most)));
    return refused;
}

} // namespace metafile

MetafileKind metafileKind(const QByteArray& bytes)
{
    const metafile::Record r(bytes.constData(), bytes.size());
    const bool wmfHeaderAt0 = (r.u16(0) == 1 || r.u16(0) == 2) && r.u16(2) == 9 && (r.u16(4) == 0x0100 || r.u16(4) == 0x0300);
    if ((bytes.size() >= 4 && r.u32(0) == 0x9AC6CDD7) || (bytes.size() >= 6 && wmfHeaderAt0))
        return MetafileKind::Wmf;
    if (bytes.size() >= 44 && r.u32(0) == 1 && r.u32(40) == 0x464D4520)
        return MetafileKind::Emf;
    return MetafileKind::None;
}

MetafileRead renderMetafile(const QByteArray& bytes, const std::function<bool(QSize)>& fits)
{
    return metafile::render(bytes, fits, metafile::maxDrawingWork);
}

MetafileRead metafile::render(const QByteArray& bytes, const std::function<bool(QSize)>& fits, double budget)
{
    // Qt draws text only in a GUI application and aborts elsewhere (a
    // command-line tool): there a metafile is not drawn at all.
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return {QImage(), MetafileFault::Damaged};
    const MetafileKind kind = metafileKind(bytes);
    if (kind == MetafileKind::None)
        return {QImage(), MetafileFault::Damaged};
    const metafile::Opened opened = kind == MetafileKind::Wmf ? metafile::openWmf(bytes) : metafile::openEmf(bytes);
    if (opened.fault == MetafileFault::TooLarge)
        // The caller's own size limit speaks first, as it would for a size that fits in memory.
        return {QImage(), fits && !fits(opened.claimed) ? MetafileFault::Unfit : MetafileFault::TooLarge};
    if (opened.fault != MetafileFault::None)
        return {QImage(), opened.fault};
    if (fits && !fits(opened.setup.picture))
        return {QImage(), MetafileFault::Unfit};

    // GDI's look: white paper, exact colours, no antialiasing.
    QImage image(opened.setup.picture, QImage::Format_RGB32);
    if (image.isNull())
        return {QImage(), MetafileFault::TooLarge};
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    metafile::Canvas canvas(&painter, opened.setup, opened.objects, budget);
    canvas.spend(opened.measuringWork);
    if (kind == MetafileKind::Wmf)
        metafile::playWmf(bytes, canvas);
    else
        metafile::playEmf(bytes, canvas);
    painter.end();
    if (canvas.refused())
        return {QImage(), MetafileFault::TooCostly};
    return {image, MetafileFault::None};
}

} // namespace kv
