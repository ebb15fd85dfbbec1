// A printed page as the user would see it: the PDF the test printer wrote,
// rendered at 96 dots an inch (pdftoppm, installed by scripts/install-deps.sh),
// and the box that holds its dark pixels.
#pragma once

#include <QImage>
#include <QPageLayout>
#include <QPrinter>
#include <QProcess>
#include <QRect>
#include <QStandardPaths>
#include <QString>
#include <gtest/gtest.h>

namespace kv::test {

// The box of the page's dark pixels; an empty box when the page can't be
// rendered (the test has failed then).
inline QRect inkOnPrintedPage(const QString& pdf, const QString& workFolder)
{
    const QString renderer = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    EXPECT_FALSE(renderer.isEmpty()) << "pdftoppm is not installed (poppler-utils)";
    if (renderer.isEmpty())
        return {};
    const QString stem = workFolder + QStringLiteral("/rendered");
    EXPECT_EQ(QProcess::execute(renderer, {QStringLiteral("-r"), QStringLiteral("96"), QStringLiteral("-png"),
                                           QStringLiteral("-singlefile"), pdf, stem}),
              0);
    const QImage page(stem + QStringLiteral(".png"));
    EXPECT_FALSE(page.isNull());
    QRect inked;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (qGray(page.pixel(x, y)) < 128)
                inked |= QRect(x, y, 1, 1);
    return inked;
}

// Where a picture printed at (500, 500) twips starts on the rendered page:
// 500 twips inside the printable area, whose corner lies at the page's least
// margins (a margin of Qt's own default would put it further in).
inline QPointF pictureOriginOnPage()
{
    QPrinter reference(QPrinter::HighResolution);
    reference.setOutputFormat(QPrinter::PdfFormat);
    QPageLayout printable = reference.pageLayout();
    printable.setMargins(printable.minimumMargins());
    const QPointF margin = printable.paintRect(QPageLayout::Inch).topLeft();
    return {(margin.x() + 500.0 / 1440) * 96, (margin.y() + 500.0 / 1440) * 96};
}

} // namespace kv::test
