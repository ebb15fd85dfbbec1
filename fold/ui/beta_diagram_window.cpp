#include "fold/ui/beta_diagram_window.h"

#include "fold/core/beta_diagram.h"
#include "fold/core/beta_limb_file.h"
#include "fold/ui/net_diagram_parts.h"
#include "kit/attitude_list_file.h"
#include "kit/grid_cell_edit.h"
#include "platform/ui/data_grid.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/picture_box.h"

#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace kv {

namespace {

constexpr int kTableRows = 500; // row 0 for the titles, 499 beds
constexpr int kTableCols = 26;
constexpr int kAttitudeColumnTwips = 2000;
constexpr int kStripHeightPx = 36;
constexpr int kCountBoxWidthPx = 60;

constexpr int kDefaultWidthPx = 640;
constexpr int kDefaultHeightPx = 480;

QString saveFilter() { return QStringLiteral("数据文件(*.txt)|*.txt|所有文件(*.*)|*.*"); }

QLabel* namedLabel(const QString& text, const QString& name, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

} // namespace

BetaDiagramWindow::BetaDiagramWindow(const ToolEntry& entry, QWidget* parent) : PlotWindow(entry, parent)
{
    setUpNetPicture();
    picture()->setFontSize(kNetFontPoints);
    setUpTable({QStringLiteral("序号"), QStringLiteral("倾向"), QStringLiteral("倾角")}, kTableRows, kTableCols,
               kAttitudeColumnTwips);
    buildStrip();
    addMenus({{QStringLiteral("Beta图解"), QStringLiteral("MOperateBeta"), [this] { drawBeta(); }}});
    attachGridCellEdit(grid(), CellEditVariant::Plain);
    setOpensMaximized(true);
    resize(kDefaultWidthPx, kDefaultHeightPx);
    showTableView();
    layOut();
}

void BetaDiagramWindow::buildStrip()
{
    QFrame* frame = addStrip(kStripHeightPx);
    auto* row = new QHBoxLayout(frame);
    row->setContentsMargins(8, 2, 8, 2);

    leftCount_ = new QLineEdit(QStringLiteral("1"), frame);
    leftCount_->setObjectName(QStringLiteral("Text1"));
    rightCount_ = new QLineEdit(QStringLiteral("1"), frame);
    rightCount_->setObjectName(QStringLiteral("Text2"));
    for (QLineEdit* box : {leftCount_, rightCount_})
        box->setFixedWidth(kCountBoxWidthPx);

    overturned_ = new QCheckBox(QStringLiteral("倒转褶皱"), frame);
    overturned_->setObjectName(QStringLiteral("Check1"));
    withBeds_ = new QCheckBox(QStringLiteral("产状加数据"), frame);
    withBeds_->setObjectName(QStringLiteral("Check2"));
    bedsOnly_ = new QCheckBox(QStringLiteral("仅绘制产状"), frame);
    bedsOnly_->setObjectName(QStringLiteral("Check3"));

    row->addWidget(namedLabel(QStringLiteral("左翼岩层产状数目："), QStringLiteral("Label1"), frame));
    row->addWidget(leftCount_);
    row->addSpacing(16);
    row->addWidget(namedLabel(QStringLiteral("右翼岩层产状数目："), QStringLiteral("Label2"), frame));
    row->addWidget(rightCount_);
    row->addSpacing(24);
    row->addWidget(overturned_);
    row->addWidget(withBeds_);
    row->addWidget(bedsOnly_);
    row->addStretch();

    // Any change of the first two boxes, by the user or by reading a file,
    // redraws the analysis; the third draws the measured planes when it is set.
    connect(overturned_, &QCheckBox::toggled, this, [this] { drawBeta(); });
    connect(withBeds_, &QCheckBox::toggled, this, [this] { drawBeta(); });
    connect(bedsOnly_, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            drawMeasuredPlanes();
    });
}

BetaSettings BetaDiagramWindow::settings() const
{
    return {leftCount_->text().toStdString(), rightCount_->text().toStdString(), overturned_->isChecked()};
}

void BetaDiagramWindow::drawBeta()
{
    const CellText table = cells();
    const BetaAnalysis analysis = analyseBetaTable(settings(), table);
    if (!analysis.ok()) {
        dialogs().message(this, QString::fromStdString(betaFaultMessage(analysis.fault)), promptTitle());
        return;
    }
    showDiagram(betaDiagram(analysis.fold, table, withBeds_->isChecked(), diagramDateText()));
}

void BetaDiagramWindow::drawMeasuredPlanes()
{
    showDiagram(measuredPlanesDiagram(cells(), pointCount_, diagramDateText()));
}

void BetaDiagramWindow::readDataFile()
{
    const QString path = dialogs().openFileName(this, attitudeReadFilter());
    if (path.isEmpty())
        return;
    // Once the counts are read the table takes the records, those before a
    // fault included, and the point count the counts' sum; the count boxes and
    // the overturned box change only with a whole file.
    BetaFileRead read;
    const bool loaded = readDataFileInto(grid(), path, [&](const std::string& text) {
        read = parseBetaLimbFile(text);
        if (read.countsRead)
            putRecords(grid(), read.contents.rows, 2);
        return read.ok();
    });
    const BetaFileContents& contents = read.contents;
    if (read.countsRead)
        pointCount_ = contents.pointCount;
    if (!loaded) {
        if (read.countsRead)
            showTableView();
        dialogs().message(this, dataFileFaultMessage(), promptTitle());
        return;
    }
    leftCount_->setText(QString::fromStdString(contents.leftCountText));
    rightCount_->setText(QString::fromStdString(contents.rightCountText));
    // A changed flag redraws the fold of the new table, as ticking the box does;
    // the table is what the user sees afterwards all the same.
    overturned_->setChecked(contents.overturned);
    showTableView();
}

void BetaDiagramWindow::saveDataFile()
{
    const QString path = dialogs().saveFileName(this, saveFilter());
    if (path.isEmpty())
        return;
    const BetaFileWrite written = formatBetaLimbFile(leftCount_->text().toStdString(),
                                                     rightCount_->text().toStdString(),
                                                     overturned_->isChecked(), cells());
    if (!written.ok()) {
        dialogs().message(this, writeFaultMessage(), promptTitle());
        return;
    }
    if (saveDataLines(this, path, written.lines))
        pointCount_ = written.pointCount;
}

} // namespace kv
