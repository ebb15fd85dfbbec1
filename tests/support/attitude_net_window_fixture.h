// What the tests of the two net windows share: scripted dialogs, a main
// window stand-in for panel 3, a folder for files, the pointer moved over the
// picture, ink looked for near a point of the net, and window pictures saved
// for a look by eye when KV_NET_SHOTS names a folder.
#pragma once

#include "kit/plot_window.h"
#include "platform/ui/data_grid.h"
#include "platform/ui/picture_box.h"
#include "tests/support/fake_dialogs.h"
#include "tests/support/fake_frame.h"
#include "tests/support/tool_window_test.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace kv::test {

// Colour values, red in the low byte, as PictureBox::point gives them.
constexpr std::int64_t kBlack = 0x000000;
constexpr std::int64_t kRed = 0x0000FF;

// A made-up measurement's scatter about its set's mean, in -1 .. 1: the same
// for the same i, a and b, spread evenly over many i.
inline double scatter(int i, int a, int b) { return ((i * a) % 101 + (i * b) % 103) / 102.0 - 1.0; }

class AttitudeNetWindowTest : public FramedWindowTest {
protected:
    static void click(PlotWindow& window, const char* name) { clickItem(window, name); }

    // The messages shown since the last call, as "title: text".
    static QStringList takeMessages()
    {
        QStringList out;
        for (const FakeDialogs::Message& m : dialogs().messages)
            out << m.title + QStringLiteral(": ") + m.text;
        dialogs().messages.clear();
        return out;
    }

    // The window shown, so the pointer can move over its picture.
    static void show(PlotWindow& window)
    {
        window.resize(700, 500);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    // Panel 3 after the pointer moved to the user point (whole pixels only).
    QString readoutAt(PictureBox* picture, double x, double y)
    {
        // QTest drops a move to where its last move went: step off first.
        QTest::mouseMove(picture, QPoint(1, 1));
        QTest::mouseMove(picture, picture->toPixel(x, y).toPoint());
        QApplication::processEvents();
        return frame_.panel3;
    }

    // Whether a pixel of the colour lies within one pixel of the user point.
    static bool inkNear(const PictureBox* picture, double x, double y, std::int64_t colour = kBlack)
    {
        return test::inkNear(*picture, x, y, colour);
    }
    // Black pixels outside the circle of the radius about the net's centre,
    // left of the text column and between the title lines and the legend.
    static int blackOutsideNet(const PictureBox* picture, double radius)
    {
        int n = 0;
        for (int x = -120; x <= 120; ++x)
            for (int y = -110; y <= 110; ++y)
                if (std::hypot(x, y) > radius && std::abs(x) < 98 && std::abs(y) < 98
                    && picture->point(x, y) == kBlack)
                    ++n;
        return n;
    }

    // The Operate menu's items as "objectName=caption" (separators "name=").
    static QStringList operateItems(const PlotWindow& window)
    {
        QStringList items;
        for (QMenu* menu : window.menus())
            if (menu->objectName() == "MOperate")
                for (QAction* a : menu->actions())
                    items << a->objectName() + "=" + a->text();
        return items;
    }

    static bool tableShown(const PlotWindow& w) { return !w.grid()->isHidden() && w.picture()->isHidden(); }
    static bool pictureShown(const PlotWindow& w) { return w.grid()->isHidden() && !w.picture()->isHidden(); }

    static void fillTable(DataGrid* grid, const std::vector<std::vector<const char*>>& rows)
    {
        for (std::size_t r = 0; r < rows.size(); ++r)
            for (std::size_t c = 0; c < rows[r].size(); ++c)
                grid->setTextMatrix(static_cast<int>(r) + 1, static_cast<int>(c) + 1, QString::fromUtf8(rows[r][c]));
    }

    static void saveShot(QWidget& window, const char* name) { test::saveShot(window, "KV_NET_SHOTS", name); }
};

} // namespace kv::test
