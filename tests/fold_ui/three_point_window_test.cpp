// The three-point calculator inside the main window, as a user drives it:
// nine coordinates typed or opened from a file, "计算", the saved file, help
// and exit.
#include "fold/ui/three_point_window.h"
#include "platform/ui/help_viewer.h"
#include "tests/fold_ui/window_shots.h"
#include "tests/support/calculator_window_fixture.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <array>

namespace kv {
namespace {

using Points = std::array<const char*, 9>; // X, Y, Z of points 1, 2, 3

class ThreePointWindowTest : public test::CalculatorWindowTest<ThreePointWindow> {
protected:
    ThreePointWindowTest() : CalculatorWindowTest(5, "threedots") {}

    void typePoints(const Points& p) const { typeIntoBoxes(p); }
    QStringList boxTexts() const
    {
        QStringList texts;
        for (int k = 1; k <= 9; ++k)
            texts << box(k)->text();
        return texts;
    }
};

TEST_F(ThreePointWindowTest, OpensCentredWithEmptyBoxesAndTheMainWindowsMenus)
{
    EXPECT_EQ(window_->windowTitle(), QStringLiteral("三点法"));
    EXPECT_TRUE(window_->isFixedSize());
    EXPECT_EQ(window_->size(), QSize(441, 260)); // 6615 x 3900 twips
    auto* sub = qobject_cast<QMdiSubWindow*>(window_->parentWidget());
    ASSERT_NE(sub, nullptr);
    const QSize inner = frame->innerSize();
    EXPECT_NEAR(sub->x(), (inner.width() - sub->width()) / 2, 1);
    EXPECT_NEAR(sub->y(), (inner.height() - sub->height()) / 2, 1);
    EXPECT_EQ(menuTitles(), QStringList({"MFile", "MView", "MHelp"}));

    for (int k = 1; k <= 10; ++k)
        EXPECT_TRUE(box(k)->text().isEmpty()) << k;
    EXPECT_TRUE(box(10)->isReadOnly());
    EXPECT_EQ(box(5)->geometry(), QRect(176, 101, 65, 25)); // Y of point 2
    EXPECT_EQ(box(10)->geometry(), QRect(88, 208, 243, 25));
    EXPECT_EQ(child<QLabel>("Label4")->text(), QStringLiteral("产  状："));
    EXPECT_EQ(child<QLabel>("Label7")->text(), QStringLiteral("Z坐标"));

    // Tab: the five buttons, the nine coordinates, then the result.
    QStringList order;
    QWidget* w = child<QPushButton>("Command1");
    for (int i = 0; i < 15; ++i, w = w->nextInFocusChain()) {
        while (!(w->focusPolicy() & Qt::TabFocus))
            w = w->nextInFocusChain();
        order << (w->objectName().startsWith("Command") ? qobject_cast<QPushButton*>(w)->text() : w->objectName());
    }
    EXPECT_EQ(order, QStringList({"打开", "保存", "计算", "帮助", "退出", "Text1", "Text2", "Text3", "Text4", "Text5",
                                  "Text6", "Text7", "Text8", "Text9", "Text10"}));
    test::saveShot(sub, "threedots-empty.png");
}

TEST_F(ThreePointWindowTest, CalculateShowsThePlaneOrSaysThePointsHoldNone)
{
    const QString before = QStringLiteral("走向：1.0     倾角：2.0     倾向：N");
    const struct {
        const char* name;
        Points points;
        const char* result; // nullptr: "坐标数据有误！" and the old result stays
    } cases[] = {
        {"x + y + z = 1", {"0", "0", "1", "1", "0", "0", "0", "1", "0"}, "走向：315.0     倾角：54.7     倾向：NE"},
        {"words count as 0", {"abc", "", "1", "1", "0", "0", "0", "1", "0x"}, "走向：315.0     倾角：54.7     倾向：NE"},
        {"collinear", {"0", "0", "0", "1", "1", "1", "2", "2", "2"}, nullptr},
        {"empty boxes", {"", "", "", "", "", "", "", "", ""}, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        dialogs().reset();
        typePoints(c.points);
        child<QLineEdit>("Text10")->setText(before);
        press("计算");
        if (c.result) {
            EXPECT_TRUE(dialogs().messages.empty());
            EXPECT_EQ(box(10)->text(), QString::fromUtf8(c.result));
        } else {
            ASSERT_EQ(dialogs().messages.size(), 1u);
            EXPECT_EQ(dialogs().messages[0].text, QStringLiteral("坐标数据有误！"));
            EXPECT_EQ(dialogs().messages[0].title, QStringLiteral("提示"));
            EXPECT_EQ(box(10)->text(), before);
        }
    }
}

TEST_F(ThreePointWindowTest, CoordinateFileIsSavedAndOpenedAndABadOneChangesNothing)
{
    typePoints({"0", "0", "1", "1", "0", "0", "0", "1", "0.5"});
    press("计算");
    const QString saved = dir_.filePath(QStringLiteral("points.txt"));
    dialogs().saveAnswers.push_back(saved);
    press("保存");
    EXPECT_EQ(dialogs().saveFilters, QStringList{QStringLiteral("数据文件(*.txt)|*.txt|所有文件(*.*)|*.*")});
    QFile file(saved);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    // Values in print zones of 14 columns; the result line in the code page.
    const QByteArray zero = " 0" + QByteArray(12, ' ');
    const QByteArray one = " 1" + QByteArray(12, ' ');
    const QByteArray result = box(10)->text().toUtf8();
    ASSERT_EQ(result, "走向：296.6     倾角：48.2     倾向：NE");
    EXPECT_EQ(file.readAll(), zero + zero + " 1 \r\n" + one + zero + " 0 \r\n" + zero + one + " .5 \r\n"
                                  + QByteArray("\xD7\xDF\xCF\xF2\xA3\xBA" "296.6     \xC7\xE3\xBD\xC7\xA3\xBA"
                                               "48.2     \xC7\xE3\xCF\xF2\xA3\xBA" "NE\r\n"));

    // Opening it brings the points back and leaves the result box alone.
    typePoints({"9", "9", "9", "9", "9", "9", "9", "9", "9"});
    box(10)->setText(QStringLiteral("old"));
    dialogs().openAnswers.push_back(saved);
    press("打开");
    EXPECT_EQ(dialogs().openFilters,
              QStringList{QStringLiteral("数据文件（*.txt;*.dat）|*.txt;*.dat|所有文件（*.*）|*.*")});
    EXPECT_TRUE(dialogs().messages.empty());
    const QStringList points{"0", "0", "1", "1", "0", "0", "0", "1", "0.5"};
    EXPECT_EQ(boxTexts(), points);
    EXPECT_EQ(box(10)->text(), "old");

    const struct {
        const char* name;
        QByteArray bytes;
    } bad[] = {
        {"two-lines.txt", "1,2,3\r\n4,5,6\r\n"},
        {"encoding.txt", "1 2 3\r\n4 5 6\r\n7 8 \xFF\r\n"},
    };
    for (const auto& b : bad) {
        SCOPED_TRACE(b.name);
        dialogs().reset();
        dialogs().openAnswers.push_back(writeFile(b.name, b.bytes));
        press("打开");
        ASSERT_EQ(dialogs().messages.size(), 1u);
        EXPECT_EQ(dialogs().messages[0].text, QStringLiteral("坐标数据出错！"));
        EXPECT_EQ(boxTexts(), points);
    }
    press("计算"); // the values behind the boxes did not change either
    EXPECT_EQ(box(10)->text(), QStringLiteral("走向：296.6     倾角：48.2     倾向：NE"));
    test::saveShot(window_->parentWidget(), "threedots.png");

    // A file that cannot be written is reported; a cancelled dialog does nothing.
    dialogs().reset();
    dialogs().saveAnswers.push_back(dir_.filePath(QStringLiteral("no/such/folder/points.txt")));
    press("保存");
    ASSERT_EQ(dialogs().messages.size(), 1u);
    EXPECT_EQ(dialogs().messages[0].text, QStringLiteral("文件无法保存！"));
    dialogs().reset();
    dialogs().saveAnswers.push_back(QString());
    dialogs().openAnswers.push_back(QString());
    press("保存");
    press("打开");
    EXPECT_TRUE(dialogs().messages.empty());
    EXPECT_EQ(boxTexts(), points);
}

TEST_F(ThreePointWindowTest, HelpOpensTheHelpAndExitClosesTheWindow)
{
    press("帮助");
    QApplication::processEvents();
    ASSERT_NE(helpWindow(), nullptr);
    EXPECT_TRUE(helpWindow()->isVisible());
    helpWindow()->close();

    press("退出");
    QApplication::processEvents();
    EXPECT_EQ(frame->registry().find(QStringLiteral("threedots")), nullptr);
    EXPECT_EQ(openCount(QStringLiteral("threedots")), 0);
}

} // namespace
} // namespace kv
