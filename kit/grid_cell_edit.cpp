#include "kit/grid_cell_edit.h"

#include "platform/ui/data_grid.h"

#include <QAction>
#include <QPointer>

namespace kv {

namespace {

constexpr int deleteKeyCode = 46;
constexpr int backspaceChar = 8;

bool isDigit(int c) { return c >= '0' && c <= '9'; }
bool isAppended(int c) { return isDigit(c) || c == '+' || c == '-' || c == '.'; }

// The ring letter (lower case) a character stands for, or 0.
char16_t ringLetter(int c)
{
    if (c < 0 || c > 0xFFFF)
        return 0;
    const char16_t lower = QChar(static_cast<char16_t>(c)).toLower().unicode();
    return (lower == u'n' || lower == u's' || lower == u'e' || lower == u'w') ? lower : 0;
}

bool onDataCell(const DataGrid* grid) { return grid->row() >= 1 && grid->col() >= 1; }

} // namespace

QString cellTextAfterKeyPress(const QString& text, int keyAscii, CellEditVariant variant)
{
    if (keyAscii == backspaceChar)
        return text.isEmpty() ? text : text.chopped(1);
    if (isAppended(keyAscii))
        return text + QChar(static_cast<char16_t>(keyAscii));
    if (variant == CellEditVariant::RingLetters)
        if (const char16_t letter = ringLetter(keyAscii))
            return QString(QChar(letter));
    return text;
}

void attachGridCellEdit(DataGrid* grid, CellEditVariant variant, QAction* saveItem)
{
    QPointer<QAction> save(variant == CellEditVariant::FoldSave ? saveItem : nullptr);

    QObject::connect(grid, &DataGrid::keyDown, grid, [grid, save](int keyCode) {
        if (keyCode == deleteKeyCode && onDataCell(grid))
            grid->setText(QString());
        // Edited (or merely visited) fold data must be analysed again before saving.
        if (save)
            save->setEnabled(false);
    });

    QObject::connect(grid, &DataGrid::keyPress, grid, [grid, variant, save](int keyAscii) {
        if (!onDataCell(grid))
            return;
        const QString before = grid->text();
        const QString after = cellTextAfterKeyPress(before, keyAscii, variant);
        if (after != before)
            grid->setText(after);
        if (save && isDigit(keyAscii))
            save->setEnabled(false);
    });
}

} // namespace kv
