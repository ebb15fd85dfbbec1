#include "attitude/ui/preferred_orientation_window.h"

#include "attitude/core/orientation_file.h"
#include "kit/attitude_list_file.h"
#include "kit/grid_cell_edit.h"
#include "platform/ui/clock.h"
#include "platform/ui/cursor_guard.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/twips.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace kv {

namespace {

constexpr int kStripTwips = 735;

// A control of the strip at its place and size in twips.
template <class Control> Control* atTwips(Control* control, const char* name, int left, int top, int width,
                                         int height)
{
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
    return control;
}

} // namespace

PreferredOrientationWindow::PreferredOrientationWindow(const ToolEntry& entry, QWidget* parent)
    : NetPlotWindow(entry, {QStringLiteral("序号"), QStringLiteral("倾向"), QStringLiteral("倾角")}, parent)
{
    buildStrip();
    addMenus({
        {QStringLiteral("方位极点图"), QStringLiteral("MOperatejimi"),
         [this] { showNetDiagram(engine_.scatterDiagram(cells(), today())); }},
        {QStringLiteral("极点等密图"), QStringLiteral("MOperatecontour"),
         [this] { showNetDiagram(engine_.contourDiagram(cells(), today())); }},
    });
    attachGridCellEdit(grid(), CellEditVariant::Plain);
    showTableView();
    layOut();
}

void PreferredOrientationWindow::buildStrip()
{
    QFrame* strip = addStrip(twipsToPixels(kStripTwips));
    atTwips(new QLabel(QStringLiteral("产状类型："), strip), "Label1", 240, 360, 1000, 255);
    planes_ = atTwips(new QRadioButton(QStringLiteral("面理"), strip), "Option1", 1320, 360, 900, 255);
    lines_ = atTwips(new QRadioButton(QStringLiteral("线理"), strip), "Option2", 2400, 360, 900, 255);
    atTwips(new QLabel(QStringLiteral("说明："), strip), "Label2", 3600, 360, 600, 255);
    description_ = atTwips(new QLineEdit(QStringLiteral("说明文字（如时间或地点等）"), strip), "Text1", 4200, 240,
                          5535, 375);
    // Neither type is chosen when the window opens; the diagrams then take planes.
    connect(planes_, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            engine_.dataType = "P";
    });
    connect(lines_, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            engine_.dataType = "L";
    });
}

void PreferredOrientationWindow::selectType(const std::string& type)
{
    engine_.dataType = type;
    (type == "L" ? lines_ : planes_)->setChecked(true);
}

std::string PreferredOrientationWindow::today()
{
    return todayShortDate().toStdString();
}

std::string PreferredOrientationWindow::pointerText(double x, double y) const
{
    return engine_.pointerReadout(x, y);
}

// A refused type line changes nothing; a file whose records stop early keeps
// the records before the fault, but neither its description nor its type.
void PreferredOrientationWindow::readDataFile()
{
    const QString path = dialogs().openFileName(this, QStringLiteral("数据文件（*.txt;*.dat）|*.txt;*.dat"));
    if (path.isEmpty())
        return;
    OrientationRead read;
    {
        BusyCursor busy;
        read = readOrientationFile(localPath(path));
        if (read.headerAccepted) {
            fillRecords(read.records, 2);
            showTableView();
        }
    }
    if (read.fault != OrientationReadFault::None) {
        tell(orientationReadMessage(read.fault));
        return;
    }
    description_->setText(QString::fromStdString(read.description));
    selectType(read.dataType);
}

void PreferredOrientationWindow::saveDataFile()
{
    const QString path = dialogs().saveFileName(this, attitudeWriteFilter());
    if (path.isEmpty())
        return;
    const OrientationWriteFault fault =
        writeOrientationFile(localPath(path), cells(), description_->text().toStdString(), engine_.dataType);
    tell(orientationWriteMessage(fault));
}

} // namespace kv
