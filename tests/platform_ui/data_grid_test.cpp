#include "platform/ui/data_grid.h"

#include <QAbstractButton>
#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <algorithm>

using kv::DataGrid;

namespace {

// A 5-row, 4-column grid (4 data rows, 3 data columns) with titles and row numbers.
void fillTitled(DataGrid& grid)
{
    grid.setup(5, 4);
    grid.setTextMatrix(0, 0, QStringLiteral("序号"));
    grid.setTextMatrix(0, 1, QStringLiteral("倾向"));
    grid.setTextMatrix(0, 2, QStringLiteral("倾角"));
    grid.numberRows();
}

QList<int> ints(const QSignalSpy& spy)
{
    QList<int> out;
    for (const QList<QVariant>& args : spy)
        out << args.at(0).toInt();
    return out;
}

QStringList allTexts(const DataGrid& grid)
{
    QStringList out;
    for (int r = 0; r < grid.rows(); ++r)
        for (int c = 0; c < grid.cols(); ++c)
            out << grid.textMatrix(r, c);
    return out;
}

} // namespace

TEST(DataGrid, FixedRowAndColumnAreTheHeaders)
{
    DataGrid grid;
    fillTitled(grid);
    EXPECT_EQ(grid.rows(), 5);
    EXPECT_EQ(grid.cols(), 4);
    EXPECT_EQ(grid.rowCount(), 4);
    EXPECT_EQ(grid.columnCount(), 3);

    EXPECT_EQ(grid.model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("倾向"));
    EXPECT_EQ(grid.model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("倾角"));
    EXPECT_EQ(grid.model()->headerData(2, Qt::Horizontal).toString(), QString());
    EXPECT_EQ(grid.model()->headerData(3, Qt::Vertical).toString(), QStringLiteral("4"));
    EXPECT_EQ(grid.textMatrix(0, 0), QStringLiteral("序号"));
    EXPECT_EQ(grid.textMatrix(2, 0), QStringLiteral("2"));
    EXPECT_TRUE(grid.horizontalHeader()->defaultAlignment() & Qt::AlignHCenter);
    EXPECT_FALSE(grid.model()->headerData(0, Qt::Horizontal, Qt::TextAlignmentRole).isValid());

    grid.setTextMatrix(3, 2, QStringLiteral("45"));
    ASSERT_NE(grid.item(2, 1), nullptr);
    EXPECT_EQ(grid.item(2, 1)->text(), QStringLiteral("45"));
    EXPECT_EQ(grid.textMatrix(3, 2), QStringLiteral("45"));

    // Outside the grid: nothing read, nothing written.
    grid.setTextMatrix(5, 1, QStringLiteral("x"));
    grid.setTextMatrix(1, 4, QStringLiteral("x"));
    grid.setTextMatrix(-1, 0, QStringLiteral("x"));
    EXPECT_EQ(grid.textMatrix(5, 1), QString());
    EXPECT_EQ(grid.rows(), 5);
    EXPECT_EQ(grid.cols(), 4);
}

// A block of rows lands as the same texts set cell by cell would (titles
// included, cells outside the grid dropped), and the view hears of the whole
// block in one change.
TEST(DataGrid, TextRowsAsCellByCellInOneChange)
{
    const std::vector<QStringList> block{
        {"1", "a", "b", "c"}, {"2", "d"}, {"3", "e", "f", "g", "extra"}, {"4", "h", "i", "j"}, {"5", "x"}};
    for (int first : {0, 1, 3}) {
        SCOPED_TRACE(first);
        DataGrid bulk, single;
        fillTitled(bulk);
        fillTitled(single);
        QSignalSpy changed(bulk.model(), &QAbstractItemModel::dataChanged);
        QSignalSpy titles(bulk.model(), &QAbstractItemModel::headerDataChanged);
        bulk.setTextRows(first, block);
        for (std::size_t i = 0; i < block.size(); ++i)
            for (int c = 0; c < block[i].size(); ++c)
                single.setTextMatrix(first + static_cast<int>(i), c, block[i][c]);
        EXPECT_EQ(allTexts(bulk), allTexts(single));
        ASSERT_EQ(changed.size(), 1);
        const QModelIndex topLeft = changed.at(0).at(0).value<QModelIndex>();
        const QModelIndex bottomRight = changed.at(0).at(1).value<QModelIndex>();
        EXPECT_EQ(topLeft.row(), std::max(first - 1, 0));
        EXPECT_EQ(topLeft.column(), 0);
        EXPECT_EQ(bottomRight.row(), 3);
        EXPECT_EQ(bottomRight.column(), 2);
        EXPECT_EQ(titles.size(), first == 0 ? 2 : 1);
    }
}

