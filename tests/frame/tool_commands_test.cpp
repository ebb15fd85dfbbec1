#include "frame/tool_commands.h"
#include "platform/ui/data_grid.h"
#include "platform/ui/frame_services.h"
#include "platform/ui/picture_box.h"
#include "platform/ui/printer.h"
#include "platform/ui/tool_window.h"
#include "tests/support/fake_dialogs.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace kv {
namespace {

using test::FakeDialogs;

const PlotWindow allWindows[] = {PlotWindow::MainRose, PlotWindow::Fold, PlotWindow::Joint,
                                 PlotWindow::Yanzu,    PlotWindow::Beta, PlotWindow::Pai};

const QString numLock = QStringLiteral("NUM");

class FakeFrame : public FrameServices {
public:
    QWidget main;
    QString panel3 = numLock;
    int helpShown = 0;
    int aboutShown = 0;

    QWidget* window() override { return &main; }
    QSize innerSize() const override { return {800, 600}; }
    void setPanel3Text(const QString& text) override { panel3 = text; }
    void resetPanel3() override { panel3 = numLock; }
    QString panel3Text() const override { return panel3; }
    void showAboutBox() override { ++aboutShown; }
    void showHelpContents() override { ++helpShown; }
};

// A plotting window as the tools build theirs: a table and a picture (inside a
// frame, as in the fold window), the window's own drawing commands and the
// shared menus. It opens on its table.
class StandInWindow : public ToolWindow {
public:
    explicit StandInWindow(PlotWindow kind)
        : ToolWindow(QString::fromLatin1(traits(kind).windowName), QStringLiteral("stand-in"))
        , grid(new DataGrid(this))
        , frame(new QWidget(this))
        , picture(new PictureBox(frame))
    {
        grid->setup(20, 3);
        picture->setPictureSize(300, 300);
        picture->setScale(-150, 150, 150, -150);
        picture->circle(0, 0, 100);
        frame->setObjectName(QStringLiteral("Frame1"));
        if (kind == PlotWindow::Fold)
            frame->hide();
        else
            picture->hide();
        common = addCommonMenus(this, kind, {picture, grid, frame},
                               {{QStringLiteral("画图一"), QStringLiteral("MOperateOne")},
                                {QStringLiteral("画图二"), QStringLiteral("MOperateTwo")}});
    }
    DataGrid* grid;
    QWidget* frame;
    PictureBox* picture;
    CommonMenus common;
};

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

class ToolCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        FakeDialogs::global().reset();
        setMainFrame(&frame);
    }
    void TearDown() override
    {
        Printer::instance().endDocument();
        Printer::instance().setPdfTarget(QString());
        setMainFrame(nullptr);
    }
    FakeDialogs& fake() { return FakeDialogs::global(); }
    static void deleteClosedWindows() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    FakeFrame frame;
};

