// Metafiles that cost a reader far more than their size suggests, each made
// by a function taking the numbers that size it; with the ordinary ones of
// metafile_corpus.h, the corpus the metafile reader is measured on, and the
// smaller hostile files the fuzzer starts from.
#pragma once

#include "tests/support/hostile_metafile_calls.h"
#include "tests/support/hostile_pictures.h"
#include "tests/support/huge_pictures.h"
#include "tests/support/metafile_corpus.h"
#include "tests/support/program_metafiles.h"

#include <QStringList>

#include <cmath>
#include <limits>

namespace kv::test {

// A zigzag between the top and the bottom edge, each point a golden
// section of the width on from the one before, closed into one filled
// polygon: its edges cross every row of the picture and each other, each row
// as often as there are points.
inline QList<QPoint> zigzag(int points, QSize size)
{
    QList<QPoint> out;
    for (int i = 0; i < points; ++i)
        out << QPoint(int(std::fmod(i * 0.6180339887, 1.0) * size.width()), i % 2 ? size.height() - 1 : 0);
    return out;
}

// One logical unit a pixel.
inline CorpusFile zigzagFillWmf(int points, QSize size)
{
    const QByteArray records = wmf::setWindowOrg(0, 0) + wmf::setWindowExt(size.width(), size.height())
                               + wmf::createBrushIndirect(gdi::bsSolid, colorRef(40, 90, 160)) + wmf::selectObject(0)
                               + wmf::createPenIndirect(gdi::psNull, 0, 0) + wmf::selectObject(1)
                               + wmf::polygon(zigzag(points, size));
    return {QStringLiteral("zigzag-fill-%1-points.wmf").arg(points),
            wmf::placeableHeader(0, 0, size.width(), size.height(), 96) + wmf::metafile(records, 2), std::nullopt};
}

inline CorpusFile zigzagFillEmf(int points, QSize size)
{
    const QByteArray records = emf::createBrushIndirect(1, gdi::bsSolid, colorRef(40, 90, 160)) + emf::selectObject(1)
                               + emf::selectObject(gdi::nullPen) + emf::polygon16(zigzag(points, size));
    return {QStringLiteral("zigzag-fill-%1-points.emf").arg(points), emfOf(size, records, 2), std::nullopt};
}

// A polyline zigzagging across a narrow box with a pen many times wider than
// the box, drawn again and again on a 5000-pixel square: the pen's outline
// overlaps itself at every turn.
inline CorpusFile thickZigzagWmf(int points, int penWidth, int repeats)
{
    QList<QPoint> line;
    for (int i = 0; i < points; ++i)
        line << QPoint(i % 2 ? 1647 : 1549, 1254 + (1627 - 1254) * i / (points - 1));
    QByteArray records = wmf::createPenIndirect(gdi::psSolid, penWidth, colorRef(120, 60, 20)) + wmf::selectObject(0);
    for (int i = 0; i < repeats; ++i)
        records += wmf::polyline(line);
    return {QStringLiteral("thick-zigzag-%1-points-%2-times.wmf").arg(points).arg(repeats),
            wmf::placeableHeader(0, 0, 5000, 5000, 96) + wmf::metafile(records, 1), std::nullopt};
}

// Labels whose text is SVG markup: one closes the text it stands in and adds
// a red rectangle over the picture; the next ones define a text, then groups
// each using the one before fanOut times, depth deep, and the last uses the
// deepest group: fanOut to the power depth texts, from a file that grows
// with fanOut times depth.
inline CorpusFile markupLabelsEmf(int fanOut, int depth)
{
    const QString open = QStringLiteral("<text><![CDATA["), close = QStringLiteral("]]></text>");
    QStringList labels = {close + QStringLiteral("<rect width=\"960\" height=\"720\" fill=\"#FF0000\"/>") + open,
                          close + QStringLiteral("<defs><text id=\"r0\" x=\"20\" y=\"60\" font-size=\"40\">")
                              + QStringLiteral("褶皱 F1 ").repeated(20) + QStringLiteral("</text></defs>") + open};
    for (int level = 1; level <= depth; ++level)
        labels << close + QStringLiteral("<defs><g id=\"r%1\">").arg(level)
                      + QStringLiteral("<use xlink:href=\"#r%1\"/>").arg(level - 1).repeated(fanOut)
                      + QStringLiteral("</g></defs>") + open;
    labels << close + QStringLiteral("<use xlink:href=\"#r%1\"/>").arg(depth) + open;
    QByteArray records = emf::extCreateFontIndirectW(1, -16, 400, gdi::gb2312Charset, QStringLiteral("SimSun"))
                         + emf::selectObject(1) + emf::setBkMode(gdi::transparent)
                         + emf::setTextColor(colorRef(0, 0, 0));
    for (qsizetype i = 0; i < labels.size(); ++i)
        records += emf::extTextOutW(20, 40 + 20 * int(i), labels[i], advancesOf(labels[i], 16));
    return {QStringLiteral("markup-labels-%1-wide-%2-deep.emf").arg(fanOut).arg(depth),
            emfOf(QSize(960, 720), records, 2), std::nullopt};
}

// PNG and JPEG pictures of side x side pixels packed whole in the bitmaps of
// StretchDIBits records, each drawn into a cell of 160 x 120 pixels: a few
// hundred kilobytes each that decode to hundreds of megabytes. cutShort
// keeps each picture's header and only the first bytes of its data.
inline CorpusFile packedPicturesEmf(int pngs, int jpegs, int side, bool cutShort)
{
    QByteArray records;
    for (int i = 0; i < pngs + jpegs; ++i) {
        const bool png = i < pngs;
        const QByteArray picture = png ? zeroPng(side, side, cutShort ? 4096 : std::numeric_limits<qint64>::max())
                                       : greyJpeg(side, side, !cutShort);
        const Dib bitmap = dib::packed(png ? gdi::biPng : gdi::biJpeg, side, side, picture);
        records += emf::stretchDIBits(QRect(i % 6 * 160, i / 6 * 120, 160, 120), side, side, bitmap);
    }
    return {QStringLiteral("packed-%1-png-%2-jpeg%3.emf").arg(pngs).arg(jpegs).arg(cutShort ? "-cut-short" : ""),
            emfOf(QSize(960, 720), records, 1), std::nullopt};
}

// JPEG pictures packed whole in the bitmaps of StretchDIBits records, each
// drawn into a cell of 160 x 120 pixels.
inline CorpusFile packedJpegsEmf(const QString& name, const std::vector<JpegRecipe>& pictures)
{
    QByteArray records;
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        const JpegRecipe& r = pictures[i];
        const Dib bitmap = dib::packed(gdi::biJpeg, r.width, r.height, hostileJpeg(r));
        records += emf::stretchDIBits(QRect(int(i % 6) * 160, int(i / 6) * 120, 160, 120), r.width, r.height, bitmap);
    }
    return {name, emfOf(QSize(960, 720), records, 1), std::nullopt};
}