TEST(DataGrid, SetupEmptiesEverythingAndStartsAtTheFirstDataCell)
{
    DataGrid grid;
    fillTitled(grid);
    grid.setTextMatrix(4, 3, QStringLiteral("9"));
    grid.setCurrentCell(3, 2);
    grid.setup(5, 4);
    for (const QString& t : allTexts(grid))
        EXPECT_EQ(t, QString());
    // No numbers of Qt's own in the headers before numberRows().
    EXPECT_EQ(grid.model()->headerData(0, Qt::Vertical).toString(), QString());
    EXPECT_EQ(grid.model()->headerData(0, Qt::Horizontal).toString(), QString());
    EXPECT_EQ(grid.row(), 1);
    EXPECT_EQ(grid.col(), 1);
}

TEST(DataGrid, CurrentCellAndClearColumnsUseGridAddressing)
{
    DataGrid grid;
    fillTitled(grid);
    grid.setCurrentCell(3, 2);
    EXPECT_EQ(grid.currentRow(), 2);
    EXPECT_EQ(grid.currentColumn(), 1);
    grid.setText(QStringLiteral("7"));
    EXPECT_EQ(grid.textMatrix(3, 2), QStringLiteral("7"));
    EXPECT_EQ(grid.text(), QStringLiteral("7"));
    grid.setCurrentCell(0, 1); // the title row can't be the current cell
    EXPECT_EQ(grid.row(), 3);

    for (int r = 1; r < 5; ++r)
        for (int c = 1; c < 4; ++c)
            grid.setTextMatrix(r, c, QStringLiteral("v"));
    grid.clearColumns(1, 2);
    for (int r = 1; r < 5; ++r) {
        EXPECT_EQ(grid.textMatrix(r, 1), QString());
        EXPECT_EQ(grid.textMatrix(r, 2), QString());
        EXPECT_EQ(grid.textMatrix(r, 3), QStringLiteral("v"));
        EXPECT_EQ(grid.textMatrix(r, 0), QString::number(r));
    }
    EXPECT_EQ(grid.textMatrix(0, 1), QStringLiteral("倾向"));
}

TEST(DataGrid, ColumnWidthsInTwips)
{
    DataGrid grid;
    fillTitled(grid);
    grid.setColWidthTwips(1, 2000);
    grid.setColWidthTwips(0, 600);
    EXPECT_EQ(grid.columnWidth(0), 133);
    EXPECT_EQ(grid.colWidthTwips(1), 1995);
    EXPECT_EQ(grid.colWidthTwips(0), 600);
    grid.resize(400, 200);
    grid.show();
    QApplication::processEvents();
    EXPECT_EQ(grid.verticalHeader()->width(), 40);
    auto* corner = grid.findChild<QAbstractButton*>();
    ASSERT_NE(corner, nullptr);
    EXPECT_EQ(corner->width(), 40);
}

TEST(DataGrid, CornerShowsTheTitleOfColumnZero)
{
    DataGrid grid;
    fillTitled(grid);
    grid.setColWidthTwips(0, 900);
    grid.resize(400, 200);
    grid.show();
    QApplication::processEvents();
    auto* corner = grid.findChild<QAbstractButton*>();
    ASSERT_NE(corner, nullptr);
    const QImage titled = corner->grab().toImage();
    grid.setTextMatrix(0, 0, QString());
    QApplication::processEvents();
    const QImage blank = corner->grab().toImage();
    EXPECT_NE(titled, blank);
}

// The title "序号" over row numbers of one digit, with column 0 as wide as its
// numbers or set narrower in twips: the title's ink keeps clear of the corner's
// edges (a cut title runs into both).
TEST(DataGrid, CornerTitleIsNeverCut)
{
    for (const int twips : {-1, 300}) {
        DataGrid grid;
        fillTitled(grid);
        if (twips >= 0)
            grid.setColWidthTwips(0, twips);
        grid.resize(400, 200);
        grid.show();
        QApplication::processEvents();
        auto* corner = grid.findChild<QAbstractButton*>();
        ASSERT_NE(corner, nullptr);
        const QImage shown = corner->grab().toImage();
        int left = shown.width(), right = -1;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                if (qGray(shown.pixel(x, y)) < 100) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
        EXPECT_GT(right - left, 16) << twips; // both characters inked
        EXPECT_GE(left, 2) << twips;
        EXPECT_LE(right, shown.width() - 3) << twips;
    }
}

