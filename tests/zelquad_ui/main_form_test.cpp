#include "tests/zelquad_ui/zelquad_fixture.h"

#include "platform/ui/picture_box.h"
#include "zelquad/ui/result_window.h"
#include "zelquad/ui/welcome_picture.h"
#include "platform/ui/help_viewer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>

namespace zq::test {
namespace {

const QString kHint = QStringLiteral(
    "请在上述窗口中输入相应的数据和文件名，输入图形数据文件名时请不要带扩展名。"
    "数据文件不在当前目录下，请输入相应的路径。\n\n按F1键可获得本程序使用帮助");
const QString kFinished = QStringLiteral("程序运行结束，已生成图形数据文件，单击取消按纽可继续进行计算。");

using MainFormTest = ZelquadTest;

TEST_F(MainFormTest, StartsWithItsCaptionsTipsAndHintAndOkDisabled)
{
    EXPECT_EQ(form->objectName(), "MainForm");
    EXPECT_EQ(form->windowTitle(), "Zelquad V2.1");
    EXPECT_EQ(child<QLabel>("lblPlace")->text(), "工程部位");
    EXPECT_EQ(child<QLabel>("lblDataFile")->text(), "请输入数据文件名");
    EXPECT_EQ(child<QLabel>("lblOutputFile")->text(), "请输入图形数据文件名");
    EXPECT_EQ(child<QLineEdit>("txtDataFileName")->toolTip(), "双击文本框浏览查找数据文件");
    EXPECT_EQ(child<QLineEdit>("txtOutputFileName")->toolTip(), "AutoCAD图形接口数据文件名");
    EXPECT_EQ(child<QToolButton>("cmdPreview")->toolTip(), "浏览查找数据文件");
    const struct { const char* name; const char* caption; const char* tip; } buttons[] = {
        {"cmdOk", "确认(&O)", "运行绘图程序"}, {"cmdCancel", "取消(&C)", "取消当前设置"}, {"cmdQuit", "退出(&Q)", "退出本程序"}};
    for (const auto& b : buttons) {
        EXPECT_EQ(child<QAbstractButton>(b.name)->text(), b.caption);
        EXPECT_EQ(child<QAbstractButton>(b.name)->toolTip(), b.tip);
    }
    EXPECT_EQ(child<QGroupBox>("fraComment")->title(), "提示");
    EXPECT_EQ(child<QLabel>("lblMessage")->text(), kHint);
    EXPECT_FALSE(child<QAbstractButton>("cmdOk")->isEnabled());
    ASSERT_NE(child<kv::PictureBox>("pctOutput"), nullptr);
    saveShot(form->grab().toImage(), "main_form_at_rest.png");
}

TEST_F(MainFormTest, OkNeedsBothFileNamesAndTypingProposesTheScriptName)
{
    auto* data = child<QLineEdit>("txtDataFileName");
    auto* script = child<QLineEdit>("txtOutputFileName");
    auto* ok = child<QAbstractButton>("cmdOk");
    child<QLineEdit>("txtPlace")->setText("坝址");
    EXPECT_FALSE(ok->isEnabled()); // the site alone never enables OK

    data->setFocus();
    QTest::keyClicks(data, "abc");
    EXPECT_EQ(script->text(), "");
    EXPECT_FALSE(ok->isEnabled());
    data->clear();
    QTest::keyClicks(data, "ab.dat");
    EXPECT_EQ(script->text(), "ab.scr");
    EXPECT_TRUE(ok->isEnabled());

    script->setText("   ");
    EXPECT_FALSE(ok->isEnabled());
    script->setText("x");
    data->setText("  ");
    EXPECT_FALSE(ok->isEnabled());
}

TEST_F(MainFormTest, BrowsingWritesTheLastChosenNameEvenWhenCancelled)
{
    auto* data = child<QLineEdit>("txtDataFileName");
    data->setText("typed.dat");
    dialogs.openAnswers = {"", "/home/g/site1.dat", ""};
    child<QToolButton>("cmdPreview")->click();
    EXPECT_EQ(data->text(), ""); // nothing chosen yet: the typed name is gone
    EXPECT_FALSE(child<QAbstractButton>("cmdOk")->isEnabled());
    EXPECT_EQ(dialogs.openFilters.value(0), "数据文件(*.dat)|*.dat|文本文件(*.txt)|*.txt|所有文件(*.*)|*.*");
    EXPECT_EQ(dialogs.fileDialogTitles.value(0), "打开");

    QTest::mouseDClick(data, Qt::LeftButton);
    EXPECT_EQ(data->text(), "/home/g/site1.dat");
    EXPECT_EQ(child<QLineEdit>("txtOutputFileName")->text(), "/home/g/site1.scr");
    EXPECT_TRUE(child<QAbstractButton>("cmdOk")->isEnabled());

    data->setText("other.dat");
    child<QToolButton>("cmdPreview")->click();
    EXPECT_EQ(data->text(), "/home/g/site1.dat");
}

TEST_F(MainFormTest, NamesMustStartWithALetterOrTheRootAndTheDataNameIsCheckedFirst)
{
    const struct { const char* data; const char* script; const char* message; } cases[] = {
        {"1.dat", "_x", "您所键入的数据文件名非法!请重新键入合法的文件名。"},
        {".\\a.dat", "a", "您所键入的数据文件名非法!请重新键入合法的文件名。"},
        {"a.dat", "_x", "您所键入的输出数据文件名非法!请重新键入合法的文件名。"},
        {"/no/such/a.dat", "9.scr", "您所键入的输出数据文件名非法!请重新键入合法的文件名。"},
    };
    for (const auto& c : cases) {
        dialogs.reset();
        run("", c.data, c.script);
        ASSERT_EQ(dialogs.messages.size(), 1u) << c.data;
        EXPECT_EQ(dialogs.messages[0].text, c.message);
        EXPECT_EQ(dialogs.messages[0].title, "Zelquad");
        EXPECT_EQ(form->resultWindow(), nullptr);
        EXPECT_EQ(child<QLabel>("lblMessage")->text(), kHint);
    }
}

TEST_F(MainFormTest, RunWritesTheScriptInTheCodePageAndShowsThePlots)
{
    const QString data = writeFile("survey.dat", threeJointSets(300));
    run("坝址", data, path("survey"));
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(form->scriptFileName(), path("survey.scr"));
    const std::string script = readBytes("survey.scr");
    EXPECT_EQ(script.substr(0, 27), "LIMITS\r\n-10,-120\r\n250,180\r\n");
    EXPECT_EQ(script.substr(script.size() - 8), "ZOOM A\r\n");
    EXPECT_NE(script.find("Style HT\r\n\xBA\xDA\xCC\xE5\r\n"), std::string::npos); // 黑体 in GB2312
    EXPECT_NE(script.find("\xB0\xD3\xD6\xB7\xC1\xD1\xCF\xB6"), std::string::npos);     // 坝址裂 of the title
    EXPECT_NE(script.find("Spline\r\n"), std::string::npos);
    EXPECT_EQ(child<QLabel>("lblMessage")->text(), kFinished);

    ResultWindow* result = form->resultWindow();
    ASSERT_NE(result, nullptr);
    EXPECT_TRUE(result->isVisible());
    EXPECT_EQ(result->objectName(), "frmOutput");
    EXPECT_EQ(result->windowTitle(), "计算结果");
    EXPECT_TRUE(QFile::exists(path("cache/ZelData.zel")));
    QApplication::processEvents();
    saveShot(form->grab().toImage(), "main_form_after_run.png");
    saveShot(result->grab().toImage(), "result_window.png");
    EXPECT_TRUE(child<QAbstractButton>("cmdOk")->isEnabled()); // a new run may follow at once
}

TEST_F(MainFormTest, ASecondRunReplacesTheFirstOnTheResultWindow)
{
    run("", writeFile("a.dat", threeJointSets(200)), path("a"));
    run("", writeFile("b.dat", "45,30\r\n"), path("b"));
    ASSERT_NE(form->resultWindow(), nullptr);
    const QImage second = form->resultWindow()->canvas()->image();

    MainForm fresh;
    fresh.setCacheFolder(path("cache"));
    fresh.findChild<QLineEdit*>("txtDataFileName")->setText(path("b.dat"));
    fresh.findChild<QLineEdit*>("txtOutputFileName")->setText(path("c"));
    fresh.findChild<QAbstractButton*>("cmdOk")->click();
    ASSERT_NE(fresh.resultWindow(), nullptr);
    EXPECT_TRUE(fresh.resultWindow()->canvas()->image() == second);
}

TEST_F(MainFormTest, RefusedRunsSayWhyAndWriteNothing)
{
    writeFile("keep.scr", "old script");
    const struct { const char* file; std::string bytes; const char* site; const char* script; QString message; } cases[] = {
        {"missing.dat", "", "", "keep", ""},
        {"text.dat", "10,10\r\n20,abc\r\n", "", "keep", "数据非法， 2号记录不是数字，请检查数据文件！"},
        {"negative.dat", "10,-5\r\n", "", "keep", "数据非法， 1号记录裂隙倾角小于0度，请检查数据文件！"},
        {"odd.dat", "10,5\r\n20\r\n", "", "keep", "数据非法， 2号记录缺少裂隙倾角，请检查数据文件！"},
        {"empty.dat", "\r\n", "", "keep", "数据文件中没有裂隙产状记录，请检查数据文件！"},
        {"utf8.dat", "10,5 \xE6\x96\xAD\xE5\xB1\x82\r\n", "", "keep", ""},
        {"site.dat", "10,5\r\n", "坝址\xF0\x9F\x98\x80", "keep", "工程部位中有无法写入图形数据文件的字符，请修改工程部位！"},
        {"self.scr", "10,5\r\n", "", "self.scr", ""},
    };
    for (const auto& c : cases) {
        dialogs.reset();
        const QString data = c.bytes.empty() && QString(c.file) == "missing.dat" ? path(c.file) : writeFile(c.file, c.bytes);
        run(QString::fromUtf8(c.site), data, path(c.script));
        ASSERT_EQ(dialogs.messages.size(), 1u) << c.file;
        // A message about a file names it.
        if (c.message.isEmpty()) {
            EXPECT_TRUE(dialogs.messages[0].text.contains(c.file)) << dialogs.messages[0].text.toStdString();
        } else {
            EXPECT_EQ(dialogs.messages[0].text, c.message) << c.file;
        }
        EXPECT_EQ(dialogs.messages[0].title, "Zelquad");
        EXPECT_EQ(readBytes("keep.scr"), "old script") << c.file;
        EXPECT_EQ(form->resultWindow(), nullptr) << c.file;
        EXPECT_EQ(child<QLabel>("lblMessage")->text(), kHint);
    }
    EXPECT_EQ(readBytes("self.scr"), "10,5\r\n"); // the data are never written over
    EXPECT_EQ(programEnds, 0);

    // Nor through a link that the script's name turns out to be.
    dialogs.reset();
    const QString data = writeFile("linked.dat", "10,5\r\n");
    ASSERT_TRUE(QFile::link(data, path("alias.scr")));
    run("", data, path("alias"));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.contains("alias.scr"));
    EXPECT_EQ(readBytes("linked.dat"), "10,5\r\n");

