#include "fold/ui/net_diagram_parts.h"

#include "platform/ui/clock.h"

#include "kit/attitude_list_file.h"
#include "platform/ui/cursor_guard.h"
#include "platform/ui/data_grid.h"


namespace kv {

std::string diagramDateText()
{
    return todayShortDate().toStdString();
}

QString dataFileFaultMessage() { return QStringLiteral("数据文件出错！"); }
QString promptTitle() { return QStringLiteral("提示"); }

bool readDataFileInto(DataGrid* grid, const QString& path, const std::function<bool(const std::string&)>& apply)
{
    TableHiddenWhileReading hidden(grid);
    BusyCursor busy;
    const std::optional<std::string> text = readDataFileText(path);
    return text && apply(*text);
}

} // namespace kv
