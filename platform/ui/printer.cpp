#include "platform/ui/printer.h"

#include <QCoreApplication>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <cstdlib>
#include <memory>

namespace kv {

namespace {

constexpr double twipsPerInch = 1440.0;
constexpr double screenPixelsPerInch = 96.0;

} // namespace

struct Printer::Impl {
    QString pdfPattern;
    int pdfDocuments = 0; // documents already sent to the PDF pattern
    std::unique_ptr<QPrinter> printer;
    std::unique_ptr<QPainter> painter; // open while a page is open

    bool beginDocument();
    bool endDocument();
};

// A document goes to the next PDF file of the pattern when one is set, else to
// the system's default printer. Nothing stays half open when it cannot start.
bool Printer::Impl::beginDocument()
{
    auto device = std::make_unique<QPrinter>(QPrinter::HighResolution);
    int number = pdfDocuments;
    if (!pdfPattern.isEmpty()) {
        ++number;
        device->setOutputFormat(QPrinter::PdfFormat);
        device->setOutputFileName(pdfPattern.contains(QLatin1String("%1"))
                                      ? pdfPattern.arg(number)
                                      : pdfPattern);
    } else {
        const QPrinterInfo system = QPrinterInfo::defaultPrinter();
        if (system.isNull())
            return false; // no print system
        device = std::make_unique<QPrinter>(system, QPrinter::HighResolution);
    }
    // Places on the page count from the corner of the printable area: the page
    // takes the device's own least margins, not a default margin of Qt's on top.
    QPageLayout page = device->pageLayout();
    page.setMargins(page.minimumMargins());
    device->setPageLayout(page);
    auto pagePainter = std::make_unique<QPainter>();
    if (!pagePainter->begin(device.get()))
        return false;
    // Pictures go onto the page with their pixels as they are: without the
    // hint the PDF the print system receives holds them as JPEG, and thin
    // coloured lines come out in other colours with a blurred fringe.
    pagePainter->setRenderHint(QPainter::LosslessImageRendering);
    printer = std::move(device);
    painter = std::move(pagePainter);
    pdfDocuments = number;
    return true;
}

bool Printer::Impl::endDocument()
{
    if (!painter)
        return true;
    const bool ok = painter->end();
    painter.reset();
    printer.reset();
    return ok;
}

Printer::Impl* Printer::impl()
{
    static Impl* const document = new Impl; // never destroyed: the exit hooks may still need it
    return document;
}

// A document left open reaches the printer when the program ends, whether the
// application object is torn down normally or the program calls exit().
Printer& Printer::instance()
{
    static Printer printer;
    static bool withApplication = false; // the application runs its post routines once
    static const bool atExit = std::atexit([] {
        if (QCoreApplication::instance())
            printer.impl()->endDocument();
    }) == 0;
    (void)atExit;
    if (!withApplication && QCoreApplication::instance()) {
        qAddPostRoutine([] {
            withApplication = false;
            printer.impl()->endDocument();
        });
        withApplication = true;
    }
    return printer;
}

bool Printer::drawPicture(const QImage& image, double xTwips, double yTwips)
{
    Impl& d = *impl();
    if (!d.painter && !d.beginDocument())
        return false;
    const double dotsPerInch = d.printer->resolution();
    const QRectF onPage(xTwips / twipsPerInch * dotsPerInch, yTwips / twipsPerInch * dotsPerInch,
                        image.width() / screenPixelsPerInch * dotsPerInch,
                        image.height() / screenPixelsPerInch * dotsPerInch);
    d.painter->drawImage(onPage, image);
    return true;
}

bool Printer::endDocument() { return impl()->endDocument(); }

bool Printer::hasOpenPage() const
{
    return const_cast<Printer*>(this)->impl()->painter != nullptr;
}

void Printer::setPdfTarget(const QString& pathPattern)
{
    Impl& d = *impl();
    d.pdfPattern = pathPattern;
    d.pdfDocuments = 0;
}

} // namespace kv