TEST(DataGrid, KeysGoToTheHandlersWithTheirVirtualKeyCodes)
{
    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char* text; // what the keyboard types
        int keyDown;
        int keyPress; // 0: no character
    };
    const Case cases[] = {
        {Qt::Key_Delete, Qt::NoModifier, "\x7f", 46, 0},
        {Qt::Key_Backspace, Qt::NoModifier, "\b", 8, 8},
        {Qt::Key_Period, Qt::NoModifier, ".", 190, '.'}, // must not read as Delete
        {Qt::Key_Minus, Qt::NoModifier, "-", 189, '-'},
        {Qt::Key_Plus, Qt::ShiftModifier, "+", 187, '+'},
        {Qt::Key_Colon, Qt::ShiftModifier, ":", 186, ':'},
        {Qt::Key_5, Qt::NoModifier, "5", '5', '5'},
        {Qt::Key_5, Qt::KeypadModifier, "5", 101, '5'},
        {Qt::Key_Period, Qt::KeypadModifier, ".", 110, '.'},
        {Qt::Key_S, Qt::ShiftModifier, "S", 'S', 'S'},
        {Qt::Key_S, Qt::NoModifier, "s", 'S', 's'},
        {Qt::Key_Return, Qt::NoModifier, "\r", 13, 13},
        {Qt::Key_Escape, Qt::NoModifier, "\x1b", 27, 27},
        {Qt::Key_Left, Qt::NoModifier, "", 37, 0},
        {Qt::Key_Up, Qt::NoModifier, "", 38, 0},
        {Qt::Key_Right, Qt::NoModifier, "", 39, 0},
        {Qt::Key_Down, Qt::NoModifier, "", 40, 0},
        {Qt::Key_Home, Qt::NoModifier, "", 36, 0},
        {Qt::Key_End, Qt::NoModifier, "", 35, 0},
        {Qt::Key_PageUp, Qt::NoModifier, "", 33, 0},
        {Qt::Key_PageDown, Qt::NoModifier, "", 34, 0},
        {Qt::Key_F2, Qt::NoModifier, "", 113, 0},
        {Qt::Key_Shift, Qt::ShiftModifier, "", 16, 0},
        {Qt::Key_Exclam, Qt::ShiftModifier, "!", '1', '!'}, // not PageUp (33)
    };
    for (const Case& c : cases) {
        DataGrid grid;
        fillTitled(grid);
        QSignalSpy down(&grid, &DataGrid::keyDown);
        QSignalSpy press(&grid, &DataGrid::keyPress);
        QKeyEvent e(QEvent::KeyPress, c.key, c.modifiers, QString::fromLatin1(c.text));
        QApplication::sendEvent(&grid, &e);
        EXPECT_EQ(ints(down), QList<int>{c.keyDown}) << "key " << c.key;
        EXPECT_EQ(ints(press), c.keyPress ? QList<int>{c.keyPress} : QList<int>{}) << "key " << c.key;
    }
}

TEST(DataGrid, NonAsciiCharacterArrivesAsItsCode)
{
    DataGrid grid;
    fillTitled(grid);
    QSignalSpy press(&grid, &DataGrid::keyPress);
    QKeyEvent e(QEvent::KeyPress, 0, Qt::NoModifier, QStringLiteral("中"));
    QApplication::sendEvent(&grid, &e);
    EXPECT_EQ(ints(press), QList<int>{0x4E2D});
}

TEST(DataGrid, TypingNeitherEditsNorSearches)
{
    DataGrid grid;
    fillTitled(grid);
    grid.setTextMatrix(3, 1, QStringLiteral("a1"));
    grid.setTextMatrix(4, 2, QStringLiteral("bc"));
    grid.setTextMatrix(2, 3, QStringLiteral("c"));
    grid.show();
    QApplication::setActiveWindow(&grid);
    grid.setFocus();
    const QStringList before = allTexts(grid);
    QSignalSpy down(&grid, &DataGrid::keyDown);
    QSignalSpy press(&grid, &DataGrid::keyPress);

    QTest::keyClicks(&grid, QStringLiteral("abc"));
    QTest::keyClick(&grid, Qt::Key_F2);
    QTest::keyClick(&grid, Qt::Key_Return);
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {},
                       grid.visualRect(grid.model()->index(0, 0)).center());
    QApplication::processEvents();

    EXPECT_EQ(ints(down), (QList<int>{65, 66, 67, 113, 13}));
    EXPECT_EQ(ints(press), (QList<int>{'a', 'b', 'c', 13}));
    EXPECT_EQ(allTexts(grid), before);
    EXPECT_EQ(grid.row(), 1);
    EXPECT_EQ(grid.col(), 1);
    EXPECT_TRUE(grid.findChildren<QLineEdit*>().isEmpty()); // no cell editor opened
}

TEST(DataGrid, NavigationKeysMoveTheCurrentCell)
{
    DataGrid grid;
    fillTitled(grid);
    grid.show();
    QApplication::processEvents();
    struct Step {
        Qt::Key key;
        int row;
        int col;
    };
    const Step steps[] = {
        {Qt::Key_Right, 1, 2}, {Qt::Key_Down, 2, 2}, {Qt::Key_Down, 3, 2}, {Qt::Key_Left, 3, 1},
        {Qt::Key_Left, 3, 1},  {Qt::Key_Up, 2, 1},   {Qt::Key_End, 2, 3},  {Qt::Key_Home, 2, 1},
        {Qt::Key_Tab, 2, 2},   {Qt::Key_Up, 1, 2},   {Qt::Key_Up, 1, 2},
    };
    for (const Step& s : steps) {
        QTest::keyClick(&grid, s.key);
        EXPECT_EQ(grid.row(), s.row) << "after key " << s.key;
        EXPECT_EQ(grid.col(), s.col) << "after key " << s.key;
    }
    EXPECT_EQ(grid.textMatrix(0, 1), QStringLiteral("倾向"));
}
