// File > "数据文件" and File > "保存数据" of the attitude tools: the attitude
// list file (one record per line: dip direction, dip) read into and written
// from the data table, columns 1 and 2 of rows 1 onwards.
//
// The pieces below the two commands serve the tools whose files put header
// lines or a third item around the same records.
#pragma once

#include "kit/core/attitude_record.h"

#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QWidget;

namespace kv {

class DataGrid;

// Asks for a file and replaces the table's records with the file's. A file
// that can't be read or decoded leaves the table as it was; a file that ends
// inside a record or holds more records than the table has rows keeps the
// records before the fault. Both give the read message.
void readAttitudeListFile(QWidget* window, DataGrid* grid);

// Asks for a file name and writes the table's records to it, up to the first
// row whose dip direction is empty. A row without a dip, or with a number the
// record can't hold, gives the message and leaves any existing file as it was.
void writeAttitudeListFile(QWidget* window, DataGrid* grid);

// Messages and dialog filters of the two commands.
QString attitudeReadFilter();  // "数据文件（*.txt;*.dat）|*.txt;*.dat|所有文件（*.*）|*.*"
QString attitudeWriteFilter(); // "数据文件(*.txt)|*.txt|所有文件|*.*"
QString readFaultMessage();    // "数据有误,请检查！"
QString writeFaultMessage();   // "数据有误，请检查！"

// ---- Reading pieces

// While it lives, the table is hidden and the pointer is the hourglass; both
// come back on every way out, the keyboard focus too.
class TableHiddenWhileReading {
public:
    explicit TableHiddenWhileReading(DataGrid* grid);
    ~TableHiddenWhileReading();
    TableHiddenWhileReading(const TableHiddenWhileReading&) = delete;
    TableHiddenWhileReading& operator=(const TableHiddenWhileReading&) = delete;

private:
    DataGrid* grid_;
    bool hadFocus_;
};

// The whole file as text, or empty when it can't be opened, is too large or
// is not text in the system code page.
std::optional<std::string> readDataFileText(const QString& path);

// Empties columns 1..columns of every data row, then puts the records' cell
// texts into rows 1 onwards, one item a column.
void putRecords(DataGrid* grid, const std::vector<std::vector<std::string>>& records, int columns);

// Empties columns 1..itemsPerRecord of every data row, then reads records of
// itemsPerRecord items into rows 1 onwards (one item per column). Returns why
// reading stopped early, if it did; the records before stay in the table.
RecordReadFault loadRecords(DataGrid* grid, ItemReader& reader, int itemsPerRecord);

// ---- Writing pieces

// The record lines of the table's rows (see attitudeRecordLines in the core).
std::optional<std::vector<std::string>> attitudeRecordLines(const DataGrid& grid,
                                                            const ExtraRecordItem& extra = {});

// Writes the lines (CR LF after each) in place of the file, or leaves the file
// as it was and tells the user why it can't be saved. True when written.
bool saveDataLines(QWidget* window, const QString& path, const std::vector<std::string>& lines);

} // namespace kv
