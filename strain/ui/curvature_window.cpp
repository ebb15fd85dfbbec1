#include "strain/ui/curvature_window.h"

#include "kit/plot_commands.h"
#include "kit/plot_menus.h"
#include "kit/grid_cells.h"
#include "kit/tool_catalogue.h"
#include "platform/text/text_file.h"
#include "platform/ui/clock.h"
#include "platform/ui/cursor_guard.h"
#include "platform/ui/data_grid.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/drawing_painter.h"
#include "platform/ui/frame_services.h"
#include "platform/ui/picture_box.h"
#include "platform/ui/twips.h"
#include "strain/core/binarise.h"
#include "strain/core/curvature_drawing.h"
#include "strain/core/curvature_lookup.h"
#include "strain/core/curvature_picture_size.h"
#include "strain/core/curvature_table_file.h"
#include "strain/core/curvature_texts.h"
#include "strain/ui/curvature_steps.h"
#include "strain/ui/pass_progress_strip.h"
#include "strain/ui/picture_pixels.h"
#include "strain/ui/tool_picture.h"

#include <QAction>
#include <QMdiSubWindow>
#include <QMenu>

namespace kv {

namespace texts = curvature_texts;

namespace {

constexpr int kTableCols = 26;
constexpr int kResultColumnTwips = 1500;
constexpr int kStripHeightTwips = 135;
constexpr int kStripGapTwips = 20;

const char* const kTableFileFilter = "数据文件(*.txt)|*.txt|所有文件|*.*";

QString latin(const char* name) { return QString::fromLatin1(name); }
QString utf8(const char* text) { return QString::fromUtf8(text); }

} // namespace

CurvatureWindow::CurvatureWindow(const ToolEntry& entry, QWidget* parent)
    : ToolWindow(entry, parent), traits_(entry.plotTraits())
{
    picture_ = new PictureBox(this);
    picture_->setObjectName(QStringLiteral("Picture1"));
    plot_ = new PictureBox(this);
    plot_->setObjectName(QStringLiteral("Picture3"));
    strip_ = new PictureBox(this);
    strip_->setObjectName(QStringLiteral("Picture2"));
    strip_->setPictureSize(picture_->pictureSize().width(), twipsToPixels(kStripHeightTwips));
    // Over the pictures, so that the table, when shown, is what the user sees.
    grid_ = new DataGrid(this);
    grid_->setObjectName(QStringLiteral("Grid1"));

    grid_->setup(1, kTableCols);
    for (int c = 0; c < 4; ++c)
        grid_->setTextMatrix(0, c, utf8(texts::kTableHeaders[c]));
    for (int c = 1; c < 4; ++c)
        grid_->setColWidthTwips(c, kResultColumnTwips);

    buildMenus();
    connect(picture_, &PictureBox::mouseDown, this, &CurvatureWindow::pictureClicked);
    connect(plot_, &PictureBox::mouseDown, this, [this](int button, double, double) {
        if (button == 2)
            plot_->hide();
    });

    picture_->hide();
    strip_->hide();
    plot_->hide();
    setOpensMaximized(true);
    layOut();
}

void CurvatureWindow::buildMenus()
{
    const PlotMenuNames& n = traits_.names;

    PlotFileCommands files;
    files.saveData = [this] { saveTable(); };
    files.openPicture =
        MenuCommand{QStringLiteral("打开图像"), QStringLiteral("MFileOpen"), [this] { openPicture(); }};
    addPlotFileMenu(this, traits_, plot_, files);

    QMenu* operate = addMenu(QStringLiteral("操作(&O)"), latin(n.operateMenu));
    binarise_ = addCommand(operate, QStringLiteral("图像二值化"), "MOperateBlack", [this] { binarisePicture(); });
    thin_ = addCommand(operate, QStringLiteral("曲线细化"), "MOperateXihua", [this] { thinLines(); });
    addItem(operate, QStringLiteral("-"), QStringLiteral("MOperateSpaceBar1"));
    curvature_ = addCommand(operate, QStringLiteral("计算曲率"), "MOperateCurvature", [this] { computeCurvature(); });
    addItem(operate, QStringLiteral("-"), QStringLiteral("MOperateSpaceBar2"));
    addCommand(operate, QStringLiteral("浏览数据/图像"), "MOperateGrid", [this] { switchView(); });

    addHelpMenu(this, traits_, QStringLiteral("MHelpSpaceBar"));

    for (QAction* needsPicture : {binarise_, thin_, curvature_})
        needsPicture->setEnabled(false);
    resetPanel3OnClosing(this, traits_);
}

// ---- layout -------------------------------------------------------------------

void CurvatureWindow::resizeEvent(QResizeEvent* event)
{
    ToolWindow::resizeEvent(event);
    layOut();
}

// A picture larger than the window goes off its top left edge rather than
// being pushed down and right; the strip lies just under the picture.
void CurvatureWindow::layOut()
{
    const int w = width();
    const int h = height();
    grid_->setGeometry(0, 0, w, h);
    const QSize pic = picture_->size();
    const QPoint at((w - pic.width()) / 2, (h - pic.height()) / 2);
    picture_->move(at);
    if (strip_->pictureSize().width() != pic.width())
        strip_->setPictureSize(pic.width(), twipsToPixels(kStripHeightTwips));
    strip_->move(at.x(), at.y() + pic.height() + twipsToPixels(kStripGapTwips));
    resizeKeepingDrawing(*plot_, picture_->pictureSize());
    plot_->move(at);
}

// ---- picture ------------------------------------------------------------------

bool CurvatureWindow::fitsPicture(QSize picture) const
{
    const auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget());
    const QSize outer = frame ? frame->frameGeometry().size() : frameGeometry().size();
    return !pictureTooLarge(pixelsToTwips(outer.width()), pixelsToTwips(outer.height()), pixelsToTwips(picture.width()),
                            pixelsToTwips(picture.height()));
}

