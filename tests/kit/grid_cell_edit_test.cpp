#include "kit/grid_cell_edit.h"

#include "platform/ui/data_grid.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <gtest/gtest.h>
#include <memory>

using kv::CellEditVariant;
using kv::DataGrid;

namespace {

void press(DataGrid& grid, Qt::Key key, const QString& text = {}, Qt::KeyboardModifiers mods = {})
{
    QKeyEvent down(QEvent::KeyPress, key, mods, text);
    QApplication::sendEvent(&grid, &down);
    QKeyEvent up(QEvent::KeyRelease, key, mods, text);
    QApplication::sendEvent(&grid, &up);
}

// Types a text key by key, as the keyboard reports it (Shift for capitals).
void type(DataGrid& grid, const QString& text)
{
    for (const QChar ch : text) {
        const char c = ch.toLatin1();
        Qt::Key key = Qt::Key_unknown;
        if (c >= '0' && c <= '9')
            key = Qt::Key(Qt::Key_0 + (c - '0'));
        else if (c >= 'a' && c <= 'z')
            key = Qt::Key(Qt::Key_A + (c - 'a'));
        else if (c >= 'A' && c <= 'Z')
            key = Qt::Key(Qt::Key_A + (c - 'A'));
        else if (c == '.')
            key = Qt::Key_Period;
        else if (c == '-')
            key = Qt::Key_Minus;
        else if (c == '+')
            key = Qt::Key_Plus;
        else if (c == ':')
            key = Qt::Key_Colon;
        press(grid, key, QString(ch), ch.isUpper() ? Qt::ShiftModifier : Qt::NoModifier);
    }
}

void makeTable(DataGrid& grid)
{
    grid.setup(5, 4);
    grid.setTextMatrix(0, 0, QStringLiteral("序号"));
    grid.setTextMatrix(0, 1, QStringLiteral("倾向"));
    grid.setTextMatrix(0, 2, QStringLiteral("倾角"));
    grid.numberRows();
}

enum Special { None, Delete, Backspace };

struct Case {
    const char* name;
    CellEditVariant variant;
    const char* before;
    Special first; // a key pressed before the typed text
    const char* typed;
    const char* after;
};

const CellEditVariant allVariants[] = {CellEditVariant::Plain, CellEditVariant::RingLetters,
                                       CellEditVariant::FoldSave};

} // namespace

TEST(GridCellEdit, KeySequencesChangeTheCurrentCell)
{
    const Case cases[] = {
        {"digits and point", CellEditVariant::Plain, "", None, "12.5", "12.5"},
        {"sign appended unchecked", CellEditVariant::Plain, "30", None, "-", "30-"},
        {"signs and points pile up", CellEditVariant::Plain, "1", None, "+-..+", "1+-..+"},
        {"delete clears", CellEditVariant::Plain, "135.25", Delete, "", ""},
        {"delete on empty", CellEditVariant::Plain, "", Delete, "", ""},
        {"delete then type", CellEditVariant::Plain, "99", Delete, "7", "7"},
        {"backspace drops last", CellEditVariant::Plain, "125", Backspace, "", "12"},
        {"backspace on empty", CellEditVariant::Plain, "", Backspace, "", ""},
        {"letters ignored", CellEditVariant::Plain, "45", None, "abcNSEWx", "45"},
        {"ring letter replaces", CellEditVariant::RingLetters, "125", None, "S", "s"},
        {"each ring letter", CellEditVariant::RingLetters, "", None, "nE", "e"},
        {"w lower", CellEditVariant::RingLetters, "12", None, "w", "w"},
        {"other letter ignored", CellEditVariant::RingLetters, "125", None, "x", "125"},
        {"digits after letter", CellEditVariant::RingLetters, "s", None, "5", "s5"},
        {"fold edits as plain", CellEditVariant::FoldSave, "30", None, "-1.5s", "30-1.5"},
        {"fold delete", CellEditVariant::FoldSave, "30", Delete, "", ""},
    };
    for (const Case& c : cases) {
        DataGrid grid;
        makeTable(grid);
        QAction save;
        kv::attachGridCellEdit(&grid, c.variant, &save);
        grid.setCurrentCell(2, 2);
        grid.setText(QString::fromLatin1(c.before));
        if (c.first == Delete)
            press(grid, Qt::Key_Delete, QStringLiteral("\x7f"));
        else if (c.first == Backspace)
            press(grid, Qt::Key_Backspace, QStringLiteral("\b"));
        type(grid, QString::fromLatin1(c.typed));
        EXPECT_EQ(grid.textMatrix(2, 2), QString::fromLatin1(c.after)) << c.name;
        EXPECT_EQ(grid.row(), 2) << c.name;
        EXPECT_EQ(grid.col(), 2) << c.name;
        EXPECT_EQ(grid.textMatrix(1, 1), QString()) << c.name;
    }
}

