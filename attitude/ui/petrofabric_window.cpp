#include "attitude/ui/petrofabric_window.h"

#include "attitude/core/petrofabric_file.h"
#include "attitude/ui/petrofabric_option_dialog.h"
#include "kit/attitude_list_file.h"
#include "kit/grid_cell_edit.h"
#include "platform/ui/cursor_guard.h"
#include "platform/ui/dialogs.h"

#include <QAction>
#include <QMenu>

namespace kv {

PetrofabricWindow::PetrofabricWindow(const ToolEntry& entry, QWidget* parent)
    : NetPlotWindow(entry,
                {QStringLiteral("序号"), QStringLiteral("倾向"), QStringLiteral("倾角"),
                 QStringLiteral("h 环或 i 环倾向")},
                parent)
{
    addMenus({
        {QStringLiteral("方位极点图"), QStringLiteral("MOperatejimi"),
         [this] { showNetDiagram(engine_.scatterDiagram(cells())); }},
        {QStringLiteral("极点等密图"), QStringLiteral("MOperatecontour"),
         [this] { showNetDiagram(engine_.contourDiagram(cells())); }},
    });
    addOptionItem();
    attachGridCellEdit(grid(), CellEditVariant::RingLetters);
    showTableView();
    layOut();
}

// "选项" closes the Operate menu, after the view items.
void PetrofabricWindow::addOptionItem()
{
    const QString operateName = QString::fromLatin1(traits().names.operateMenu);
    for (QMenu* menu : menus()) {
        if (menu->objectName() != operateName)
            continue;
        addItem(menu, QStringLiteral("-"), operateName + QStringLiteral("SpaceBar2"));
        QAction* option = addItem(menu, QStringLiteral("选项"), QStringLiteral("MOperateOption"));
        connect(option, &QAction::triggered, this, [this] { editOptions(); });
    }
}

void PetrofabricWindow::editOptions()
{
    PetrofabricOptionDialog dialog(optionFieldsOf(engine_.settings), this);
    if (dialogs().exec(&dialog) == QDialog::Accepted)
        applyOptions(engine_.settings, acceptedOptions(dialog.fields()));
}

std::string PetrofabricWindow::pointerText(double x, double y) const
{
    return engine_.pointerReadout(x, y);
}

// The header items read go into the settings even when a later item fails;
// the measurements fill the table once the header is complete, those before a
// fault included.
void PetrofabricWindow::readDataFile()
{
    const QString path = dialogs().openFileName(this, attitudeReadFilter());
    if (path.isEmpty())
        return;
    PetrofabricRead read;
    {
        BusyCursor busy;
        read = readPetrofabricFile(localPath(path));
        applyPetrofabricRead(read, engine_.settings);
        if (read.headerComplete) {
            fillRecords(read.records, 3);
            showTableView();
        }
    }
    if (read.fault != PetrofabricReadFault::None)
        tell(petrofabricReadMessage(read.fault));
    else if (read.countMismatch())
        tell(kGrainCountMismatchMessage);
}

void PetrofabricWindow::saveDataFile()
{
    const QString path = dialogs().saveFileName(this, attitudeWriteFilter());
    if (path.isEmpty())
        return;
    tell(petrofabricWriteMessage(writePetrofabricFile(localPath(path), cells(), engine_.settings)));
}

} // namespace kv
