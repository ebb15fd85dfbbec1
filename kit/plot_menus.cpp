#include "kit/plot_menus.h"

#include "kit/plot_commands.h"
#include "kit/tool_window.h"
#include "platform/ui/frame_services.h"

#include <QAction>
#include <QEvent>
#include <QMenu>

namespace kv {

namespace {

QString latin(const char* name) { return QString::fromLatin1(name); }

QAction* addSeparator(ToolWindow* window, QMenu* menu, const char* menuName, int number = 0)
{
    QString name = latin(menuName) + QStringLiteral("SpaceBar");
    if (number > 0)
        name += QString::number(number);
    return window->addItem(menu, QStringLiteral("-"), name);
}

template <class Slot> QAction* addCommand(ToolWindow* window, QMenu* menu, const QString& caption,
                                          const QString& name, Slot slot)
{
    QAction* item = window->addItem(menu, caption, name);
    QObject::connect(item, &QAction::triggered, window, std::move(slot));
    return item;
}

void addViewItems(ToolWindow* window, QMenu* operate, const PlotTraits& t, const PlotWindowParts& parts)
{
    PictureBox* picture = parts.picture;
    DataGrid* grid = parts.grid;
    switch (t.viewCommands) {
    case ViewCommands::DataBrowseCheck: {
        QAction* check = window->addItem(operate, QStringLiteral("数据浏览"), QStringLiteral("MOperatepicgrid"));
        check->setCheckable(true);
        check->setChecked(true); // the window opens on its table
        // The click has already inverted the mark: show the view that matches it.
        QObject::connect(check, &QAction::triggered, window,
                         [check, picture, grid](bool on) { setDataBrowse(check, picture, grid, on); });
        break;
    }
    case ViewCommands::ShowTable: {
        QWidget* frame = parts.pictureFrame;
        addCommand(window, operate, QStringLiteral("显示表格"), QStringLiteral("OperateMenuShowTable"),
                   [grid, frame] { showTableHidingFrame(grid, frame); });
        break;
    }
    case ViewCommands::PictureAndData:
        addCommand(window, operate, QString::fromUtf8(t.pictureViewCaption), QStringLiteral("MOperatePicView"),
                   [picture, grid] { showPictureView(picture, grid); });
        addCommand(window, operate, QStringLiteral("产状数据"), QStringLiteral("MOperateDataView"),
                   [picture, grid] { showDataView(picture, grid); });
        break;
    }
}

} // namespace

QMenu* addPlotFileMenu(ToolWindow* window, const PlotTraits& t, PictureBox* diagram, const PlotFileCommands& files)
{
    const PlotMenuNames& n = t.names;
    QMenu* file = window->addMenu(QStringLiteral("文件(&F)"), latin(n.fileMenu));
    if (files.readDataFile)
        addCommand(window, file, QString::fromUtf8(t.dataFileCaption), latin(n.dataFile), files.readDataFile);
    if (files.openPicture)
        addCommand(window, file, files.openPicture->caption, files.openPicture->objectName, files.openPicture->run);
    addSeparator(window, file, n.fileMenu, 1);
    addCommand(window, file, QStringLiteral("保存数据"), latin(n.saveData), [run = files.saveData] { if (run) run(); });
    addCommand(window, file, QStringLiteral("保存图像"), latin(n.savePicture),
               [window, diagram, &t] { saveDiagramPicture(window, diagram, t); });
    addSeparator(window, file, n.fileMenu, 2);
    if (t.hasPrintItem) {
        addCommand(window, file, QString::fromUtf8(t.printCaption), latin(n.print),
                   [window, diagram, &t] { printDiagram(window, diagram, t); });
        addSeparator(window, file, n.fileMenu, 3);
    }
    addCommand(window, file, QStringLiteral("退出"), latin(n.exit), [window, &t] { closeToolWindow(window, t); });
    return file;
}

QMenu* addHelpMenu(ToolWindow* window, const PlotTraits& traits, const QString& separatorName)
{
    const PlotMenuNames& n = traits.names;
    QMenu* help = window->addMenu(QStringLiteral("帮助(&H)"), latin(n.helpMenu));
    addCommand(window, help, QStringLiteral("内容"), latin(n.helpContents), [] { showToolHelp(); });
    window->addItem(help, QStringLiteral("-"), separatorName);
    addCommand(window, help, QStringLiteral("关于..."), latin(n.helpAbout), [] { showToolAbout(); });
    return help;
}

void addPlotMenus(ToolWindow* window, const PlotTraits& traits, const PlotWindowParts& parts,
                  const PlotFileCommands& files, const QList<MenuCommand>& drawingCommands)
{
    addPlotFileMenu(window, traits, parts.picture, files);

    const char* operateName = traits.names.operateMenu;
    QMenu* operate = window->addMenu(QStringLiteral("操作(&O)"), latin(operateName));
    for (const MenuCommand& command : drawingCommands)
        addCommand(window, operate, command.caption, command.objectName, command.run);
    addSeparator(window, operate, operateName);
    addViewItems(window, operate, traits, parts);

    addHelpMenu(window, traits, latin(traits.names.helpMenu) + QStringLiteral("SpaceBar"));
    resetPanel3OnClosing(window, traits);
}

} // namespace kv