    dialogs.reset();
    run("", data, path("no/such/folder/x"));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text,
              QStringLiteral("无法写入图形数据文件“%1”，请检查路径和写入权限！").arg(path("no/such/folder/x.scr")));
}

TEST_F(MainFormTest, RecordsBeyondTheUpperLimitsEndTheProgram)
{
    const struct { const char* bytes; QString message; } cases[] = {
        {"360.5,10\r\n", QStringLiteral("数据非法， 1号记录裂隙倾向大于360度！\n程序将终止运行。")},
        {"10,10\r\n400,100\r\n", QStringLiteral("数据非法， 2号记录裂隙倾向大于360度！\n程序将终止运行。")},
        {"10,10\r\n20,30\r\n30,90.5\r\n", QStringLiteral("数据非法， 3号记录裂隙倾角大于90度！\n程序将终止运行。")},
    };
    int ends = 0;
    for (const auto& c : cases) {
        dialogs.reset();
        run("", writeFile("bad.dat", c.bytes), path("bad"));
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].text, c.message);
        EXPECT_EQ(programEnds, ++ends);
        EXPECT_FALSE(QFile::exists(path("bad.scr")));
    }
}

TEST_F(MainFormTest, CancelReturnsToTheRestState)
{
    run("坝址", writeFile("a.dat", "45,30\r\n"), path("a"));
    ASSERT_EQ(child<QLabel>("lblMessage")->text(), kFinished);
    child<QAbstractButton>("cmdCancel")->click();
    EXPECT_EQ(child<QLabel>("lblMessage")->text(), kHint);
    for (const char* box : {"txtPlace", "txtDataFileName", "txtOutputFileName"})
        EXPECT_EQ(child<QLineEdit>(box)->text(), "") << box;
    EXPECT_FALSE(child<QAbstractButton>("cmdOk")->isEnabled());
    EXPECT_EQ(form->projectSite(), "");
    EXPECT_EQ(form->dataFileName(), "");
    EXPECT_EQ(form->scriptFileName(), "");
    child<QAbstractButton>("cmdQuit")->click();
    EXPECT_EQ(programEnds, 1);
}

