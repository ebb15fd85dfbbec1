#include "frame/tool_commands.h"

#include "frame/about_box.h"
#include "platform/ui/data_grid.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/frame_services.h"
#include "platform/ui/help_viewer.h"
#include "platform/ui/picture_box.h"
#include "platform/ui/printer.h"
#include "platform/ui/tool_window.h"

#include <QAction>
#include <iterator>

namespace kv {

namespace {

// The two save-picture filters in use.
const char* const filterA = "位图文件(*.bmp)|*.bmp|所有文件|*.*";
const char* const filterB = "位图文件(*.bmp)|*.bmp|所有文件(*.*)|*.*";

const char* const printImage = "打印图像";
const char* const printTrouble = "打印出现问题！";
const char* const hint = "提示";
const char* const pictureResult = "图像结果";

constexpr PlotMenuNames usualNames{"MFile", "MFileInputdata", "MFileSaveData", "MFileSavePicture",
                                   "MFilePrint", "MFileExit", "MOperate", "MHelp",
                                   "MHelpContents", "MHelpAbout"};

const PlotWindowTraits table[] = {
    {"mainrose", false, printImage, true, printTrouble, hint, filterA, ViewCommands::DataBrowseCheck,
     pictureResult, "数据文件",
     {"MFile", "MFileInputdata", "MFileSaveData", "MFileSavepicture", "MFilePrint", "MFileExit", "MOperate",
      "MHelp", "MHelpContents", "MHelpAbout"}},
    {"fold", false, printImage, true, "打印出错！", hint, filterB, ViewCommands::ShowTable, pictureResult,
     "打开数据",
     {"FileMenu", "FileMenuOpen", "FileMenuSave", "FileMenuSavePicture", "FileMenuPrint", "FileMenuExit",
      "OperateMenu", "HelpMenu", "HelpMenuContent", "HelpMenuAbout"}},
    {"joint", true, printImage, false, printTrouble, "提醒", filterA, ViewCommands::PictureAndData, "图片结果",
     "数据文件", usualNames},
    {"yanzu", true, printImage, false, printTrouble, hint, filterB, ViewCommands::PictureAndData, pictureResult,
     "数据文件", usualNames},
    {"beta_diagram", false, "打印图片", false, printTrouble, hint, filterB, ViewCommands::PictureAndData,
     pictureResult, "数据文件", usualNames},
    {"pai_diagram", false, printImage, false, printTrouble, hint, filterB, ViewCommands::PictureAndData,
     pictureResult, "数据文件", usualNames},
};

static_assert(std::size(table) == 6, "one row per plotting window, in the order of PlotWindow");

} // namespace

const PlotWindowTraits& traits(PlotWindow window)
{
    return table[static_cast<int>(window)];
}

QString pictureNotSavedText()
{
    return QStringLiteral("图像文件无法保存！");
}

void closeToolWindow(ToolWindow* window, PlotWindow kind)
{
    if (traits(kind).resetsPanel3OnClose) {
        if (FrameServices* frame = mainFrame())
            frame->resetPanel3();
    }
    window->unload();
}

void printDiagram(QWidget* window, PictureBox* picture, PlotWindow kind)
{
    const PlotWindowTraits& t = traits(kind);
    if (t.printsOnlyShownPicture && picture->isHidden())
        return;
    // Each print is a document of one page, sent at once, so what the user
    // printed comes out now and never lands on another window's page.
    Printer& printer = Printer::instance();
    const bool printed = printer.drawPicture(picture->image(), 500, 500) && printer.endDocument();
    if (!printed)
        dialogs().message(window, QString::fromUtf8(t.printFailureText), QString::fromUtf8(t.printFailureTitle));
}

void saveDiagramPicture(QWidget* window, PictureBox* picture, PlotWindow kind)
{
    const QString name = dialogs().saveFileName(window, QString::fromUtf8(traits(kind).pictureFilter));
    if (name.isEmpty())
        return;
    if (!picture->saveBmp(name))
        dialogs().message(window, pictureNotSavedText(), QStringLiteral("提示"));
}

void showDataView(PictureBox* picture, DataGrid* grid)
{
    picture->hide();
    grid->show();
}

void showPictureView(PictureBox* picture, DataGrid* grid)
{
    picture->show();
    grid->hide();
}

void setDataBrowse(QAction* dataBrowse, PictureBox* picture, DataGrid* grid, bool tableShown)
{
    dataBrowse->setChecked(tableShown);
    picture->setVisible(!tableShown);
    grid->setVisible(tableShown);
}

void showFoldTable(DataGrid* grid, QWidget* pictureFrame)
{
    grid->show();
    pictureFrame->hide();
}

void showToolHelp()
{
    if (FrameServices* frame = mainFrame())
        frame->showHelpContents();
    else
        sendHelpKey();
}

void showToolAbout()
{
    if (FrameServices* frame = mainFrame())
        frame->showAboutBox();
    else
        showAboutBox();
}

} // namespace kv
