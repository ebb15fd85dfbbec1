#include "platform/ui/metafile.h"

#include "platform/ui/metafile_svg.h"

#include <QGuiApplication>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>

#include <clocale>
#include <cmath>
#include <locale.h>

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

Conversion refusedSize(double width, double height, double perInch)
{
    const double w = std::round(std::fabs(width) * screenDotsPerInch / perInch);
    const double h = std::round(std::fabs(height) * screenDotsPerInch / perInch);
    if (!(w >= 1 && h >= 1 && std::isfinite(w) && std::isfinite(h)))
        return {};
    constexpr double most = 1 << 30;
    return {std::nullopt, Refusal::TooLarge, QSize(int(std::min(w, most)), int(std::min(h, most)))};
}

} // namespace metafile

namespace {

// Both converters print the SVG's numbers with printf, which follows
// LC_NUMERIC, and Qt sets that from the user's locale at start-up: a German
// one would write "0,5". C numbers on this thread while converting.
class CNumbers {
public:
    CNumbers()
    {
        if (locale_t base = duplocale(uselocale(locale_t(0)))) {
            numbers_ = newlocale(LC_NUMERIC_MASK, "C", base);
            if (!numbers_)
                freelocale(base);
        }
        if (numbers_)
            previous_ = uselocale(numbers_);
    }
    ~CNumbers()
    {
        if (numbers_) {
            uselocale(previous_);
            freelocale(numbers_);
        }
    }
    CNumbers(const CNumbers&) = delete;
    CNumbers& operator=(const CNumbers&) = delete;

private:
    locale_t numbers_ = locale_t(0);
    locale_t previous_ = locale_t(0);
};

MetafileRead render(const metafile::SvgPicture& picture, const std::function<bool(QSize)>& fits)
{
    if (fits && !fits(picture.size))
        return {QImage(), MetafileFault::Unfit};
    if (picture.svg.size() > metafile::maxSvgBytes)
        return {QImage(), MetafileFault::TooCostly};
    QSvgRenderer renderer(picture.svg);
    if (!renderer.isValid())
        return {QImage(), MetafileFault::Damaged};
    renderer.setViewBox(picture.viewBox);
    if (!metafile::withinBudget(metafile::drawingCost(renderer, picture.size)))
        return {QImage(), MetafileFault::TooCostly};
    QImage image(picture.size, QImage::Format_RGB32);
    if (image.isNull())
        return {QImage(), MetafileFault::Damaged};
    image.fill(Qt::white);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(picture.size)));
    return {image, MetafileFault::None};
}

} // namespace

MetafileKind metafileKind(const QByteArray& bytes)
{
    using namespace metafile;
    if ((bytes.size() >= 4 && u32(bytes, 0) == wmfPlaceableKey) || isWmfHeader(bytes, 0))
        return MetafileKind::Wmf;
    if (bytes.size() >= 44 && u32(bytes, 0) == 1 && u32(bytes, 40) == emfSignature)
        return MetafileKind::Emf;
    return MetafileKind::None;
}

MetafileRead renderMetafile(const QByteArray& bytes, const std::function<bool(QSize)>& fits)
{
    // Qt draws text only in a GUI application and aborts elsewhere (a
    // command-line tool, a fuzzer): there a metafile is not drawn at all.
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return {QImage(), MetafileFault::Damaged};
    metafile::Conversion svg;
    {
        const CNumbers numbers;
        switch (metafileKind(bytes)) {
        case MetafileKind::Wmf:
            svg = metafile::wmfToSvg(bytes);
            break;
        case MetafileKind::Emf:
            svg = metafile::emfToSvg(bytes);
            break;
        case MetafileKind::None:
            break;
        }
    }
    if (svg.picture)
        return render(*svg.picture, fits);
    switch (svg.refusal) {
    case metafile::Refusal::Damaged:
        break;
    case metafile::Refusal::TooCostly:
        return {QImage(), MetafileFault::TooCostly};
    case metafile::Refusal::TooLarge:
        // The caller's own size limit speaks first, as it would for a size that fits in memory.
        return {QImage(), fits && !fits(svg.claimed) ? MetafileFault::Unfit : MetafileFault::TooLarge};
    }
    return {QImage(), MetafileFault::Damaged};
}

} // namespace kv
