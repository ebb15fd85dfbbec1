#include "platform/ui/printer.h"
#include "tests/support/printed_page.h"

#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace kv {
namespace {

QByteArray fileBytes(const QString& name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool isCompletePdf(const QByteArray& bytes)
{
    return bytes.startsWith("%PDF") && bytes.trimmed().endsWith("%%EOF");
}

// Page objects of a PDF written without object streams: "/Type /Page", not "/Type /Pages".
int pdfPageCount(const QByteArray& bytes)
{
    const QByteArray key("/Type /Page");
    int pages = 0;
    for (qsizetype at = bytes.indexOf(key); at >= 0; at = bytes.indexOf(key, at + key.size())) {
        const qsizetype next = at + key.size();
        if (next >= bytes.size() || bytes.at(next) != 's')
            ++pages;
    }
    return pages;
}

// The compression filter of each picture in a PDF, in order: "/DCTDecode" is
// JPEG, "/FlateDecode" keeps every pixel. Qt writes the pictures' dictionaries
// as plain text even when it compresses their contents.
using Filters = std::vector<std::string>;
Filters pdfPictureFilters(const QByteArray& bytes)
{
    static const QRegularExpression picture(QStringLiteral("/Subtype /Image[^>]*?/Filter (/\\w+)"));
    Filters filters;
    for (auto match = picture.globalMatch(QString::fromLatin1(bytes)); match.hasNext();)
        filters.push_back(match.next().captured(1).toStdString());
    return filters;
}

QImage solidPicture(int width, int height, QColor colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

class PrinterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        Printer::instance().endDocument();
        Printer::instance().setPdfTarget(pattern());
    }
    void TearDown() override
    {
        Printer::instance().endDocument();
        Printer::instance().setPdfTarget(QString());
    }
    QString pattern() const { return dir_.filePath(QStringLiteral("page-%1.pdf")); }
    QString document(int n) const { return pattern().arg(n); }

    QTemporaryDir dir_;
};

TEST_F(PrinterTest, TwoPicturesShareOnePageUntilTheDocumentEnds)
{
    Printer& printer = Printer::instance();
    EXPECT_FALSE(printer.hasOpenPage());
    ASSERT_TRUE(printer.drawPicture(solidPicture(300, 300, Qt::red), 500, 500));
    EXPECT_TRUE(printer.hasOpenPage());
    ASSERT_TRUE(printer.drawPicture(solidPicture(400, 300, Qt::blue), 500, 500));
    EXPECT_FALSE(isCompletePdf(fileBytes(document(1))));
    ASSERT_TRUE(printer.endDocument());
    EXPECT_FALSE(printer.hasOpenPage());

    const QByteArray pdf = fileBytes(document(1));
    EXPECT_TRUE(isCompletePdf(pdf));
    EXPECT_EQ(pdfPageCount(pdf), 1);
    EXPECT_EQ(pdfPictureFilters(pdf), Filters({"/FlateDecode", "/FlateDecode"})); // no JPEG
    EXPECT_FALSE(QFile::exists(document(2)));
    EXPECT_TRUE(printer.endDocument()); // nothing open
}

TEST_F(PrinterTest, EachDocumentGoesToTheNextFile)
{
    Printer& printer = Printer::instance();
    for (int n = 1; n <= 2; ++n) {
        ASSERT_TRUE(printer.drawPicture(solidPicture(50, 50, Qt::black), 0, 0));
        ASSERT_TRUE(printer.endDocument());
    }
    for (int n = 1; n <= 2; ++n) {
        const QByteArray pdf = fileBytes(document(n));
        EXPECT_TRUE(isCompletePdf(pdf)) << n;
        EXPECT_EQ(pdfPageCount(pdf), 1) << n;
    }
    EXPECT_FALSE(QFile::exists(document(3)));
}

TEST_F(PrinterTest, UnwritableTargetFailsWithoutLeavingAnOpenPage)
{
    Printer& printer = Printer::instance();
    printer.setPdfTarget(dir_.filePath(QStringLiteral("missing/page-%1.pdf")));
    EXPECT_FALSE(printer.drawPicture(solidPicture(10, 10, Qt::black), 500, 500));
    EXPECT_FALSE(printer.hasOpenPage());
    EXPECT_TRUE(printer.endDocument());

    printer.setPdfTarget(pattern());
    ASSERT_TRUE(printer.drawPicture(solidPicture(10, 10, Qt::black), 500, 500));
    ASSERT_TRUE(printer.endDocument());
    EXPECT_TRUE(isCompletePdf(fileBytes(document(1))));
}

TEST_F(PrinterTest, WithoutPrintSystemDrawingFails)
{
    if (!QPrinterInfo::defaultPrinter().isNull())
        GTEST_SKIP() << "this machine has a default printer";
    Printer& printer = Printer::instance();
    printer.setPdfTarget(QString());
    EXPECT_FALSE(printer.drawPicture(solidPicture(10, 10, Qt::black), 500, 500));
    EXPECT_FALSE(printer.hasOpenPage());
    EXPECT_TRUE(printer.endDocument());
}

// The picture keeps its screen size (96 pixels an inch) and sits 500 twips
// inside the printable area.
TEST_F(PrinterTest, PictureKeepsItsSizeAndPlaceOnThePage)
{
    Printer& printer = Printer::instance();
    ASSERT_TRUE(printer.drawPicture(solidPicture(96, 48, Qt::black), 500, 500));
    ASSERT_TRUE(printer.endDocument());

    const QRect inked = test::inkOnPrintedPage(document(1), dir_.path());
    EXPECT_NEAR(inked.left(), test::pictureOriginOnPage().x(), 1.5);
    EXPECT_NEAR(inked.top(), test::pictureOriginOnPage().y(), 1.5);
    EXPECT_NEAR(inked.width(), 96, 1.5);
    EXPECT_NEAR(inked.height(), 48, 1.5);
}

// An open document is finished when the program ends, even by exit(). The
// child process runs this test afresh: the parent names the file through the
// environment, so the child makes no folder of its own.
TEST(PrinterAtExit, OpenDocumentIsFinished)
{
    const char* variable = "KV_TEST_EXIT_PDF";
    std::optional<QTemporaryDir> dir;
    if (!qEnvironmentVariableIsSet(variable)) {
        dir.emplace();
        ASSERT_TRUE(dir->isValid());
        qputenv(variable, dir->filePath(QStringLiteral("at-exit.pdf")).toLocal8Bit());
    }
    const QString target = qEnvironmentVariable(variable);
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            Printer::instance().setPdfTarget(target);
            Printer::instance().drawPicture(solidPicture(20, 20, Qt::black), 500, 500);
            std::exit(Printer::instance().hasOpenPage() ? 0 : 3);
        },
        ::testing::ExitedWithCode(0), "");
    qunsetenv(variable);
    const QByteArray pdf = fileBytes(target);
    EXPECT_TRUE(isCompletePdf(pdf));
    EXPECT_EQ(pdfPageCount(pdf), 1);
}

TEST(PdfCheck, HelpersRejectOtherDocuments)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString name = dir.filePath(QStringLiteral("two.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(name);
    QPainter painter;
    ASSERT_TRUE(painter.begin(&printer));
    painter.drawImage(QPointF(0, 0), solidPicture(20, 20, Qt::red)); // Qt's default: JPEG
    printer.newPage();
    painter.end();
    const QByteArray pdf = fileBytes(name);
    EXPECT_EQ(pdfPictureFilters(pdf), Filters{"/DCTDecode"});
    EXPECT_EQ(pdfPageCount(pdf), 2);
    EXPECT_EQ(pdfPageCount("%PDF-1.4 /Type /Pages"), 0);
    EXPECT_TRUE(isCompletePdf(pdf));
    EXPECT_FALSE(isCompletePdf(pdf.left(pdf.size() / 2)));
    EXPECT_FALSE(isCompletePdf(pdf.mid(1)));
}

} // namespace
} // namespace kv
