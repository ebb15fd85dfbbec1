// The true-thickness calculator inside the main window, as a user drives it:
// five values typed, each checked as the user leaves its box (by the Tab key
// or by clicking a button), the thickness, and the report.
#include "fold/ui/true_thickness_window.h"
#include "tests/fold_ui/window_shots.h"
#include "tests/support/calculator_window_fixture.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <array>

namespace kv {
namespace {

// Stratum dip, dip direction, traverse inclination, direction, slope distance
// (Text1..Text5).
using Inputs = std::array<const char*, 5>;

class TrueThicknessWindowTest : public test::CalculatorWindowTest<TrueThicknessWindow> {
protected:
    TrueThicknessWindowTest() : CalculatorWindowTest(7, "depth") {}

    void typeInputs(const Inputs& in) const { typeIntoBoxes(in); }
    // Focus moves only inside the active window.
    void activate() const
    {
        QApplication::setActiveWindow(frame.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    }
};

TEST_F(TrueThicknessWindowTest, OpensCentredWithItsIllustrationAndEmptyBoxes)
{
    EXPECT_EQ(window_->windowTitle(), QStringLiteral("岩层真厚度"));
    EXPECT_TRUE(window_->isFixedSize());
    EXPECT_EQ(window_->size(), QSize(441, 351)); // 6615 x 5265 twips
    auto* sub = qobject_cast<QMdiSubWindow*>(window_->parentWidget());
    ASSERT_NE(sub, nullptr);
    const QSize inner = frame->innerSize();
    EXPECT_NEAR(sub->x(), (inner.width() - sub->width()) / 2, 1);
    EXPECT_NEAR(sub->y(), (inner.height() - sub->height()) / 2, 1);
    EXPECT_EQ(menuTitles(), QStringList({"MFile", "MView", "MHelp"}));

    // Boxes from the top: Text1, Text3, Text2, Text4, Text5, Text6, each with its caption.
    const struct {
        int box;
        int top;
        const char* caption;
    } rows[] = {{1, 16, "岩层倾角："}, {3, 70, "测线倾角："}, {2, 125, "岩层倾向："},
                {4, 179, "测线倾向："}, {5, 234, "测线斜距："}, {6, 288, "岩层厚度："}};
    for (const auto& r : rows) {
        EXPECT_EQ(box(r.box)->geometry(), QRect(88, r.top, 105, 25)) << r.box;
        EXPECT_TRUE(box(r.box)->text().isEmpty());
        const QWidget* caption = window_->childAt(30, r.top + 12);
        ASSERT_NE(qobject_cast<const QLabel*>(caption), nullptr) << r.box;
        EXPECT_EQ(qobject_cast<const QLabel*>(caption)->text(), QString::fromUtf8(r.caption));
    }
    EXPECT_TRUE(box(6)->isReadOnly());

    // The illustration is drawn by the program at the top right.
    auto* image = window_->findChild<QLabel*>(QStringLiteral("Image1"));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->geometry(), QRect(208, 8, 218, 210));
    const QImage picture = image->pixmap().toImage();
    int inked = 0;
    for (int y = 1; y < picture.height() - 1; ++y)
        for (int x = 1; x < picture.width() - 1; ++x)
            inked += (picture.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF;
    EXPECT_GT(inked, 2000);

    // Tab: the two first buttons, the boxes in number order, then "保存结果".
    QStringList order;
    QWidget* w = button("岩层真厚度");
    for (int i = 0; i < 9; ++i, w = w->nextInFocusChain()) {
        while (!(w->focusPolicy() & Qt::TabFocus))
            w = w->nextInFocusChain();
        auto* b = qobject_cast<QPushButton*>(w);
        order << (b ? b->text() : w->objectName());
    }
    EXPECT_EQ(order, QStringList({"岩层真厚度", "退  出", "Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "保存结果"}));

    typeInputs({"45", "0", "30", "180", "10"});
    press("岩层真厚度");
    test::saveShot(sub, "depth.png");
}

TEST_F(TrueThicknessWindowTest, ThicknessOfATraverse)
{
    const struct {
        const char* name;
        Inputs in;
        const char* thickness;
    } cases[] = {
        {"against the dip: L sin(45 + 30)", {"45", "0", "30", "180", "10"}, "9.66"},
        {"along the dip, steeper traverse: L |sin(40 - 70)|", {"40", "300", "70", "300", "3"}, "1.5"},
        {"all boxes empty", {"", "", "", "", ""}, "0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        typeInputs(c.in);
        press("岩层真厚度");
        EXPECT_TRUE(dialogs().messages.empty());
        EXPECT_EQ(box(6)->text(), QString::fromUtf8(c.thickness));
    }
}

TEST_F(TrueThicknessWindowTest, EachBoxIsCheckedWhenTheUserLeavesIt)
{
    activate();
    const char* dipMessage = "出错，倾角介于0—90度！";
    const char* directionMessage = "出错，倾向介于0—360度！";
    const char* distanceMessage = "出错，测线斜距应大于0！";
    const struct {
        int box;
        const char* text;
        const char* message; // nullptr: accepted and left as typed
    } cases[] = {
        {1, "95", dipMessage},          {1, "90", nullptr},  {2, "360", nullptr}, {4, "360.5", directionMessage},
        {5, "-2", distanceMessage},     {5, "0", nullptr},   {3, "abc", nullptr},
    };
    for (bool byButton : {false, true}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(testing::Message() << (byButton ? "button " : "tab ") << c.box << " " << c.text);
            typeInputs({"30", "90", "0", "90", "100"});
            box(6)->setText(QStringLiteral("old"));
            box(c.box)->setFocus();
            box(c.box)->clear();
            QTest::keyClicks(box(c.box), QString::fromUtf8(c.text));
            dialogs().reset();
            if (byButton)
                press("岩层真厚度");
            else
                QTest::keyClick(box(c.box), Qt::Key_Tab);
            QApplication::processEvents();
            if (c.message) {
                ASSERT_EQ(dialogs().messages.size(), 1u);
                EXPECT_EQ(dialogs().messages[0].text, QString::fromUtf8(c.message));
                EXPECT_EQ(dialogs().messages[0].title, QStringLiteral("提示"));
                EXPECT_TRUE(box(c.box)->text().isEmpty());
                EXPECT_EQ(box(6)->text(), "old"); // a refused value stops the button's command
            } else {
                EXPECT_TRUE(dialogs().messages.empty());
                EXPECT_EQ(box(c.box)->text(), QString::fromUtf8(c.text));
                EXPECT_FALSE(box(c.box)->hasFocus());
                if (byButton) {
                    EXPECT_NE(box(6)->text(), "old");
                }
            }
            // The other boxes keep their values.
            if (c.box == 1) {
                EXPECT_EQ(box(2)->text(), "90");
            } else {
                EXPECT_EQ(box(1)->text(), "30");
            }
        }
    }
}

// A message box takes the focus while it is open; that must not check the box again.
class FocusStealingDialogs : public test::FakeDialogs {
public:
    QWidget* thief = nullptr;
    void message(QWidget* parent, const QString& text, const QString& title,
                 MessageIcon icon = MessageIcon::None) override
    {
        FakeDialogs::message(parent, text, title, icon);
        if (thief)
            thief->setFocus(Qt::OtherFocusReason);
    }
};

TEST_F(TrueThicknessWindowTest, AMessageMovingTheFocusDoesNotCheckTheBoxAgain)
{
    activate();
    FocusStealingDialogs stealing;
    stealing.thief = box(3);
    Dialogs* previous = installDialogs(&stealing);
    box(1)->setFocus();
    QTest::keyClicks(box(1), QStringLiteral("95"));
    QTest::keyClick(box(1), Qt::Key_Tab);
    QApplication::processEvents();
    installDialogs(previous);
    EXPECT_EQ(stealing.messages.size(), 1u);
    EXPECT_TRUE(box(1)->text().isEmpty());
}

TEST_F(TrueThicknessWindowTest, ReportHoldsTheSixBoxesAsTheyStand)
{
    typeInputs({"30", "90", "0", "90", "100"});
    press("岩层真厚度");
    QTest::keyClicks(box(5), QStringLiteral(".5")); // edited after the calculation: saved as it stands
    const QString path = dir_.filePath(QStringLiteral("thickness.txt"));
    dialogs().saveAnswers.push_back(path);
    press("保存结果");
    EXPECT_EQ(dialogs().saveFilters, QStringList{QStringLiteral("数据文件(*.txt)|*.txt|所有文件|*.*")});
    EXPECT_TRUE(dialogs().messages.empty());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    // Each caption (five characters, ten bytes) and four blanks: the value starts in column 15.
    const QByteArray gap(4, ' ');
    EXPECT_EQ(file.readAll(), QByteArray("\xD1\xD2\xB2\xE3\xC7\xE3\xBD\xC7\xA3\xBA") + gap + "30\r\n"
                                  + "\xB2\xE2\xCF\xDF\xC7\xE3\xBD\xC7\xA3\xBA" + gap + "0\r\n"
                                  + "\xD1\xD2\xB2\xE3\xC7\xE3\xCF\xF2\xA3\xBA" + gap + "90\r\n"
                                  + "\xB2\xE2\xCF\xDF\xC7\xE3\xCF\xF2\xA3\xBA" + gap + "90\r\n"
                                  + "\xB2\xE2\xCF\xDF\xD0\xB1\xBE\xE0\xA3\xBA" + gap + "100.5\r\n"
                                  + "\xD1\xD2\xB2\xE3\xBA\xF1\xB6\xC8\xA3\xBA" + gap + "50\r\n");

    dialogs().saveAnswers.push_back(dir_.filePath(QStringLiteral("no/such/folder/thickness.txt")));
    press("保存结果");
    ASSERT_EQ(dialogs().messages.size(), 1u);
    EXPECT_EQ(dialogs().messages[0].text, QStringLiteral("文件无法保存！"));
    EXPECT_EQ(dialogs().messages[0].title, QStringLiteral("提示"));
}

TEST_F(TrueThicknessWindowTest, ExitClosesTheWindow)
{
    press("退  出");
    QApplication::processEvents();
    EXPECT_EQ(frame->registry().find(QStringLiteral("depth")), nullptr);
    EXPECT_EQ(openCount(QStringLiteral("depth")), 0);
}

} // namespace
} // namespace kv