// A picture refused (not a picture, damaged, or too large) changes nothing:
// the picture the user has been working on stays, with its map. The size is
// checked before the picture is decoded, so a picture too large for memory
// gets the same message as one too large for the window.
void CurvatureWindow::openPicture()
{
    ToolPictureLoad how;
    how.dialogTitle = QStringLiteral("打开位图");
    how.fits = [this](QSize picture) { return fitsPicture(picture); };
    how.tooLarge = [this] {
        dialogs().message(this, utf8(texts::kPictureTooLargeMessage), utf8(texts::kPictureTooLargeTitle));
    };
    if (!loadToolPicture(this, picture_, how))
        return;
    layOut();
    picture_->show();
    grid_->hide();
    thin_->setEnabled(false);
    curvature_->setEnabled(false);
    binarise_->setEnabled(true);
}

void CurvatureWindow::switchView()
{
    grid_->setVisible(grid_->isHidden());
    picture_->setVisible(picture_->isHidden());
}

// ---- passes over the pixel map ---------------------------------------------------

// The threshold comes first: a cancelled or unreadable answer leaves the
// picture, the map and the thinning done so far as they were.
void CurvatureWindow::binarisePicture()
{
    const QString answer =
        dialogs().inputBox(this, utf8(texts::kThresholdPrompt), utf8(texts::kThresholdTitle), QString());
    const auto threshold = parseThreshold(answer.toStdString());
    if (!threshold)
        return;
    {
        BusyCursor busy;
        PassProgressStrip progress(strip_);
        doEvents();
        map_ = binariseShownPicture(*picture_, *threshold, progress.progress());
    }
    thin_->setEnabled(true);
    curvature_->setEnabled(true);
}

void CurvatureWindow::thinLines()
{
    BusyCursor busy;
    PassProgressStrip progress(strip_);
    doEvents();
    thinShownPicture(*picture_, map_, progress.progress());
}

void CurvatureWindow::computeCurvature()
{
    {
        BusyCursor busy;
        PassProgressStrip progress(strip_);
        resizeKeepingDrawing(*plot_, picture_->pictureSize());
        plot_->cls();
        grid_->setRowCount(0); // the header row alone
        doEvents();

        const CurvaturePass pass = runCurvaturePass(map_, options_, progress.progress());
        rows_ = pass.rows;
        fillCurvatureTable(*grid_, rows_);
        if (!rows_.empty())
            grid_->setCurrentCell(static_cast<int>(rows_.size()), 1);
        paintDrawing(*plot_, curvatureDrawing(pass.fits));
    }
    plot_->show();
}

// ---- the pointer and the files -------------------------------------------------------

void CurvatureWindow::pictureClicked(int button, double x, double y)
{
    if (button == 2) {
        plot_->show();
        picture_->setCursor(Qt::CrossCursor);
        return;
    }
    FrameServices* frame = mainFrame();
    if (!frame)
        return;
    const std::string readout = curvatureReadout(rows_, x, y, picture_->pictureSize().height());
    frame->setPanel3Text(QString::fromStdString(readout));
    picture_->setCursor(Qt::CrossCursor);
}

void CurvatureWindow::saveTable()
{
    const QString name = dialogs().saveFileName(this, utf8(kTableFileFilter));
    if (name.isEmpty())
        return;
    const std::vector<std::string> lines = curvatureTableLines(gridCells(*grid_), grid_->rows());
    if (writeTextFile(name.toStdString(), lines) != FileError::None)
        dialogs().message(this, utf8(texts::kTableNotSavedMessage), utf8(texts::kTableNotSavedTitle));
}

} // namespace kv
