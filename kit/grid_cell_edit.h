// In-cell editing of a tool's data table: the user types straight into the
// current cell, without an edit box. Delete empties the cell, Backspace drops
// its last character, digits, "+", "-" and "." are appended. Nothing is
// checked while typing; each tool checks the texts when it uses them.
#pragma once

#include <QString>

class QAction;

namespace kv {

class DataGrid;

enum class CellEditVariant {
    Plain,       // digits, signs and points only
    RingLetters, // also n, s, e, w (either case): the cell becomes that lower-case letter
    FoldSave,    // as Plain, and any key makes the saved data stale (save item disabled)
};

// The cell text after a typed character (Backspace is 8); the text unchanged
// when the character does not edit cells in this variant.
QString cellTextAfterKeyPress(const QString& text, int keyAscii, CellEditVariant variant);

// Connects the table's keys to the editing of its current data cell. For
// FoldSave, saveItem is the File > save-data item that every key disables;
// it may be destroyed before the table.
void attachGridCellEdit(DataGrid* grid, CellEditVariant variant, QAction* saveItem = nullptr);

} // namespace kv
