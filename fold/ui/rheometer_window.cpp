#include "fold/ui/rheometer_window.h"

#include "fold/core/rheometer_texts.h"
#include "fold/ui/rheometer_legend_controls.h"
#include "fold/ui/rheometer_panel.h"
#include "kit/attitude_list_file.h"
#include "kit/grid_cell_edit.h"
#include "platform/ui/cursor_guard.h"
#include "platform/ui/data_grid.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/drawing_painter.h"
#include "platform/ui/picture_box.h"

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <cstdlib>

namespace kv {

namespace texts = rheometer_texts;

namespace {

// Room for the table's six measurement columns, or for the panel with a margin.
constexpr int kDefaultWidthPx = 720;
constexpr int kDefaultHeightPx = 460;
constexpr int kMeasurementColumnTwips = 1500;

QString qs(const char* utf8) { return QString::fromUtf8(utf8); }

std::string localPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

QStringList columnTitles()
{
    QStringList titles;
    for (const char* title : texts::kColumnTitles)
        titles << qs(title);
    return titles;
}

} // namespace

RheometerWindow::RheometerWindow(const ToolEntry& entry, QWidget* parent) : PlotWindow(entry, parent)
{
    setUpTable(columnTitles(), kFoldTableRows, kFoldTableColumns, kMeasurementColumnTwips);
    setUpPicture(kRheometerPicturePixels, kRheometerPicturePixels,
                 {0, 0, double(kRheometerPicturePixels), double(kRheometerPicturePixels)});
    panel_ = new RheometerPanel(picture(), this);
    legend_ = addRheometerLegendControls(picture());
    connect(panel_, &RheometerPanel::chartChosen, this, &RheometerWindow::showChart);
    connect(panel_->stressExponentBox(), &QLineEdit::textChanged, this, &RheometerWindow::stressExponentEdited);

    addMenus({{qs(texts::kAnalyseFold), QStringLiteral("OperateMenuFold"), [this] { analyseFold(); }}}, panel_);
    QAction* save = menuItem(QStringLiteral("FileMenuSave"));
    attachGridCellEdit(grid(), CellEditVariant::FoldSave, save);
    // A key in the table disables the item directly; the state follows it.
    connect(save, &QAction::enabledChanged, this, [this](bool on) {
        if (!on)
            disableSaveData(state_);
    });

    panel_->hide();
    resize(kDefaultWidthPx, kDefaultHeightPx);
    layOut();
}

void RheometerWindow::layOut()
{
    if (!panel_)
        return;
    const int w = width();
    const int h = height();
    // Absolute offsets keep the panel's corner inside a window smaller than it.
    panel_->move(std::abs(w - panel_->width()) / 2, std::abs(h - panel_->height()) / 2);
    grid()->setGeometry(0, 0, w, h);
}

void RheometerWindow::analyseFold()
{
    switch (runFoldAnalysis(state_, cells())) {
    case AnalysisOutcome::NothingToDo:
        return;
    case AnalysisOutcome::BadData:
        dialogs().message(this, qs(texts::kBadMeasurements), qs(texts::kMessageTitle));
        return;
    case AnalysisOutcome::Analysed:
        break;
    }
    grid()->hide();
    panel_->show();
    panel_->raise();
    // The ratio follows the new L/h, so a report never pairs it with old measurements.
    if (!panel_->stressExponentBox()->text().isEmpty())
        panel_->viscosityRatioBox()->setText(QString::fromStdString(viscosityRatioText(state_)));
    setSaveDataEnabled(state_.saveDataEnabled);
    panel_->option(RheometerView::ProfileAndCurvature)->setChecked(true);
    showChart(RheometerView::ProfileAndCurvature);
}

void RheometerWindow::showChart(RheometerView view)
{
    const RheometerChart chart = rheometerChart(view, state_.shape);
    setLegendShown(false);
    PictureBox* pic = picture();
    pic->cls();
    pic->setScale(chart.scale.left, chart.scale.top, chart.scale.right, chart.scale.bottom);
    paintDrawing(*pic, chart.drawing);
    setLegendShown(chart.showLegend);
}

void RheometerWindow::setLegendShown(bool shown)
{
    for (QWidget* control : legend_)
        control->setVisible(shown);
}

void RheometerWindow::stressExponentEdited(const QString& text)
{
    const std::string ratio = changeStressExponent(state_, text.toStdString());
    panel_->viscosityRatioBox()->setText(QString::fromStdString(ratio));
}

void RheometerWindow::setSaveDataEnabled(bool on)
{
    if (QAction* save = menuItem(QStringLiteral("FileMenuSave")))
        save->setEnabled(on);
}

// A file whose first six items are not six numbers leaves columns 1 and 2
// emptied; one that can't be read as text leaves the table as it was. Either
// way the table comes back in front and the report waits for the next analysis.
void RheometerWindow::readDataFile()
{
    const QString path = dialogs().openFileName(this, qs(texts::kOpenDataFilter));
    if (path.isEmpty())
        return;
    bool read = false;
    {
        TableHiddenWhileReading hidden(grid());
        BusyCursor busy;
        const auto file = readMeasurementFile(localPath(path));
        const auto* measurements = std::get_if<MeasurementFile>(&file);
        const std::vector<FoldCellEdit> edits = measurements
                                                    ? tableEditsOfMeasurementFile(*measurements)
                                                    : tableEditsOfFailedMeasurementRead(std::get<MeasurementFileFault>(file));
        for (const FoldCellEdit& edit : edits)
            grid()->setTextMatrix(edit.row, edit.column, QString::fromStdString(edit.text));
        if (measurements) {
            applyMeasurementFile(state_, *measurements);
            read = true;
        }
        disableSaveData(state_);
        panel_->hide();
    }
    setSaveDataEnabled(state_.saveDataEnabled);
    if (!read)
        dialogs().message(this, qs(texts::kBadDataFile), qs(texts::kMessageTitle));
}

void RheometerWindow::saveDataFile()
{
    const QString path = dialogs().saveFileName(this, qs(texts::kSaveReportFilter));
    if (path.isEmpty())
        return;
    if (writeFoldReport(localPath(path), state_))
        dialogs().message(this, qs(texts::kBadMeasurements), qs(texts::kMessageTitle));
}

} // namespace kv
