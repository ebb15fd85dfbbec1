#include "platform/metafile/metafile.h"

#include "platform/metafile/metafile_player.h"

#include <QGuiApplication>
#include <QImageReader>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstddef>

#include <uwmf.h>

namespace kv {
namespace metafile {
namespace {

// Every pixel white (the paper).
bool blankPicture(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        if (!std::all_of(row, row + image.width(), [](QRgb p) { return (p & 0xFFFFFF) == 0xFFFFFF; }))
            return false;
    }
    return true;
}

} // namespace

std::optional<QSize> fittedPicture(double width, double height, double perInch)
{
    const double w = std::fabs(width) * screenDotsPerInch / perInch;
    const double h = std::fabs(height) * screenDotsPerInch / perInch;
    if (!(w > 0 && h > 0 && std::isfinite(w) && std::isfinite(h)))
        return std::nullopt;
    const qint64 limitMiB = QImageReader::allocationLimit();
    const double mostPixels = limitMiB > 0 ? double(limitMiB) * 1024 * 1024 / 4 : HUGE_VAL;
    const double scale = std::min({1.0, maxMetafileSide / w, maxMetafileSide / h, std::sqrt(mostPixels / w / h)});
    // Rounded, unless that would take a few pixels past the memory limit.
    const bool round = std::round(w * scale) * std::round(h * scale) <= mostPixels;
    const auto side = [&](double s) { return std::max(1, int(round ? std::round(s * scale) : std::floor(s * scale))); };
    return QSize(side(w), side(h));
}

bool startsWmfHeader(QByteArrayView bytes)
{
    if (bytes.size() < 6)
        return false;
    const Record r(bytes.data(), 6);
    const quint16 type = r.u16(0), words = r.u16(2), version = r.u16(4);
    return (type == U_MEMORYMETAFILE || type == U_DISKMETAFILE) && words == U_SIZE_WMRHEADER / 2
           && (version == U_METAVERSION100 || version == U_METAVERSION300);
}

} // namespace metafile

MetafileKind metafileKind(const QByteArray& bytes)
{
    const metafile::Record r(bytes.constData(), bytes.size());
    if ((bytes.size() >= 4 && r.u32(0) == metafile::wmfPlaceableKey) || metafile::startsWmfHeader(bytes))
        return MetafileKind::Wmf;
    if (bytes.size() >= 44 && r.u32(0) == U_EMR_HEADER && r.u32(offsetof(U_EMRHEADER, dSignature)) == U_ENHMETA_SIGNATURE)
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
    // A blank picture is what its maker drew unless records that draw were
    // left out: then it is their drawing that is missing, and the picture is
    // not shown as if it were the file's. A file that draws nothing, or only
    // white, with none left out (an empty page a program saved) is shown as
    // the blank picture it is: refusing it would call a sound file unreadable.
    if (canvas.drawingLeftOut() && metafile::blankPicture(image))
        return {QImage(), MetafileFault::Unreadable};
    return {image, MetafileFault::None};
}

} // namespace kv
