// The shared menus of the plotting windows and the panel-3 reset on closing.
#include "frame/tool_commands.h"

#include "platform/ui/frame_services.h"
#include "platform/ui/tool_window.h"

#include <QAction>
#include <QEvent>
#include <QMenu>

namespace kv {

namespace {

QMenu* addMenuTo(ToolWindow* window, const QString& title, const char* name)
{
    return window->addMenu(title, QString::fromLatin1(name));
}

QAction* addItemTo(ToolWindow* window, QMenu* menu, const QString& title, const QString& name)
{
    return window->addItem(menu, title, name);
}

QAction* addSeparatorTo(ToolWindow* window, QMenu* menu, const char* menuName, int number = 0)
{
    QString name = QString::fromLatin1(menuName) + QStringLiteral("SpaceBar");
    if (number > 0)
        name += QString::number(number);
    return addItemTo(window, menu, QStringLiteral("-"), name);
}

// Watches a window's closing, however it is closed, and gives panel 3 back to
// the Num Lock indicator.
class Panel3ResetOnClose : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Close) {
            if (FrameServices* frame = mainFrame())
                frame->resetPanel3();
        }
        return QObject::eventFilter(watched, event);
    }
};

void buildFileMenu(CommonMenus& m, ToolWindow* window, PlotWindow kind, const PlotWindowParts& parts)
{
    const PlotWindowTraits& t = traits(kind);
    const PlotMenuNames& n = t.names;
    m.file = addMenuTo(window, QStringLiteral("文件(&F)"), n.fileMenu);
    m.dataFile = addItemTo(window, m.file, QString::fromUtf8(t.dataFileCaption), QString::fromLatin1(n.dataFile));
    addSeparatorTo(window, m.file, n.fileMenu, 1);
    m.saveData = addItemTo(window, m.file, QStringLiteral("保存数据"), QString::fromLatin1(n.saveData));
    m.savePicture = addItemTo(window, m.file, QStringLiteral("保存图像"), QString::fromLatin1(n.savePicture));
    addSeparatorTo(window, m.file, n.fileMenu, 2);
    m.print = addItemTo(window, m.file, QString::fromUtf8(t.printCaption), QString::fromLatin1(n.print));
    addSeparatorTo(window, m.file, n.fileMenu, 3);
    m.exit = addItemTo(window, m.file, QStringLiteral("退出"), QString::fromLatin1(n.exit));

    PictureBox* picture = parts.picture;
    QObject::connect(m.savePicture, &QAction::triggered, window,
                     [window, picture, kind] { saveDiagramPicture(window, picture, kind); });
    QObject::connect(m.print, &QAction::triggered, window,
                     [window, picture, kind] { printDiagram(window, picture, kind); });
    QObject::connect(m.exit, &QAction::triggered, window, [window, kind] { closeToolWindow(window, kind); });
}

void buildViewItems(CommonMenus& m, ToolWindow* window, PlotWindow kind, const PlotWindowParts& parts)
{
    const PlotWindowTraits& t = traits(kind);
    PictureBox* picture = parts.picture;
    DataGrid* grid = parts.grid;
    switch (t.viewCommands) {
    case ViewCommands::DataBrowseCheck: {
        QAction* check = addItemTo(window, m.operate, QStringLiteral("数据浏览"), QStringLiteral("MOperatepicgrid"));
        check->setCheckable(true);
        check->setChecked(true); // the window opens on its table
        // The click has already inverted the mark: show the view that matches it.
        QObject::connect(check, &QAction::triggered, window,
                         [check, picture, grid](bool on) { setDataBrowse(check, picture, grid, on); });
        m.dataBrowse = check;
        break;
    }
    case ViewCommands::ShowTable: {
        m.showTable = addItemTo(window, m.operate, QStringLiteral("显示表格"), QStringLiteral("OperateMenuShowTable"));
        QWidget* frame = parts.pictureFrame;
        QObject::connect(m.showTable, &QAction::triggered, window, [grid, frame] { showFoldTable(grid, frame); });
        break;
    }
    case ViewCommands::PictureAndData:
        m.pictureView = addItemTo(window, m.operate, QString::fromUtf8(t.pictureViewCaption),
                                  QStringLiteral("MOperatePicView"));
        m.dataView = addItemTo(window, m.operate, QStringLiteral("产状数据"), QStringLiteral("MOperateDataView"));
        QObject::connect(m.pictureView, &QAction::triggered, window,
                         [picture, grid] { showPictureView(picture, grid); });
        QObject::connect(m.dataView, &QAction::triggered, window, [picture, grid] { showDataView(picture, grid); });
        break;
    }
}

void buildHelpMenu(CommonMenus& m, ToolWindow* window, PlotWindow kind)
{
    const PlotMenuNames& n = traits(kind).names;
    m.help = addMenuTo(window, QStringLiteral("帮助(&H)"), n.helpMenu);
    m.helpContents = addItemTo(window, m.help, QStringLiteral("内容"), QString::fromLatin1(n.helpContents));
    addSeparatorTo(window, m.help, n.helpMenu);
    m.helpAbout = addItemTo(window, m.help, QStringLiteral("关于..."), QString::fromLatin1(n.helpAbout));
    QObject::connect(m.helpContents, &QAction::triggered, window, [] { showToolHelp(); });
    QObject::connect(m.helpAbout, &QAction::triggered, window, [] { showToolAbout(); });
}

} // namespace

void resetPanel3OnClosing(ToolWindow* window, PlotWindow kind)
{
    if (traits(kind).resetsPanel3OnClose)
        window->installEventFilter(new Panel3ResetOnClose(window));
}

CommonMenus addCommonMenus(ToolWindow* window, PlotWindow kind, const PlotWindowParts& parts,
                           const QList<MenuEntry>& drawingCommands)
{
    CommonMenus m;
    buildFileMenu(m, window, kind, parts);

    const char* operateName = traits(kind).names.operateMenu;
    m.operate = addMenuTo(window, QStringLiteral("操作(&O)"), operateName);
    for (const MenuEntry& entry : drawingCommands)
        m.drawing << addItemTo(window, m.operate, entry.caption, entry.objectName);
    addSeparatorTo(window, m.operate, operateName);
    buildViewItems(m, window, kind, parts);

    buildHelpMenu(m, window, kind);
    resetPanel3OnClosing(window, kind);
    return m;
}

} // namespace kv