// The ordinary files at the sizes a geologist has.
inline std::vector<CorpusFile> ordinaryMetafiles()
{
    return {polylineMapWmf(5000), polylineMapEmf(5000), polylineMapWmf(20000),
            fillsAndLabelsEmf(),  placeableWmf(),       outlineEmf(100000),
            chartEmf(),           cadWmf()};
}

// Hostile shapes at the sizes that held a reader up: zigzag fills of about 80
// and 120 KB (WMF) and 160 KB (EMF), a thick zigzag, labels of about 185 KB
// and 1.8 MB, and about 3 MB of packed pictures.
inline std::vector<CorpusFile> hostileShapeMetafiles()
{
    return {zigzagFillWmf(20000, {376, 376}),     zigzagFillWmf(30000, {744, 744}), zigzagFillEmf(40000, {408, 408}),
            thickZigzagWmf(522, 392, 40),         markupLabelsEmf(670, 2),          markupLabelsEmf(6520, 2),
            packedPicturesEmf(5, 1, 10000, false),
            packedJpegsEmf(QStringLiteral("packed-empty-scans-2-jpeg.emf"), {greyEmptyScans(20000), greyEmptyScans(20000)})};
}

// Those, and the classes of calls whose work grows with something else in
// the file (hostile_metafile_calls.h).
inline std::vector<CorpusFile> hostileMetafiles()
{
    std::vector<CorpusFile> files = hostileShapeMetafiles();
    for (CorpusFile& f : hostileCallMetafiles())
        files.push_back(std::move(f));
    return files;
}

// The hostile files, and the hostile pictures', as fuzz seeds, each kind in a few kilobytes (a fuzzer
// mutates megabyte inputs slowly, and caps its inputs at the longest
// seed's length), as costly through a larger picture, deeper nesting or
// pictures whose headers claim what their data no longer holds.
inline std::vector<CorpusFile> hostileMetafileSeeds()
{
    JpegRecipe scans = emptyScans(3000);
    scans.width = scans.height = 1000;
    std::vector<CorpusFile> seeds = {zigzagFillWmf(4000, {960, 960}), zigzagFillEmf(4000, {960, 960}),
                                     markupLabelsEmf(24, 3), packedPicturesEmf(1, 7, 10000, true),
                                     packedJpegsEmf(QStringLiteral("packed-empty-scans.emf"), {scans})};
    for (CorpusFile& f : hostileCallMetafileSeeds())
        seeds.push_back(std::move(f));
    for (CorpusFile& f : hostilePictureSeeds())
        seeds.push_back(std::move(f));
    return seeds;
}

} // namespace kv::test
