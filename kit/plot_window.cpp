#include "kit/plot_window.h"

#include "kit/core/net_canvas.h"
#include "kit/grid_cells.h"
#include "kit/plot_commands.h"
#include "kit/tool_catalogue.h"
#include "platform/ui/data_grid.h"
#include "platform/ui/drawing_painter.h"
#include "platform/ui/picture_box.h"

#include <QAction>
#include <QFrame>
#include <QResizeEvent>
#include <cstdlib>

namespace kv {

QPoint pictureCorner(const QSize& client, const QSize& picture)
{
    const auto along = [](int room, int length) { return room > length ? (room - length) / 2 : 0; };
    return {along(client.width(), picture.width()), along(client.height(), picture.height())};
}

PlotWindow::PlotWindow(const ToolEntry& entry, QWidget* parent)
    : ToolWindow(entry, parent), traits_(entry.plotTraits())
{
    picture_ = new PictureBox(this);
    picture_->setObjectName(QStringLiteral("Picture1"));
    // Made after the picture, so it lies over it: when a file is read while
    // the picture is shown, the table that comes back is what the user sees.
    grid_ = new DataGrid(this);
    grid_->setObjectName(QStringLiteral("Grid1"));
}

CellText PlotWindow::cells() const
{
    return gridCells(*grid_);
}

void PlotWindow::setUpTable(const QStringList& titles, int rows, int cols, int columnWidthTwips)
{
    grid_->setup(rows, cols);
    for (int c = 0; c < titles.size(); ++c)
        grid_->setTextMatrix(0, c, titles[c]);
    for (int c = 1; c < titles.size(); ++c)
        grid_->setColWidthTwips(c, columnWidthTwips);
    grid_->numberRows();
}

void PlotWindow::setUpPicture(int widthPx, int heightPx, const PictureScale& scale)
{
    picture_->setPictureSize(widthPx, heightPx);
    picture_->setScale(scale.x1, scale.y1, scale.x2, scale.y2);
}

void PlotWindow::setUpNetPicture()
{
    const NetCanvas& c = kNetCanvas;
    setUpPicture(c.width, c.height, {c.scaleX1, c.scaleY1, c.scaleX2, c.scaleY2});
}

QFrame* PlotWindow::addStrip(int heightPx)
{
    strip_ = new QFrame(this);
    strip_->setObjectName(QStringLiteral("Frame1"));
    strip_->setFixedHeight(heightPx);
    return strip_;
}

void PlotWindow::addMenus(const QList<MenuCommand>& drawingCommands, QWidget* pictureFrame)
{
    PlotFileCommands files{[this] { readDataFile(); }, [this] { saveDataFile(); }, std::nullopt};
    addPlotMenus(this, traits_, {picture_, grid_, pictureFrame}, files, drawingCommands);
}

void PlotWindow::showTableView()
{
    if (traits_.viewCommands == ViewCommands::DataBrowseCheck)
        setDataBrowse(menuItem(QStringLiteral("MOperatepicgrid")), picture_, grid_, true);
    else
        showDataView(picture_, grid_);
}

void PlotWindow::showPictureView()
{
    if (traits_.viewCommands == ViewCommands::DataBrowseCheck)
        setDataBrowse(menuItem(QStringLiteral("MOperatepicgrid")), picture_, grid_, false);
    else
        kv::showPictureView(picture_, grid_);
}

void PlotWindow::showDiagram(const Drawing& diagram)
{
    showPictureView();
    picture_->cls();
    paintDrawing(*picture_, diagram);
    shown_ = diagram;
}

void PlotWindow::layOut()
{
    const int w = width();
    const int h = height();
    const QSize pic = picture_->size();
    if (signedOffset_)
        picture_->move((w - pic.width()) / 2, (h - pic.height()) / 2);
    else
        picture_->move(pictureCorner(size(), pic));
    const int stripHeight = strip_ ? strip_->height() : 0;
    if (strip_)
        strip_->setGeometry(0, 0, w, stripHeight);
    grid_->setGeometry(0, stripHeight, w, std::abs(h - stripHeight));
}

void PlotWindow::resizeEvent(QResizeEvent* event)
{
    ToolWindow::resizeEvent(event);
    layOut();
}

} // namespace kv
