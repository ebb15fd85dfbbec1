// Metafiles laid out as the programs a geologist gets pictures from write
// them (a spreadsheet's chart, a CAD drawing, a chart program's wind rose),
// for the metafile reader's tests and the corpus: each with its drawing in
// the picture's pixels, worked out from the numbers written here, not from a
// reader (metafile_corpus.h).
#pragma once

#include "tests/support/metafile_corpus.h"

namespace kv::test {

// A chart as a spreadsheet saves one: in a window whose y axis points up
// (twenty logical units a pixel, from the bottom left corner), a plot area
// with a grid, bars, tick and category labels, a title, and the vertical
// axis's title at escapement 2700, which in such a window reads up the page
// beside the axis (90 degrees anticlockwise).
inline CorpusFile chartEmf()
{
    const QSize size(480, 360);
    Sketch k(Sketch::Kind::Emf, size, Units{20, QPoint(0, 7200), -1});
    k.add(emf::setMapMode(gdi::mmAnisotropic) + emf::setWindowOrgEx(0, 7200) + emf::setWindowExtEx(9600, -7200)
          + emf::setViewportOrgEx(0, 0) + emf::setViewportExtEx(480, 360));
    k.pen(1, colorRef(134, 134, 134));
    k.brush(colorRef(250, 250, 245));
    k.box(QRect(4, 4, 472, 352), false);
    k.brush(colorRef(255, 255, 255));
    k.box(QRect(70, 30, 390, 270), false);
    k.pen(1, colorRef(217, 217, 217));
    for (int i = 1; i <= 4; ++i)
        k.polyline({{71, 300 - 54 * i}, {459, 300 - 54 * i}});
    const int heights[] = {120, 200, 165, 240, 90, 150};
    k.pen(1, colorRef(40, 40, 40));
    k.brush(colorRef(68, 114, 196));
    for (int i = 0; i < 6; ++i)
        k.box(QRect(82 + 65 * i, 300 - heights[i], 40, heights[i]), false);
    k.pen(1, colorRef(0, 0, 0));
    k.polyline({{70, 30}, {70, 300}, {460, 300}});
    k.font(12, gdi::ansiCharset, QStringLiteral("Arial"), colorRef(0, 0, 0));
    for (int i = 0; i <= 5; ++i)
        k.text(QPoint(40, 304 - 54 * i), QString::number(50 * i));
    for (int i = 0; i < 6; ++i)
        k.text(QPoint(92 + 65 * i, 318), QStringLiteral("S%1").arg(i + 1));
    k.font(14, gdi::ansiCharset, QStringLiteral("Arial"), colorRef(0, 0, 0));
    k.text(QPoint(230, 345), QStringLiteral("Sample"));
    k.font(14, gdi::ansiCharset, QStringLiteral("Arial"), colorRef(0, 0, 0), 2700, 90);
    k.text(QPoint(28, 236), QStringLiteral("Strain ratio"));
    k.font(16, gdi::ansiCharset, QStringLiteral("Arial"), colorRef(0, 0, 0));
    k.text(QPoint(170, 22), QStringLiteral("Rs of the grains"));
    return {QStringLiteral("chart-y-up.emf"), emfOf(size, k.records, k.objects + 1), k.drawing};
}

// A map sheet as a CAD program exports it, with no placeable header: a
// window at a large origin whose y axis points up, a logical unit a pixel; a
// border 40 units inside the window's edges, contours, an outcrop filled
// inside a thick boundary, a fault, a north arrow and labels.
inline CorpusFile cadWmf()
{
    const QSize size(1200, 800);
    Sketch k(Sketch::Kind::Wmf, size, Units{1, QPoint(20000, 16800), -1});
    k.add(wmf::setMapMode(gdi::mmAnisotropic) + wmf::setWindowOrg(20000, 16800) + wmf::setWindowExt(1200, -800));
    k.pen(1, colorRef(0, 0, 0));
    k.polyline({{40, 40}, {1160, 40}, {1160, 760}, {40, 760}, {40, 40}});
    Sequence s(23);
    for (int i = 0; i < 12; ++i) {
        MapLine line = mapLine(s, QSize(1120, 720));
        for (QPoint& p : line.pixels)
            p += QPoint(40, 40);
        k.pen(std::max(1, line.width), line.colour);
        k.polyline(line.pixels);
    }
    k.brush(colorRef(230, 190, 120));
    k.pen(3, colorRef(120, 60, 0));
    k.polygon({{{300, 300}, {520, 260}, {640, 380}, {560, 520}, {340, 500}}});
    k.pen(4, colorRef(200, 0, 0));
    k.polyline({{200, 700}, {500, 450}, {800, 300}, {1000, 120}});
    k.brush(colorRef(0, 0, 0));
    k.pen(1, colorRef(0, 0, 0));
    k.polygon({{{1080, 120}, {1100, 180}, {1080, 165}, {1060, 180}}});
    k.font(20, gdi::gb2312Charset, QStringLiteral("宋体"), colorRef(0, 0, 0));
    k.text(QPoint(420, 400), QStringLiteral("砂岩 J2"));
    k.text(QPoint(820, 280), QStringLiteral("F3"));
    k.text(QPoint(1072, 110), QStringLiteral("N"));
    k.font(16, gdi::ansiCharset, QStringLiteral("Arial"), colorRef(0, 0, 160));
    k.text(QPoint(60, 745), QStringLiteral("Sheet 7  1:5000"));
    return {QStringLiteral("cad-no-placeable.wmf"), wmf::metafile(k.records, k.objects), k.drawing};
}

// The centre of windRoseEmf()'s rose in device pixels, and its petals'
// lengths, the first pointing north, then on clockwise by 22.5 degrees.
constexpr QPoint windRoseCentre(6028, 7805);
constexpr int windRosePetals[16] = {6000, 2500, 3500, 1500, 4500, 2000, 3000, 1800,
                                    5200, 2200, 2800, 1600, 3900, 2100, 3300, 1700};

// A wind rose as a chart program saved it, its frame recorded as 3.19 x
// 4.13 m (319000 x 413000 hundredths of a millimetre: 12056.7 x 15609.4
// pixels of its 96-dots-an-inch device): drawn in device pixels, sixteen
// petals round a filled centre of radius 600, rings of radius 2000, 4000 and
// 6000, and the four points' letters (east's from 4700 to about 4970 out).
inline QByteArray windRoseEmf()
{
    const quint32 petal = colorRef(70, 130, 180), ring = colorRef(160, 160, 160), centre = colorRef(200, 60, 40);
    const QPoint c = windRoseCentre;
    QByteArray records = emf::extCreatePen(1, 20, ring) + emf::selectObject(1)
                         + emf::createBrushIndirect(2, gdi::bsNull, 0) + emf::selectObject(2);
    for (int r : {2000, 4000, 6000})
        records += emf::ellipse(c.x() - r, c.y() - r, c.x() + r, c.y() + r);
    records += emf::selectObject(gdi::nullPen) + emf::createBrushIndirect(3, gdi::bsSolid, petal) + emf::selectObject(3);
    for (int i = 0; i < 16; ++i) {
        const double a = i * 22.5 * M_PI / 180, half = 8 * M_PI / 180, length = windRosePetals[i];
        const auto at = [&](double angle, double r) {
            return c + QPoint(qRound(r * std::sin(angle)), -qRound(r * std::cos(angle)));
        };
        records += emf::polygon({c, at(a - half, length), at(a + half, length)});
    }
    records += emf::createBrushIndirect(4, gdi::bsSolid, centre) + emf::selectObject(4)
               + emf::ellipse(c.x() - 600, c.y() - 600, c.x() + 600, c.y() + 600);
    records += emf::extCreateFontIndirectW(5, -400, 700, gdi::ansiCharset, QStringLiteral("Arial")) + emf::selectObject(5)
               + emf::setBkMode(gdi::transparent) + emf::setTextAlign(gdi::taBaseline);
    const struct {
        const char* letter;
        QPoint at;
    } points[] = {{"N", {c.x() - 130, c.y() - 6500}}, {"E", {c.x() + 4700, c.y() + 140}},
                  {"S", {c.x() - 130, c.y() + 6900}}, {"W", {c.x() - 4970, c.y() + 140}}};
    for (const auto& p : points)
        records += emf::extTextOutW(p.at.x(), p.at.y(), QString::fromLatin1(p.letter), {270});
    const QRect frame(QPoint(0, 0), QPoint(319000, 413000));
    return emf::metafile(records, QRect(QPoint(0, 0), QPoint(12056, 15609)), frame, QSize(1920, 1440), QSize(508, 381), 6);
}

} // namespace kv::test
