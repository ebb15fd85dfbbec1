#include "platform/ui/data_grid.h"

#include "platform/ui/twips.h"

#include <QAbstractButton>
#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QSignalBlocker>
#include <QStyleOptionHeader>
#include <algorithm>

namespace kv {

namespace {

// The virtual key code of a key: what the tools' key-down handlers test
// (Delete 46, arrows 37..40, letters as upper-case ASCII...). Qt's own codes
// differ for punctuation (Qt::Key_Period is 46, which would read as Delete),
// so punctuation maps to the codes of the keys that carry it.
int virtualKeyCode(const QKeyEvent* e)
{
    const int key = e->key();
    if (e->modifiers() & Qt::KeypadModifier) {
        if (key >= Qt::Key_0 && key <= Qt::Key_9)
            return 96 + (key - Qt::Key_0);
        switch (key) {
        case Qt::Key_Asterisk: return 106;
        case Qt::Key_Plus: return 107;
        case Qt::Key_Minus: return 109;
        case Qt::Key_Period: return 110;
        case Qt::Key_Slash: return 111;
        default: break;
        }
    }
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z))
        return key;
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return 112 + (key - Qt::Key_F1);
    switch (key) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt: return 18;
    case Qt::Key_Pause: return 19;
    case Qt::Key_CapsLock: return 20;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Space: return 32;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return 46;
    case Qt::Key_NumLock: return 144;
    case Qt::Key_ScrollLock: return 145;
    // Shifted digit keys report the digit key.
    case Qt::Key_ParenRight: return '0';
    case Qt::Key_Exclam: return '1';
    case Qt::Key_At: return '2';
    case Qt::Key_NumberSign: return '3';
    case Qt::Key_Dollar: return '4';
    case Qt::Key_Percent: return '5';
    case Qt::Key_AsciiCircum: return '6';
    case Qt::Key_Ampersand: return '7';
    case Qt::Key_Asterisk: return '8';
    case Qt::Key_ParenLeft: return '9';
    // Punctuation keys, shifted or not.
    case Qt::Key_Semicolon:
    case Qt::Key_Colon: return 186;
    case Qt::Key_Equal:
    case Qt::Key_Plus: return 187;
    case Qt::Key_Comma:
    case Qt::Key_Less: return 188;
    case Qt::Key_Minus:
    case Qt::Key_Underscore: return 189;
    case Qt::Key_Period:
    case Qt::Key_Greater: return 190;
    case Qt::Key_Slash:
    case Qt::Key_Question: return 191;
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde: return 192;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft: return 219;
    case Qt::Key_Backslash:
    case Qt::Key_Bar: return 220;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight: return 221;
    case Qt::Key_Apostrophe:
    case Qt::Key_QuoteDbl: return 222;
    default: return 0;
    }
}

// The character a key types, as the key-press handlers see it; 0 for keys
// that type nothing (arrows, Delete, function keys...).
int typedCharacter(const QKeyEvent* e)
{
    if (e->key() == Qt::Key_Backspace)
        return 8;
    if (e->key() == Qt::Key_Delete)
        return 0;
    const QString text = e->text();
    if (text.isEmpty())
        return 0;
    const char32_t c = text.toUcs4().value(0);
    return c == 0x7f ? 0 : static_cast<int>(c);
}

bool movesCurrentCell(int key)
{
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return true;
    default:
        return false;
    }
}

} // namespace

// Paints the title of the fixed corner cell (row 0, column 0) on the table's
// corner button, which Qt otherwise leaves blank.
class DataGridCornerPainter : public QObject {
public:
    DataGridCornerPainter(DataGrid* grid, QAbstractButton* corner)
        : QObject(grid), grid_(grid), corner_(corner)
    {
        corner->installEventFilter(this);
    }
    QString text;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != corner_ || event->type() != QEvent::Paint)
            return false;
        // Drawn as a title cell of the header row (the button itself is disabled,
        // so the table has no select-all corner).
        QStyleOptionHeader opt;
        opt.initFrom(grid_->horizontalHeader());
        opt.state |= QStyle::State_Raised;
        opt.rect = corner_->rect();
        opt.position = QStyleOptionHeader::OnlyOneSection;
        opt.orientation = Qt::Horizontal;
        opt.text = text;
        opt.textAlignment = Qt::AlignCenter;
        QPainter painter(corner_);
        corner_->style()->drawControl(QStyle::CE_Header, &opt, &painter, corner_);
        return true;
    }

