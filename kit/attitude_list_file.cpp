#include "kit/attitude_list_file.h"

#include "kit/grid_cells.h"
#include "platform/ui/cursor_guard.h"
#include "platform/ui/data_grid.h"
#include "platform/ui/dialogs.h"
#include "platform/text/text_file.h"

#include <QFile>

namespace kv {

namespace {

QString promptTitle() { return QStringLiteral("提示"); }

std::string localPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

QString saveFailureMessage(FileError error)
{
    if (error == FileError::CannotEncode)
        return QStringLiteral("数据中有无法保存的字符，请检查！");
    return QStringLiteral("文件无法保存，请检查文件名、权限和磁盘空间！");
}

// Reads the file's records into the table; false when the file could not be
// read at all or its records stopped early.
bool loadRecordFile(DataGrid* grid, const QString& path, int itemsPerRecord)
{
    std::optional<std::string> text = readDataFileText(path);
    if (!text)
        return false;
    ItemReader reader(std::move(*text));
    return loadRecords(grid, reader, itemsPerRecord) == RecordReadFault::None;
}

} // namespace

QString attitudeReadFilter()
{
    return QStringLiteral("数据文件（*.txt;*.dat）|*.txt;*.dat|所有文件（*.*）|*.*");
}
QString attitudeWriteFilter() { return QStringLiteral("数据文件(*.txt)|*.txt|所有文件|*.*"); }
QString readFaultMessage() { return QStringLiteral("数据有误,请检查！"); }
QString writeFaultMessage() { return QStringLiteral("数据有误，请检查！"); }

void readAttitudeListFile(QWidget* window, DataGrid* grid)
{
    const QString path = dialogs().openFileName(window, attitudeReadFilter());
    if (path.isEmpty())
        return;
    bool loaded = false;
    {
        TableHiddenWhileReading hidden(grid);
        BusyCursor busy;
        loaded = loadRecordFile(grid, path, 2);
    }
    // The message comes with the table shown and the pointer back to normal.
    if (!loaded)
        dialogs().message(window, readFaultMessage(), promptTitle());
}

void writeAttitudeListFile(QWidget* window, DataGrid* grid)
{
    const QString path = dialogs().saveFileName(window, attitudeWriteFilter());
    if (path.isEmpty())
        return;
    const std::optional<std::vector<std::string>> lines = attitudeRecordLines(*grid);
    if (!lines) {
        dialogs().message(window, writeFaultMessage(), promptTitle());
        return;
    }
    saveDataLines(window, path, *lines);
}

TableHiddenWhileReading::TableHiddenWhileReading(DataGrid* grid)
    : grid_(grid), hadFocus_(grid->hasFocus())
{
    grid_->hide();
}

TableHiddenWhileReading::~TableHiddenWhileReading()
{
    grid_->show();
    if (hadFocus_)
        grid_->setFocus();
}

std::optional<std::string> readDataFileText(const QString& path)
{
    TextReadResult read = readTextFile(localPath(path));
    if (read.error != FileError::None)
        return std::nullopt;
    return std::move(read.text);
}

void putRecords(DataGrid* grid, const std::vector<std::vector<std::string>>& records, int columns)
{
    grid->clearColumns(1, columns);
    for (std::size_t k = 0; k < records.size(); ++k)
        for (std::size_t i = 0; i < records[k].size() && static_cast<int>(i) < columns; ++i)
            grid->setTextMatrix(static_cast<int>(k) + 1, static_cast<int>(i) + 1, QString::fromStdString(records[k][i]));
}

RecordReadFault loadRecords(DataGrid* grid, ItemReader& reader, int itemsPerRecord)
{
    const RecordsRead read = readRecords(reader, itemsPerRecord, grid->rows() - 1);
    putRecords(grid, read.records, itemsPerRecord);
    return read.fault;
}

std::optional<std::vector<std::string>> attitudeRecordLines(const DataGrid& grid,
                                                            const ExtraRecordItem& extra)
{
    return attitudeRecordLines(gridCells(grid), grid.rows() - 1, extra);
}

bool saveDataLines(QWidget* window, const QString& path, const std::vector<std::string>& lines)
{
    const FileError error = writeTextFile(localPath(path), lines);
    if (error == FileError::None)
        return true;
    dialogs().message(window, saveFailureMessage(error), promptTitle());
    return false;
}

} // namespace kv
