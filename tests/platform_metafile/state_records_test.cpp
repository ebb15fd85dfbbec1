// The records of the device context's state, one row per family in WMF and
// in EMF where both have it: map modes, the window and viewport, the world
// transform, saved states and the object table. Each row draws a square or
// a band; its pixels are worked out by hand from the mapping the records set.
#include "tests/support/metafile_rows.h"

namespace kv {
namespace {

using namespace test;

QByteArray anisotropic(QSize window, QSize viewport)
{
    return emf::setMapMode(gdi::mmAnisotropic) + emf::setWindowExtEx(window.width(), window.height())
           + emf::setViewportExtEx(viewport.width(), viewport.height());
}

// Half an inch each way from the origin, up and right, in a fixed map mode:
// 48 pixels at 96 dots an inch, the square 0..48 below the picture's top.
QByteArray halfInchSquare(int mode, int halfInch)
{
    return emf::setMapMode(mode) + emfFill(colorRef(0, 0, 255)) + emf::rectangle(0, 0, halfInch, -halfInch);
}

TEST(MetafileStateRecords, MapModesWindowsViewportsAndTheWorldTransform)
{
    const quint32 fill = colorRef(0, 0, 255);
    const std::vector<Expect> halfInch{at(24, 24, blue), at(24, 60, white), at(60, 24, white)};
    const Row rows[] = {
        {"EMF MM_LOMETRIC: 254 units an inch, y up", emf100(halfInchSquare(gdi::mmLoMetric, 127)), halfInch},
        {"EMF MM_HIMETRIC: 2540 units an inch", emf100(halfInchSquare(gdi::mmHiMetric, 1270)), halfInch},
        {"EMF MM_LOENGLISH: 100 units an inch", emf100(halfInchSquare(gdi::mmLoEnglish, 50)), halfInch},
        {"EMF MM_HIENGLISH: 1000 units an inch", emf100(halfInchSquare(gdi::mmHiEnglish, 500)), halfInch},
        {"EMF MM_TWIPS: 1440 units an inch", emf100(halfInchSquare(gdi::mmTwips, 720)), halfInch},
        {"EMF MM_TEXT: the extents do not scale", 
         emf100(emf::setWindowExtEx(200, 200) + emf::setViewportExtEx(50, 50) + emfFill(fill) + emf::rectangle(10, 10, 40, 40)),
         {at(35, 35, blue), at(45, 45, white)}},
        {"EMF MM_ISOTROPIC: the smaller of the two scales, both ways",
         emf100(emf::setMapMode(gdi::mmIsotropic) + emf::setWindowExtEx(100, 100) + emf::setViewportExtEx(100, 50)
                + emfFill(fill) + emf::rectangle(0, 0, 100, 100)),
         {at(25, 25, blue), at(75, 25, white), at(25, 75, white)}},
        {"EMF MM_ANISOTROPIC: each axis its own scale",
         emf100(anisotropic({200, 50}, {100, 100}) + emfFill(fill) + emf::rectangle(0, 0, 100, 25)),
         {at(25, 40, blue), at(75, 25, white), at(25, 60, white)}},
        {"EMF window with a negative height: y up from the window's origin",
         emf100(anisotropic({100, -100}, {100, 100}) + emf::setWindowOrgEx(0, 100) + emfFill(fill)
                + emf::rectangle(0, 0, 50, 50)),
         {at(25, 75, blue), at(25, 25, white), at(75, 75, white)}},
        {"EMF window and viewport origins: the window's origin lands on the viewport's",
         emf100(anisotropic({100, 100}, {50, 50}) + emf::setWindowOrgEx(100, 100) + emf::setViewportOrgEx(50, 50)
                + emfFill(fill) + emf::rectangle(100, 100, 200, 200)),
         {at(75, 75, blue), at(45, 45, white), at(45, 75, white)}},
        {"EMF ScaleWindowExtEx: numerators multiply, denominators divide, x before y",
         emf100(anisotropic({50, 50}, {100, 100}) + emf::scaleWindowExtEx(2, 1, 4, 1) + emfFill(fill)
                + emf::rectangle(0, 0, 50, 100)),
         {at(40, 25, blue), at(25, 75, white), at(75, 25, white)}},
        {"EMF ScaleViewportExtEx",
         emf100(anisotropic({100, 100}, {100, 100}) + emf::scaleViewportExtEx(1, 2, 1, 4) + emfFill(fill)
                + emf::rectangle(0, 0, 100, 100)),
         {at(40, 20, blue), at(40, 35, white), at(60, 20, white)}},
        {"WMF SetWindowOrg then OffsetWindowOrg: the origin moves on from where it was",
         wmf100(wmf::setWindowOrg(-10, -10) + wmf::offsetWindowOrg(-10, -10) + wmfFill(fill) + wmf::rectangle(0, 0, 30, 30)),
         {at(35, 35, blue), at(45, 45, blue), at(15, 15, white)}},
        {"WMF ScaleWindowExt: the placeable box's window scaled, x before y",
         wmf100(wmf::scaleWindowExt(2, 1, 4, 1) + wmfFill(fill) + wmf::rectangle(0, 0, 100, 200)),
         {at(40, 40, blue), at(60, 40, white), at(40, 60, white)}},
        {"EMF world transform, then the page: translated, then doubled",
         emf100(anisotropic({50, 50}, {100, 100}) + emf::setWorldTransform(1, 0, 0, 1, 10, 10) + emfFill(fill)
                + emf::rectangle(0, 0, 10, 10)),
         {at(35, 35, blue), at(15, 15, white)}},
        {"EMF world transform turned a quarter: x' = 100 - y, y' = x",
         emf100(emf::setWorldTransform(0, 1, -1, 0, 100, 0) + emfFill(fill) + emf::rectangle(10, 20, 40, 30)),
         {at(75, 25, blue), at(25, 75, white), at(25, 15, white)}},
        {"EMF ModifyWorldTransform, left multiply: the new transform applies first",
         emf100(emf::setWorldTransform(2, 0, 0, 2, 0, 0) + emf::modifyWorldTransform(1, 0, 0, 1, 10, 0, gdi::mwtLeftMultiply)
                + emfFill(fill) + emf::rectangle(0, 0, 10, 10)),
         {at(30, 10, blue), at(15, 10, white), at(30, 25, white)}},
        {"EMF ModifyWorldTransform, right multiply: the new transform applies last",
         emf100(emf::setWorldTransform(2, 0, 0, 2, 0, 0) + emf::modifyWorldTransform(1, 0, 0, 1, 10, 0, gdi::mwtRightMultiply)
                + emfFill(fill) + emf::rectangle(0, 0, 10, 10)),
         {at(15, 10, blue), at(35, 10, white)}},
        {"EMF ModifyWorldTransform, identity",
         emf100(emf::setWorldTransform(2, 0, 0, 2, 0, 0) + emf::modifyWorldTransform(3, 0, 0, 3, 5, 5, gdi::mwtIdentity)
                + emfFill(fill) + emf::rectangle(0, 0, 10, 10)),
         {at(5, 5, blue), at(15, 15, white)}},
    };
    for (const Row& row : rows)
        expectRow(row);
}

TEST(MetafileStateRecords, SavedStatesAndTheObjectTable)
{
    // Brushes in slots 1 (blue), 2 (red) and 3 (green) of a WMF, behind a null pen.
    const QByteArray wmfBrushes = wmf::createPenIndirect(gdi::psNull, 0, 0) + wmf::selectObject(0)
                                  + wmf::createBrushIndirect(gdi::bsSolid, colorRef(0, 0, 255))
                                  + wmf::createBrushIndirect(gdi::bsSolid, colorRef(255, 0, 0))
                                  + wmf::createBrushIndirect(gdi::bsSolid, colorRef(0, 255, 0));
    const QByteArray emfBrushes = emf::selectObject(gdi::nullPen) + emf::createBrushIndirect(1, gdi::bsSolid, colorRef(0, 0, 255))
                                  + emf::createBrushIndirect(2, gdi::bsSolid, colorRef(255, 0, 0))
                                  + emf::createBrushIndirect(3, gdi::bsSolid, colorRef(0, 255, 0));
    const Row rows[] = {
        {"WMF RestoreDC -1 twice: each pops one state",
         wmf100(wmfBrushes + wmf::selectObject(1) + wmf::saveDC() + wmf::selectObject(2) + wmf::saveDC()
                + wmf::selectObject(3) + wmf::restoreDC(-1) + wmf::restoreDC(-1) + wmf::rectangle(0, 0, 100, 100)),
         {at(50, 50, blue)}},
        {"WMF RestoreDC 1: the first state saved, and none left after it",
         wmf100(wmfBrushes + wmf::selectObject(1) + wmf::saveDC() + wmf::selectObject(2) + wmf::saveDC()
                + wmf::selectObject(3) + wmf::restoreDC(1) + wmf::rectangle(0, 0, 50, 100) + wmf::restoreDC(-1)
                + wmf::rectangle(50, 0, 100, 100)),
         {at(25, 50, blue), at(75, 50, blue)}},
        {"WMF saved state: the window goes with it",
         wmf100(wmf::saveDC() + wmf::setWindowExt(200, 200) + wmf::setWindowOrg(-50, -50) + wmf::restoreDC()
                + wmfFill(colorRef(0, 0, 255)) + wmf::rectangle(10, 10, 20, 20)),
         {at(15, 15, blue), at(25, 25, white), at(35, 35, white)}},
        {"EMF RestoreDC -1 twice: the newest state, then the one before",
         emf100(emfBrushes + emf::selectObject(1) + emf::saveDC() + emf::selectObject(2) + emf::saveDC()
                + emf::selectObject(3) + emf::restoreDC(-1) + emf::rectangle(0, 0, 50, 100) + emf::restoreDC(-1)
                + emf::rectangle(50, 0, 100, 100)),
         {at(25, 50, red), at(75, 50, blue)}},
        {"EMF RestoreDC -2: two states back at once",
         emf100(emfBrushes + emf::selectObject(1) + emf::saveDC() + emf::selectObject(2) + emf::saveDC()
                + emf::selectObject(3) + emf::restoreDC(-2) + emf::rectangle(0, 0, 100, 100)),
         {at(50, 50, blue)}},
        {"EMF saved state: the world transform and the mapping go with it",
         emf100(emf::saveDC() + emf::setWorldTransform(2, 0, 0, 2, 0, 0) + emf::setMapMode(gdi::mmLoMetric)
                + emf::restoreDC() + emfFill(colorRef(0, 0, 255)) + emf::rectangle(10, 10, 20, 20)),
         {at(15, 15, blue), at(25, 25, white)}},
        {"WMF object table: a new object takes the lowest free slot",
         wmf100(wmfBrushes + wmf::deleteObject(2) + wmf::createBrushIndirect(gdi::bsSolid, colorRef(255, 255, 0))
                + wmf::selectObject(2) + wmf::rectangle(0, 0, 100, 100)),
         {at(50, 50, yellow)}},
        {"EMF stock brushes and pens",
         emf100(emf::selectObject(gdi::nullPen) + emf::selectObject(gdi::lightGreyBrush) + emf::rectangle(0, 0, 25, 100)
                + emf::selectObject(gdi::greyBrush) + emf::rectangle(25, 0, 50, 100)
                + emf::selectObject(gdi::darkGreyBrush) + emf::rectangle(50, 0, 75, 100)
                + emf::selectObject(gdi::blackBrush) + emf::rectangle(75, 0, 100, 100)
                + emf::selectObject(gdi::whitePen) + emf::polyline16({{0, 20}, {100, 20}})
                + emf::selectObject(gdi::blackPen) + emf::polyline16({{0, 80}, {100, 80}})
                + emf::selectObject(gdi::nullBrush) + emf::rectangle(2, 30, 22, 45)
                + emf::selectObject(gdi::nullPen) + emf::selectObject(gdi::whiteBrush) + emf::rectangle(30, 50, 45, 65)),
         {at(12, 50, 0xC0C0C0), at(37, 45, 0x808080), at(62, 50, 0x404040), at(87, 90, black), at(87, 20, white),
          at(12, 80, black), at(12, 37, 0xC0C0C0), at(2, 37, black), at(37, 57, white), at(30, 57, white)}},
    };
    for (const Row& row : rows)
        expectRow(row);
}

} // namespace
} // namespace kv