private:
    DataGrid* grid_;
    QAbstractButton* corner_;
};

DataGrid::DataGrid(QWidget* parent)
    : QTableWidget(parent)
{
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setCornerButtonEnabled(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    verticalHeader()->setSectionsClickable(false);
    verticalHeader()->setHighlightSections(false);
    // Compact rows, one line of text with a little air, so a long table shows many.
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setMinimumSectionSize(fontMetrics().height() + 4);
    if (auto* corner = findChild<QAbstractButton*>())
        corner_ = new DataGridCornerPainter(this, corner);
}

void DataGrid::setup(int rows, int cols)
{
    clear(); // every item, header items included
    setRowCount(std::max(rows - 1, 0));
    setColumnCount(std::max(cols - 1, 0));
    // Empty title items, so the headers show no numbers of their own.
    for (int c = 0; c < columnCount(); ++c)
        setHorizontalHeaderItem(c, new QTableWidgetItem());
    for (int r = 0; r < rowCount(); ++r)
        setVerticalHeaderItem(r, new QTableWidgetItem());
    setCornerText(QString());
    if (rowCount() > 0 && columnCount() > 0)
        QTableWidget::setCurrentCell(0, 0);
}

int DataGrid::rows() const { return rowCount() + 1; }
int DataGrid::cols() const { return columnCount() + 1; }

bool DataGrid::inGrid(int row, int col) const
{
    return row >= 0 && col >= 0 && row < rows() && col < cols();
}

QString DataGrid::textMatrix(int row, int col) const
{
    if (!inGrid(row, col))
        return {};
    const QTableWidgetItem* it = nullptr;
    if (row == 0 && col == 0)
        return cornerText();
    if (row == 0)
        it = horizontalHeaderItem(col - 1);
    else if (col == 0)
        it = verticalHeaderItem(row - 1);
    else
        it = item(row - 1, col - 1);
    return it ? it->text() : QString();
}

void DataGrid::setTextMatrix(int row, int col, const QString& text)
{
    if (!inGrid(row, col))
        return;
    if (row == 0 && col == 0) {
        setCornerText(text);
        return;
    }
    // A new cell gets its text before it joins the table: one change for the
    // view to take in, not two (a result table of tens of thousands of rows).
    QTableWidgetItem* it = nullptr;
    if (row == 0) {
        it = horizontalHeaderItem(col - 1);
        if (!it)
            return setHorizontalHeaderItem(col - 1, new QTableWidgetItem(text));
    } else if (col == 0) {
        it = verticalHeaderItem(row - 1);
        if (!it)
            return setVerticalHeaderItem(row - 1, new QTableWidgetItem(text));
    } else {
        it = item(row - 1, col - 1);
        if (!it)
            return setItem(row - 1, col - 1, new QTableWidgetItem(text));
    }
    it->setText(text);
}

QString DataGrid::cornerText() const { return corner_ ? corner_->text : QString(); }

void DataGrid::setCornerText(const QString& text)
{
    if (!corner_)
        return;
    corner_->text = text;
    fitRowHeader();
    if (auto* button = findChild<QAbstractButton*>())
        button->update();
}

void DataGrid::fitRowHeader()
{
    int titleWidth = 0;
    if (!cornerText().isEmpty()) {
        QStyleOptionHeader opt;
        opt.initFrom(horizontalHeader());
        opt.text = cornerText();
        // A pixel of room each side: on a scaled screen the text's width rounds
        // up where the column's width, from twips or from its numbers, does not.
        titleWidth = style()->sizeFromContents(QStyle::CT_HeaderSection, &opt, QSize(), horizontalHeader()).width()
                     + 2;
    }
    if (rowHeaderPx_ >= 0)
        verticalHeader()->setFixedWidth(std::max(rowHeaderPx_, titleWidth));
    else
        verticalHeader()->setMinimumWidth(titleWidth);
}

void DataGrid::setTextRows(int firstRow, const std::vector<QStringList>& texts)
{
    if (texts.empty())
        return;
    {
        const QSignalBlocker quiet(model());
        for (std::size_t i = 0; i < texts.size(); ++i)
            for (int col = 0; col < texts[i].size(); ++col)
                setTextMatrix(firstRow + static_cast<int>(i), col, texts[i][col]);
    }
    // What the quiet model would have told its views, for the block at once.
    const int top = std::max(firstRow, 0) - 1;                                   // model rows; -1: titles
    const int bottom = std::min(firstRow + static_cast<int>(texts.size()), rows()) - 2;
    if (top < 0 && columnCount() > 0)
        emit model()->headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
    if (bottom < std::max(top, 0) || rowCount() == 0)
        return;
    emit model()->headerDataChanged(Qt::Vertical, std::max(top, 0), bottom);
    if (columnCount() > 0)
        emit model()->dataChanged(model()->index(std::max(top, 0), 0), model()->index(bottom, columnCount() - 1));
}

int DataGrid::row() const { return currentRow() + 1; }
int DataGrid::col() const { return currentColumn() + 1; }

void DataGrid::setCurrentCell(int row, int col)
{
    if (row >= 1 && col >= 1 && inGrid(row, col))
        QTableWidget::setCurrentCell(row - 1, col - 1);
}

QString DataGrid::text() const { return textMatrix(row(), col()); }

void DataGrid::setText(const QString& text)
{
    if (row() >= 1 && col() >= 1)
        setTextMatrix(row(), col(), text);
}

void DataGrid::setColWidthTwips(int col, int twips)
{
    const int px = std::max(twipsToPixels(twips), 0);
    if (col == 0) {
        rowHeaderPx_ = px;
        fitRowHeader();
    } else if (col >= 1 && col < cols()) {
        setColumnWidth(col - 1, px);
    }
}

int DataGrid::colWidthTwips(int col) const
{
    if (col == 0) {
        const QHeaderView* h = verticalHeader();
        const int px = h->minimumWidth() == h->maximumWidth() ? h->maximumWidth() : h->sizeHint().width();
        return static_cast<int>(pixelsToTwips(px));
    }
    if (col >= 1 && col < cols())
        return static_cast<int>(pixelsToTwips(columnWidth(col - 1)));
    return 0;
}

void DataGrid::numberRows()
{
    for (int r = 1; r < rows(); ++r)
        setTextMatrix(r, 0, QString::number(r));
}

void DataGrid::clearColumns(int firstCol, int lastCol)
{
    firstCol = std::max(firstCol, 1);
    lastCol = std::min(lastCol, cols() - 1);
    for (int r = 1; r < rows(); ++r)
        for (int c = firstCol; c <= lastCol; ++c)
            if (QTableWidgetItem* it = item(r - 1, c - 1))
                it->setText(QString());
}

bool DataGrid::event(QEvent* e)
{
    // Tab would otherwise be taken for focus movement before keyPressEvent
    // sees it; the table hands it to the key handlers like any other key.
    if (e->type() == QEvent::KeyPress) {
        auto* ke = static_cast<QKeyEvent*>(e);
        if (ke->key() == Qt::Key_Tab || ke->key() == Qt::Key_Backtab) {
            keyPressEvent(ke);
            return true;
        }
    }
    return QTableWidget::event(e);
}

void DataGrid::keyPressEvent(QKeyEvent* e)
{
    emit keyDown(virtualKeyCode(e));
    if (const int c = typedCharacter(e))
        emit keyPress(c);
    // The table itself only moves the current cell; it never edits or searches.
    if (movesCurrentCell(e->key()))
        QTableWidget::keyPressEvent(e);
    e->accept();
}

} // namespace kv
