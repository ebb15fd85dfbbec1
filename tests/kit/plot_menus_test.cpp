// The shared menu layout of the plotting windows, with each window's own names.
#include "kit/plot_menus.h"
#include "kit/tool_window.h"
#include "tests/support/fake_dialogs.h"
#include "tests/support/fake_frame.h"
#include "tests/support/stand_in_plot_window.h"

#include <QMenu>
#include <gtest/gtest.h>
#include <memory>

namespace kv {
namespace {

using test::StandInPlotWindow;

// Captions and objectNames of a menu's items; a separator shows as "-".
std::string itemsOf(const QMenu* menu)
{
    QStringList out;
    for (const QAction* a : menu->actions())
        out << (a->isSeparator() ? QStringLiteral("-") : a->text()) + QLatin1Char(' ') + a->objectName();
    return out.join(QStringLiteral(", ")).toStdString();
}

std::string text(const QStringList& list)
{
    return list.join(QStringLiteral(", ")).toStdString();
}

TEST(PlotMenus, EachWindowGetsTheSharedLayoutWithItsOwnNames)
{
    const struct {
        const char* window;
        QStringList menus, file, operate, help;
    } cases[] = {
        {"mainrose",
         {"文件(&F) MFile", "操作(&O) MOperate", "帮助(&H) MHelp"},
         {"数据文件 MFileInputdata", "- MFileSpaceBar1", "保存数据 MFileSaveData", "保存图像 MFileSavepicture",
          "- MFileSpaceBar2", "打印图像 MFilePrint", "- MFileSpaceBar3", "退出 MFileExit"},
         {"画图一 MOperateOne", "画图二 MOperateTwo", "- MOperateSpaceBar", "数据浏览 MOperatepicgrid"},
         {"内容 MHelpContents", "- MHelpSpaceBar", "关于... MHelpAbout"}},
        {"fold",
         {"文件(&F) FileMenu", "操作(&O) OperateMenu", "帮助(&H) HelpMenu"},
         {"打开数据 FileMenuOpen", "- FileMenuSpaceBar1", "保存数据 FileMenuSave", "保存图像 FileMenuSavePicture",
          "- FileMenuSpaceBar2", "打印图像 FileMenuPrint", "- FileMenuSpaceBar3", "退出 FileMenuExit"},
         {"画图一 MOperateOne", "画图二 MOperateTwo", "- OperateMenuSpaceBar", "显示表格 OperateMenuShowTable"},
         {"内容 HelpMenuContent", "- HelpMenuSpaceBar", "关于... HelpMenuAbout"}},
        {"joint",
         {"文件(&F) MFile", "操作(&O) MOperate", "帮助(&H) MHelp"},
         {"数据文件 MFileInputdata", "- MFileSpaceBar1", "保存数据 MFileSaveData", "保存图像 MFileSavePicture",
          "- MFileSpaceBar2", "打印图像 MFilePrint", "- MFileSpaceBar3", "退出 MFileExit"},
         {"画图一 MOperateOne", "画图二 MOperateTwo", "- MOperateSpaceBar", "图片结果 MOperatePicView",
          "产状数据 MOperateDataView"},
         {"内容 MHelpContents", "- MHelpSpaceBar", "关于... MHelpAbout"}},
        {"beta_diagram",
         {"文件(&F) MFile", "操作(&O) MOperate", "帮助(&H) MHelp"},
         {"数据文件 MFileInputdata", "- MFileSpaceBar1", "保存数据 MFileSaveData", "保存图像 MFileSavePicture",
          "- MFileSpaceBar2", "打印图片 MFilePrint", "- MFileSpaceBar3", "退出 MFileExit"},
         {"画图一 MOperateOne", "画图二 MOperateTwo", "- MOperateSpaceBar", "图像结果 MOperatePicView",
          "产状数据 MOperateDataView"},
         {"内容 MHelpContents", "- MHelpSpaceBar", "关于... MHelpAbout"}},
    };
    for (const auto& c : cases) {
        StandInPlotWindow w(c.window);
        EXPECT_EQ(w.objectName(), QString::fromLatin1(c.window));
        QStringList menus;
        for (const QMenu* m : w.menus())
            menus << m->title() + QLatin1Char(' ') + m->objectName();
        EXPECT_EQ(text(menus), text(c.menus)) << c.window;
        ASSERT_EQ(w.menus().size(), 3) << c.window;
        EXPECT_EQ(itemsOf(w.menus()[0]), text(c.file)) << c.window;
        EXPECT_EQ(itemsOf(w.menus()[1]), text(c.operate)) << c.window;
        EXPECT_EQ(itemsOf(w.menus()[2]), text(c.help)) << c.window;
    }
    // yanzu and pai read as the joint window but for the picture view's caption.
    for (const char* window : {"yanzu", "pai_diagram"}) {
        StandInPlotWindow w(window);
        EXPECT_EQ(w.item("MOperatePicView")->text(), QStringLiteral("图像结果"));
        EXPECT_EQ(w.item("MFilePrint")->text(), QStringLiteral("打印图像"));
    }
}

TEST(PlotMenus, ItemsRunTheWindowsOwnCommands)
{
    test::FakeDialogs::global().reset();
    StandInPlotWindow w("fold");
    w.click("FileMenuOpen");
    w.click("FileMenuSave");
    w.click("MOperateTwo");
    EXPECT_EQ(w.reads, 1);
    EXPECT_EQ(w.saves, 1);
    EXPECT_EQ(w.drawn, 1);
}

// The picture tools build their File menus with the same builder: a picture
// item of their own, and only the data-file and print items they have.
TEST(PlotMenus, PictureToolsFileMenusComeFromTheSharedBuilder)
{
    const struct {
        const char* window;
        QStringList file;
    } cases[] = {
        {"isw",
         {"打开图像 MFileInputpicture", "- MFileSpaceBar1", "保存数据 MFileSaveData", "保存图像 MFileSavepicture",
          "- MFileSpaceBar2", "打印图片 MFilePrint", "- MFileSpaceBar3", "退出 MFileExit"}},
        {"fry",
         {"数据文件 MFileInputdata", "图像文件 MFileInputpicture", "- MFileSpaceBar1", "保存数据 MFileSaveAs",
          "保存图像 MFileSavepicture", "- MFileSpaceBar2", "打印图象 MFilePrint", "- MFileSpaceBar3",
          "退出 MFileExit"}},
        {"wgf",
         {"打开数据 MFileOpenData", "打开图像 MFileOpenPicture", "- MFileSpaceBar1", "保存数据 MFileSaveData",
          "保存图像 MFileSavePicture", "- MFileSpaceBar2", "退出 MFileExit"}},
        {"curvature",
         {"打开图像 MFileOpen", "- MFileSpaceBar1", "保存数据 MFileSaveData", "保存图像 MFileSavePicture",
          "- MFileSpaceBar2", "退出 MFileOpenExit"}},
    };
    test::FakeFrame frame;
    setMainFrame(&frame);
    for (const auto& c : cases) {
        const ToolEntry& row = test::toolRow(c.window);
        const std::unique_ptr<ToolWindow> w(row.build(row));
        ASSERT_FALSE(w->menus().isEmpty()) << c.window;
        EXPECT_EQ(w->menus()[0]->title(), QStringLiteral("文件(&F)")) << c.window;
        EXPECT_EQ(itemsOf(w->menus()[0]), text(c.file)) << c.window;
    }
    setMainFrame(nullptr);
}

} // namespace
} // namespace kv