TEST_F(ToolCommandsTest, EachWindowGetsTheSharedMenuLayoutWithItsOwnNames)
{
    const struct {
        PlotWindow kind;
        QStringList menus, file, operate, help;
    } cases[] = {
        {PlotWindow::MainRose,
         {"文件(&F) MFile", "操作(&O) MOperate", "帮助(&H) MHelp"},
         {"数据文件 MFileInputdata", "- MFileSpaceBar1", "保存数据 MFileSaveData", "保存图像 MFileSavepicture",
          "- MFileSpaceBar2", "打印图像 MFilePrint", "- MFileSpaceBar3", "退出 MFileExit"},
         {"画图一 MOperateOne", "画图二 MOperateTwo", "- MOperateSpaceBar", "数据浏览 MOperatepicgrid"},
         {"内容 MHelpContents", "- MHelpSpaceBar", "关于... MHelpAbout"}},
        {PlotWindow::Fold,
         {"文件(&F) FileMenu", "操作(&O) OperateMenu", "帮助(&H) HelpMenu"},
         {"打开数据 FileMenuOpen", "- FileMenuSpaceBar1", "保存数据 FileMenuSave", "保存图像 FileMenuSavePicture",
          "- FileMenuSpaceBar2", "打印图像 FileMenuPrint", "- FileMenuSpaceBar3", "退出 FileMenuExit"},
         {"画图一 MOperateOne", "画图二 MOperateTwo", "- OperateMenuSpaceBar", "显示表格 OperateMenuShowTable"},
         {"内容 HelpMenuContent", "- HelpMenuSpaceBar", "关于... HelpMenuAbout"}},
        {PlotWindow::Joint,
         {"文件(&F) MFile", "操作(&O) MOperate", "帮助(&H) MHelp"},
         {"数据文件 MFileInputdata", "- MFileSpaceBar1", "保存数据 MFileSaveData", "保存图像 MFileSavePicture",
          "- MFileSpaceBar2", "打印图像 MFilePrint", "- MFileSpaceBar3", "退出 MFileExit"},
         {"画图一 MOperateOne", "画图二 MOperateTwo", "- MOperateSpaceBar", "图片结果 MOperatePicView",
          "产状数据 MOperateDataView"},
         {"内容 MHelpContents", "- MHelpSpaceBar", "关于... MHelpAbout"}},
        {PlotWindow::Beta,
         {"文件(&F) MFile", "操作(&O) MOperate", "帮助(&H) MHelp"},
         {"数据文件 MFileInputdata", "- MFileSpaceBar1", "保存数据 MFileSaveData", "保存图像 MFileSavePicture",
          "- MFileSpaceBar2", "打印图片 MFilePrint", "- MFileSpaceBar3", "退出 MFileExit"},
         {"画图一 MOperateOne", "画图二 MOperateTwo", "- MOperateSpaceBar", "图像结果 MOperatePicView",
          "产状数据 MOperateDataView"},
         {"内容 MHelpContents", "- MHelpSpaceBar", "关于... MHelpAbout"}},
    };
    for (const auto& c : cases) {
        StandInWindow w(c.kind);
        const char* name = traits(c.kind).windowName;
        EXPECT_EQ(w.objectName(), QString::fromLatin1(name));
        QStringList menus;
        for (const QMenu* m : w.menus())
            menus << m->title() + QLatin1Char(' ') + m->objectName();
        EXPECT_EQ(text(menus), text(c.menus)) << name;
        EXPECT_EQ(itemsOf(w.common.file), text(c.file)) << name;
        EXPECT_EQ(itemsOf(w.common.operate), text(c.operate)) << name;
        EXPECT_EQ(itemsOf(w.common.help), text(c.help)) << name;
        ASSERT_EQ(w.common.drawing.size(), 2);
        EXPECT_EQ(w.common.drawing[1]->objectName(), QStringLiteral("MOperateTwo"));
    }
    // yanzu and pai read as the joint window but for the picture view's caption.
    for (PlotWindow kind : {PlotWindow::Yanzu, PlotWindow::Pai}) {
        StandInWindow w(kind);
        EXPECT_EQ(w.common.pictureView->text(), QStringLiteral("图像结果"));
        EXPECT_EQ(w.common.print->text(), QStringLiteral("打印图像"));
    }
}

TEST_F(ToolCommandsTest, FailedPrintShowsTheWindowsOwnMessage)
{
    if (!QPrinterInfo::defaultPrinter().isNull())
        GTEST_SKIP() << "a printer is installed: a print would really go out";
    const struct {
        PlotWindow kind;
        const char* text;
        const char* title;
    } cases[] = {
        {PlotWindow::MainRose, "打印出现问题！", "提示"}, {PlotWindow::Fold, "打印出错！", "提示"},
        {PlotWindow::Joint, "打印出现问题！", "提醒"},    {PlotWindow::Yanzu, "打印出现问题！", "提示"},
        {PlotWindow::Beta, "打印出现问题！", "提示"},     {PlotWindow::Pai, "打印出现问题！", "提示"},
    };
    for (const auto& c : cases) {
        fake().reset();
        StandInWindow w(c.kind);
        w.picture->show();
        w.common.print->trigger();
        ASSERT_EQ(fake().messages.size(), 1u) << traits(c.kind).windowName;
        EXPECT_EQ(fake().messages[0].text, QString::fromUtf8(c.text));
        EXPECT_EQ(fake().messages[0].title, QString::fromUtf8(c.title));
        EXPECT_FALSE(Printer::instance().hasOpenPage());
    }
}