TEST_F(MainFormTest, F1OpensTheProgramsOwnHelp)
{
    QTest::keyClick(child<QLineEdit>("txtPlace"), Qt::Key_F1);
    QTextBrowser* help = kv::helpWindow();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->windowTitle(), "Zelquad 帮助");
    EXPECT_TRUE(help->source().toLocalFile().endsWith("help/zelquad.html"));
    EXPECT_TRUE(help->toPlainText().contains("Zelquad V2.1"));
    // Every node at level 0 is raised above it, so the sheet's lowest line is 2 %.
    EXPECT_TRUE(help->toPlainText().contains("等值线为 2、4、6、8、10%"));
    saveShot(help->grab().toImage(), "help.png");
    help->close();
}

} // namespace
} // namespace zq::test

namespace zq::test {
namespace {

bool hasColourNear(const QImage& image, QPoint p, const QColor& colour)
{
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy)
            if (image.pixelColor(p + QPoint(dx, dy)) == colour)
                return true;
    return false;
}

TEST_F(MainFormTest, SmallPreviewShowsThePolesThenCancelBringsBackTheWelcomePicture)
{
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(folder.path()));
    auto* picture = child<kv::PictureBox>("pctOutput");
    // 45/60: pole radius 7.07 of 10, so 566 twips from (1000, 1000) towards the north-east.
    run("", writeFile("a.dat", "45,60\r\n"), path("a"));
    const QImage preview = picture->image();
    EXPECT_TRUE(hasColourNear(preview, {1400 / 15, 600 / 15}, QColor(0, 0, 255)));
    EXPECT_TRUE(hasColourNear(preview, {1000 / 15, 200 / 15}, QColor(0, 0, 0)));     // top of the net
    EXPECT_TRUE(hasColourNear(preview, {2800 / 15, 200 / 15}, QColor(0, 0, 255)));   // top of the dip rose
    EXPECT_TRUE(hasColourNear(preview, {2000 / 15, 2000 / 15}, QColor(0, 255, 0)));  // histogram axis

    child<QAbstractButton>("cmdCancel")->click();
    EXPECT_TRUE(picture->image() == builtInWelcomePicture(picture->image().size()));

    QImage red(40, 20, QImage::Format_RGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(path("Welcome.bmp"), "BMP"));
    child<QAbstractButton>("cmdCancel")->click();
    const QImage welcome = picture->image();
    EXPECT_EQ(welcome.pixelColor(welcome.width() / 2, welcome.height() / 2), QColor(Qt::red));
    QDir::setCurrent(previous);
}

} // namespace
} // namespace zq::test
