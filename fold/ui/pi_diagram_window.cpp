#include "fold/ui/pi_diagram_window.h"

#include "fold/core/pi_diagram.h"
#include "fold/ui/net_diagram_parts.h"
#include "kit/attitude_list_file.h"
#include "kit/grid_cell_edit.h"
#include "platform/ui/data_grid.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/picture_box.h"

namespace kv {

namespace {

constexpr int kTableRows = 500; // row 0 for the titles, 499 beds
constexpr int kTableCols = 14;
constexpr int kAttitudeColumnTwips = 1500;

constexpr int kDefaultWidthPx = 640;
constexpr int kDefaultHeightPx = 480;

QString saveFilter() { return QStringLiteral("数据文件（*.txt）|*.txt|所有文件(*.*)|*.*"); }

} // namespace

PiDiagramWindow::PiDiagramWindow(const ToolEntry& entry, QWidget* parent) : PlotWindow(entry, parent)
{
    setUpNetPicture();
    picture()->setFontSize(kNetFontPoints);
    setUpTable({QStringLiteral("序号"), QStringLiteral("倾向"), QStringLiteral("倾角")}, kTableRows, kTableCols,
               kAttitudeColumnTwips);
    addMenus({{QStringLiteral("Pi图解"), QStringLiteral("MOperatePi"), [this] { drawPi(); }}});
    attachGridCellEdit(grid(), CellEditVariant::Plain);
    setOpensMaximized(true);
    resize(kDefaultWidthPx, kDefaultHeightPx);
    showTableView();
    layOut();
}

// An empty first row draws nothing and says nothing; a bad row is reported and
// leaves the view as it was.
void PiDiagramWindow::drawPi()
{
    const PiAnalysis analysis = analysePiTable(cells());
    if (analysis.fault == PiFault::NoBeds)
        return;
    if (!analysis.ok()) {
        dialogs().message(this, QString::fromStdString(piFaultMessage(analysis.fault)), promptTitle());
        return;
    }
    pointCount_ = analysis.pointCount();
    showDiagram(piDiagram(analysis, diagramDateText()));
}

void PiDiagramWindow::readDataFile()
{
    const QString path = dialogs().openFileName(this, attitudeReadFilter());
    if (path.isEmpty())
        return;
    // The table takes the records read, those before a fault included.
    bool parsed = false;
    const bool loaded = readDataFileInto(grid(), path, [&](const std::string& text) {
        const PiFileRead read = parsePiFile(text);
        putRecords(grid(), read.rows, 2);
        parsed = true;
        return read.ok();
    });
    if (parsed)
        showTableView();
    if (!loaded)
        dialogs().message(this, dataFileFaultMessage(), promptTitle());
}

void PiDiagramWindow::saveDataFile()
{
    const QString path = dialogs().saveFileName(this, saveFilter());
    if (path.isEmpty())
        return;
    const std::optional<std::vector<std::string>> lines = piFileLines(cells());
    if (!lines) {
        dialogs().message(this, writeFaultMessage(), promptTitle());
        return;
    }
    saveDataLines(this, path, *lines);
}

} // namespace kv
