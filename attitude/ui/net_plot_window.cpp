#include "attitude/ui/net_plot_window.h"

#include "kit/attitude_list_file.h"
#include "platform/ui/cursor_guard.h"
#include "platform/ui/data_grid.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/frame_services.h"
#include "platform/ui/picture_box.h"

#include <QFile>

namespace kv {

namespace {

constexpr int kTableRows = 500; // row 0 for the titles, 499 records
constexpr int kTableCols = 26;
constexpr int kAttitudeColumnTwips = 2000;

// The size the window takes when it is restored from maximized.
constexpr int kDefaultWidthPx = 720;
constexpr int kDefaultHeightPx = 480;

} // namespace

NetPlotWindow::NetPlotWindow(const ToolEntry& entry, const QStringList& titles, QWidget* parent)
    : PlotWindow(entry, parent)
{
    setUpNetPicture();
    setUpTable(titles, kTableRows, kTableCols, kAttitudeColumnTwips);
    // The readout works whether or not a diagram has been drawn.
    connect(picture(), &PictureBox::mouseMove, this, [this](int, double x, double y) {
        if (FrameServices* frame = mainFrame())
            frame->setPanel3Text(QString::fromStdString(pointerText(x, y)));
    });
    setOpensMaximized(true);
    resize(kDefaultWidthPx, kDefaultHeightPx);
}

void NetPlotWindow::showNetDiagram(const NetDiagram& diagram)
{
    if (diagram.drawing) {
        showDiagram(*diagram.drawing);
        return;
    }
    if (diagram.preparation.status == PrepareStatus::BadRecord) {
        grid()->setCurrentCell(diagram.preparation.badRow, diagram.preparation.badColumn);
        tell(diagram.message);
    }
}

void NetPlotWindow::fillRecords(const std::vector<std::vector<std::string>>& records, int columns)
{
    TableHiddenWhileReading hidden(grid());
    putRecords(grid(), records, columns);
}

void NetPlotWindow::tell(const std::string& message)
{
    if (!message.empty())
        dialogs().message(this, QString::fromStdString(message), QStringLiteral("提示"));
}

std::string NetPlotWindow::localPath(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

} // namespace kv