TEST_F(ToolCommandsTest, EveryPrintIsADocumentOfItsOwn)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Printer::instance().setPdfTarget(dir.filePath(QStringLiteral("page%1.pdf")));

    StandInWindow joint(PlotWindow::Joint);
    joint.common.print->trigger(); // the picture is hidden: joint prints it all the same
    EXPECT_FALSE(Printer::instance().hasOpenPage()) << "the page went out at once";
    joint.common.print->trigger();

    StandInWindow fold(PlotWindow::Fold); // on its table, the frame hidden: the picture is printed
    fold.common.print->trigger();

    EXPECT_TRUE(fake().messages.empty());
    for (const char* page : {"page1.pdf", "page2.pdf", "page3.pdf"}) {
        const QFileInfo pdf(dir.filePath(QString::fromLatin1(page)));
        EXPECT_TRUE(pdf.exists() && pdf.size() > 0) << page;
    }
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("page4.pdf"))));
}

TEST_F(ToolCommandsTest, MainRosePrintsNothingWhileItsTableIsShown)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Printer::instance().setPdfTarget(dir.filePath(QStringLiteral("rose%1.pdf")));

    StandInWindow rose(PlotWindow::MainRose);
    ASSERT_TRUE(rose.common.dataBrowse->isChecked());
    rose.common.print->trigger();
    EXPECT_TRUE(fake().messages.empty());
    EXPECT_FALSE(Printer::instance().hasOpenPage());
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());

    rose.common.dataBrowse->trigger(); // to the picture
    rose.common.print->trigger();
    EXPECT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral("rose1.pdf"))));
}

TEST_F(ToolCommandsTest, SavePictureAsksWithTheWindowsFilterAndWritesTheHiddenPicture)
{
    const QString filterA = QStringLiteral("位图文件(*.bmp)|*.bmp|所有文件|*.*");
    const QString filterB = QStringLiteral("位图文件(*.bmp)|*.bmp|所有文件(*.*)|*.*");
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (PlotWindow kind : allWindows) {
        fake().reset();
        StandInWindow w(kind);
        const QString name = dir.filePath(QString::fromLatin1(traits(kind).windowName) + QStringLiteral(".bmp"));
        fake().saveAnswers.push_back(QStringLiteral("  ") + name + QStringLiteral(" "));
        w.common.savePicture->trigger();

        const bool usesA = kind == PlotWindow::MainRose || kind == PlotWindow::Joint;
        ASSERT_EQ(fake().saveFilters.size(), 1);
        EXPECT_EQ(fake().saveFilters[0], usesA ? filterA : filterB) << traits(kind).windowName;
        EXPECT_TRUE(fake().messages.empty());
        QImage written;
        ASSERT_TRUE(written.load(name, "BMP")) << traits(kind).windowName;
        EXPECT_EQ(written.size(), QSize(300, 300));
        EXPECT_EQ(written.convertToFormat(QImage::Format_RGB32), w.picture->image().convertToFormat(QImage::Format_RGB32))
            << "the drawing is in the file";
    }
}

