#include "fold/ui/net_diagram_parts.h"

#include "kit/attitude_list_file.h"
#include "platform/ui/cursor_guard.h"
#include "platform/ui/data_grid.h"

#include <QDate>
#include <QLocale>

namespace kv {

std::string diagramDateText()
{
    return QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat).toStdString();
}

QString dataFileFaultMessage() { return QStringLiteral("数据文件出错！"); }
QString promptTitle() { return QStringLiteral("提示"); }

void putAttitudeRows(DataGrid* grid, const AttitudeRows& rows)
{
    grid->clearColumns(1, 2);
    for (std::size_t k = 0; k < rows.size(); ++k)
        for (int c = 0; c < 2; ++c)
            grid->setTextMatrix(static_cast<int>(k) + 1, c + 1, QString::fromStdString(rows[k][c]));
}

bool readDataFileInto(DataGrid* grid, const QString& path, const std::function<bool(const std::string&)>& apply)
{
    TableHiddenWhileReading hidden(grid);
    BusyCursor busy;
    const std::optional<std::string> text = readDataFileText(path);
    return text && apply(*text);
}

} // namespace kv
