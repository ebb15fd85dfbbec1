// The data table: a grid addressed by row and column numbers. Row 0 and column 0
// are fixed (shown as the table's header row and header column, so they stay in
// view while scrolling); data cells start at row 1, column 1. The table takes no
// text of its own from the keyboard: keys are handed to keyDown/keyPress.
#pragma once

#include <QStringList>
#include <QTableWidget>

#include <vector>

namespace kv {

class DataGridCornerPainter;

class DataGrid : public QTableWidget {
    Q_OBJECT
public:
    explicit DataGrid(QWidget* parent = nullptr);

    // Counts include the fixed row and column. Empties every cell, titles
    // included, and makes row 1, column 1 the current cell.
    void setup(int rows, int cols);
    int rows() const;
    int cols() const;

    QString textMatrix(int row, int col) const;
    void setTextMatrix(int row, int col, const QString& text);
    // Rows firstRow, firstRow + 1 ... from column 0 on, each text as
    // setTextMatrix sets it (cells outside the grid are skipped). The view
    // takes in the whole block as one change instead of one per cell, which
    // matters for a result table of tens of thousands of rows.
    void setTextRows(int firstRow, const std::vector<QStringList>& texts);

    // Current cell in grid addressing (row >= 1, col >= 1 for data cells).
    int row() const;
    int col() const;
    void setCurrentCell(int row, int col);
    QString text() const;             // current cell
    void setText(const QString& text);

    void setColWidthTwips(int col, int twips);
    int colWidthTwips(int col) const;
    // Column 0 gets the numbers 1 .. rows-1.
    void numberRows();
    // Empties the given columns of every data row.
    void clearColumns(int firstCol, int lastCol);

signals:
    // Every key press, as a virtual key code (Delete = 46, arrows 37..40...):
    // one number per key, whatever the keyboard layout.
    void keyDown(int keyCode);
    // Character keys only (Backspace 8, digits 48..57...), after keyDown.
    void keyPress(int keyAscii);

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyboardSearch(const QString&) override {}

private:
    bool inGrid(int row, int col) const;
    QString cornerText() const;
    void setCornerText(const QString& text);
    // The row-number column is never narrower than its title needs.
    void fitRowHeader();

    DataGridCornerPainter* corner_ = nullptr; // title of row 0, column 0
    int rowHeaderPx_ = -1; // column 0's width as set in twips; -1: as wide as its numbers
};

} // namespace kv