TEST_F(ToolCommandsTest, CancelledSaveWritesNothingAndUnwritableFileIsReported)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    StandInWindow w(PlotWindow::Pai);

    fake().saveAnswers.push_back(QString());
    w.common.savePicture->trigger();
    EXPECT_TRUE(fake().messages.empty());
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());

    fake().saveAnswers.push_back(dir.filePath(QStringLiteral("no such folder/rose.bmp")));
    w.common.savePicture->trigger();
    ASSERT_EQ(fake().messages.size(), 1u);
    EXPECT_EQ(fake().messages[0].text, pictureNotSavedText());
    EXPECT_EQ(fake().messages[0].title, QStringLiteral("提示"));
    EXPECT_TRUE(w.isEnabled()) << "the window goes on";
}

TEST_F(ToolCommandsTest, ViewCommandsSwitchBetweenTableAndPicture)
{
    StandInWindow joint(PlotWindow::Joint);
    joint.common.pictureView->trigger();
    EXPECT_FALSE(joint.picture->isHidden());
    EXPECT_TRUE(joint.grid->isHidden());
    joint.common.dataView->trigger();
    EXPECT_TRUE(joint.picture->isHidden());
    EXPECT_FALSE(joint.grid->isHidden());
    EXPECT_EQ(joint.common.dataBrowse, nullptr);

    StandInWindow fold(PlotWindow::Fold);
    fold.frame->show();
    fold.grid->hide();
    fold.common.showTable->trigger();
    EXPECT_FALSE(fold.grid->isHidden());
    EXPECT_TRUE(fold.frame->isHidden());
    EXPECT_FALSE(fold.picture->isHidden()) << "the table view hides the frame, not the picture";
}

TEST_F(ToolCommandsTest, MainRoseDataBrowseMarkMeansTheTableIsShown)
{
    StandInWindow rose(PlotWindow::MainRose);
    QAction* mark = rose.common.dataBrowse;
    ASSERT_TRUE(mark->isCheckable());
    ASSERT_TRUE(mark->isChecked());

    mark->trigger();
    EXPECT_FALSE(mark->isChecked());
    EXPECT_FALSE(rose.picture->isHidden());
    EXPECT_TRUE(rose.grid->isHidden());

    mark->trigger(); // twice: back where it started
    EXPECT_TRUE(mark->isChecked());
    EXPECT_TRUE(rose.picture->isHidden());
    EXPECT_FALSE(rose.grid->isHidden());

    setDataBrowse(mark, rose.picture, rose.grid, false); // what a rose command does
    EXPECT_FALSE(mark->isChecked());
    EXPECT_FALSE(rose.picture->isHidden());
}

TEST_F(ToolCommandsTest, ClosingGivesPanel3BackOnlyForJointAndYanzu)
{
    for (PlotWindow kind : allWindows) {
        const bool resets = kind == PlotWindow::Joint || kind == PlotWindow::Yanzu;
        const char* name = traits(kind).windowName;

        // By File > "退出".
        frame.panel3 = QStringLiteral("产状:123.0/45.0");
        QPointer<StandInWindow> byMenu = new StandInWindow(kind);
        byMenu->show();
        byMenu->common.exit->trigger();
        deleteClosedWindows();
        EXPECT_TRUE(byMenu.isNull()) << name << " is unloaded";
        EXPECT_EQ(frame.panel3 == numLock, resets) << name << " by the menu";

        // By the close box of its frame inside the main window.
        frame.panel3 = QStringLiteral("产状:123.0/45.0");
        QMdiArea area;
        QPointer<StandInWindow> byBox = new StandInWindow(kind);
        QMdiSubWindow* sub = area.addSubWindow(byBox);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        area.show();
        sub->show();
        sub->close();
        deleteClosedWindows();
        EXPECT_TRUE(byBox.isNull()) << name;
        EXPECT_EQ(frame.panel3 == numLock, resets) << name << " by the close box";
    }
}

TEST_F(ToolCommandsTest, HelpItemsGoThroughTheMainWindow)
{
    StandInWindow w(PlotWindow::Yanzu);
    w.common.helpContents->trigger();
    w.common.helpAbout->trigger();
    EXPECT_EQ(frame.helpShown, 1);
    EXPECT_EQ(frame.aboutShown, 1);
}

} // namespace
} // namespace kv