TEST(GridCellEdit, ColonAndOtherCharactersChangeNothingInAnyTable)
{
    for (const CellEditVariant v : allVariants) {
        DataGrid grid;
        makeTable(grid);
        kv::attachGridCellEdit(&grid, v);
        grid.setText(QStringLiteral("45"));
        type(grid, QStringLiteral(":"));
        QKeyEvent han(QEvent::KeyPress, 0, Qt::NoModifier, QStringLiteral("中"));
        QApplication::sendEvent(&grid, &han);
        press(grid, Qt::Key_Space, QStringLiteral(" "));
        EXPECT_EQ(grid.text(), QStringLiteral("45"));
    }
}

TEST(GridCellEdit, TitleRowAndNumberColumnNeverChange)
{
    for (const CellEditVariant v : allVariants) {
        DataGrid grid;
        makeTable(grid);
        kv::attachGridCellEdit(&grid, v);
        // No current cell at all: the keys must not reach the titles.
        grid.QTableWidget::setCurrentCell(-1, -1);
        ASSERT_EQ(grid.row(), 0);
        press(grid, Qt::Key_Delete, QStringLiteral("\x7f"));
        type(grid, QStringLiteral("5sN"));
        press(grid, Qt::Key_Backspace, QStringLiteral("\b"));
        EXPECT_EQ(grid.textMatrix(0, 0), QStringLiteral("序号"));
        EXPECT_EQ(grid.textMatrix(0, 1), QStringLiteral("倾向"));
        for (int r = 1; r < grid.rows(); ++r)
            EXPECT_EQ(grid.textMatrix(r, 0), QString::number(r));
        for (int r = 1; r < grid.rows(); ++r)
            for (int c = 1; c < grid.cols(); ++c)
                EXPECT_EQ(grid.textMatrix(r, c), QString());
    }
}

TEST(GridCellEdit, FoldTableMakesSavedDataStale)
{
    DataGrid grid;
    makeTable(grid);
    QAction save;
    kv::attachGridCellEdit(&grid, CellEditVariant::FoldSave, &save);

    // Moving to another cell changes no text but still disables saving.
    press(grid, Qt::Key_Right);
    EXPECT_FALSE(save.isEnabled());
    EXPECT_EQ(grid.col(), 2);

    // The key-press handler alone: a digit disables, Backspace and signs don't.
    struct Step {
        int keyAscii;
        bool enabledAfter;
    };
    const Step steps[] = {{8, true}, {'+', true}, {'-', true}, {'.', true}, {'x', true}, {'7', false}};
    for (const Step& s : steps) {
        save.setEnabled(true);
        emit grid.keyPress(s.keyAscii);
        EXPECT_EQ(save.isEnabled(), s.enabledAfter) << "character " << s.keyAscii;
    }
    save.setEnabled(true);
    emit grid.keyDown(16); // any key at all
    EXPECT_FALSE(save.isEnabled());
}

TEST(GridCellEdit, OtherTablesLeaveTheSaveItemAlone)
{
    DataGrid grid;
    makeTable(grid);
    QAction save;
    kv::attachGridCellEdit(&grid, CellEditVariant::Plain, &save);
    type(grid, QStringLiteral("12"));
    press(grid, Qt::Key_Down);
    EXPECT_TRUE(save.isEnabled());
}

TEST(GridCellEdit, SaveItemMayGoFirst)
{
    DataGrid grid;
    makeTable(grid);
    auto save = std::make_unique<QAction>();
    kv::attachGridCellEdit(&grid, CellEditVariant::FoldSave, save.get());
    save.reset();
    type(grid, QStringLiteral("3"));
    press(grid, Qt::Key_Down);
    EXPECT_EQ(grid.textMatrix(1, 1), QStringLiteral("3"));
}
