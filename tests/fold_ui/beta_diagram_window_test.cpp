// The beta diagram window as a user drives it: the counts and switches above
// the table, the analysis and its diagram, the measured planes alone, and the
// beta data file read, written and refused.
#include "fold/ui/beta_diagram_window.h"
#include "tests/support/fold_net_window_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>

namespace kv {
namespace {

using namespace test;

class BetaDiagramWindowTest : public FoldNetWindowTest<BetaDiagramWindow> {
protected:
    BetaDiagramWindowTest() : FoldNetWindowTest("beta_diagram") {}

    QLineEdit* text(const char* name) const { return child<QLineEdit>(name); }
    QCheckBox* check(const char* name) const { return child<QCheckBox>(name); }
    void setCounts(const char* left, const char* right) const
    {
        text("Text1")->setText(QString::fromUtf8(left));
        text("Text2")->setText(QString::fromUtf8(right));
    }
};

TEST_F(BetaDiagramWindowTest, OpensOnItsTableUnderTheCountsAndSwitches)
{
    EXPECT_EQ(window_->objectName(), "beta_diagram");
    EXPECT_EQ(window_->windowTitle(), QStringLiteral("褶皱Beta图解"));
    EXPECT_TRUE(window_->opensMaximized());
    EXPECT_TRUE(tableShown());

    const struct {
        const char* name;
        const char* text;
    } strip[] = {{"Label1", "左翼岩层产状数目："}, {"Label2", "右翼岩层产状数目："}, {"Text1", "1"},
                 {"Text2", "1"},  {"Check1", "倒转褶皱"}, {"Check2", "产状加数据"}, {"Check3", "仅绘制产状"}};
    auto* frame = child<QFrame>("Frame1");
    ASSERT_NE(frame, nullptr);
    for (const auto& s : strip) {
        QWidget* w = frame->findChild<QWidget*>(QString::fromLatin1(s.name));
        ASSERT_NE(w, nullptr) << s.name;
        const QString shown = w->property("text").toString();
        EXPECT_EQ(shown, QString::fromUtf8(s.text)) << s.name;
        if (auto* box = qobject_cast<QCheckBox*>(w)) {
            EXPECT_FALSE(box->isChecked()) << s.name;
        }
    }

    // The shared items come from the window's catalogue row; its own command heads "操作(&O)".
    ASSERT_NE(item("MOperateBeta"), nullptr);
    EXPECT_EQ(item("MOperateBeta")->text(), QStringLiteral("Beta图解"));
    EXPECT_EQ(window_->menus().at(1)->actions().at(0), item("MOperateBeta"));

    EXPECT_EQ(grid()->rows(), 500);
    EXPECT_EQ(grid()->cols(), 26);
    EXPECT_EQ(grid()->textMatrix(0, 1), QStringLiteral("倾向"));
    EXPECT_EQ(grid()->textMatrix(0, 2), QStringLiteral("倾角"));
    EXPECT_EQ(grid()->textMatrix(499, 0), "499");
    EXPECT_NEAR(grid()->colWidthTwips(2), 2000, 15);
    EXPECT_EQ(picture()->pictureSize(), QSize(400, 300));
    EXPECT_EQ(picture()->toPixel(0, 0), QPointF(150, 150));

    // The strip across the top, the table under it, the picture in the middle.
    window_->resize(900, 600);
    window_->show();
    QApplication::processEvents();
    EXPECT_EQ(frame->geometry(), QRect(0, 0, 900, frame->height()));
    EXPECT_EQ(grid()->geometry(), QRect(0, frame->height(), 900, 600 - frame->height()));
    EXPECT_EQ(picture()->pos(), QPoint(250, 150));
}

struct FoldCase {
    const char* name;
    const char* left;
    const char* right;
    bool overturned;
    bool withBeds;
    Beds beds;
    const char* limbs;
    const char* apical;
    const char* axial;
    const char* hinge; // nullptr: not checked
    const char* count;
    double redX, redY; // a point of the axial plane's circle
    int brownPlanes;   // measured planes drawn
};

TEST_F(BetaDiagramWindowTest, AnalysesTheFoldThatTheCountsAndSwitchesDescribe)
{
    const FoldCase cases[] = {
        // The axial plane 256.3/74.9 crosses its dip line 100 tan(7.55) from the centre.
        // With two beds "产状加数据" draws no measured plane.
        {"one bed a limb", "1", "1", false, true, {{"250", "30"}, {"80", "60"}}, "250.0∠30.0  80.0∠60.0", "90.4",
         "256.3∠74.9", "167.5∠4.3", "N= 2 ", -12.87, -3.14, 0},
        // Both limbs dip east: the axial plane 090/45 lies between them.
        {"overturned", "1", "1", true, false, {{"90", "60"}, {"90", "30"}}, "90.0∠60.0  90.0∠30.0", "30.0",
         "90.0∠45.0", nullptr, "N= 2 ", 41.42, 0, 0},
        // An upright symmetric fold: a vertical north-south axial plane, drawn as
        // the diameter. Each limb's dip lines 45 to either side of east (west)
        // sum to a dip of atan(1 / sin 80) = 45.44, so the limbs close at 180 - 2 x 45.44.
        {"upright, with the measured planes", "2", "2", false, true,
         {{"80", "45"}, {"100", "45"}, {"260", "45"}, {"280", "45"}}, "90.0∠45.4  270.0∠45.4", "89.1", nullptr,
         nullptr, "N= 4 ", 0, 50, 4},
        // "2.5" beds are 2 (halves to even): the third row is the right limb.
        {"halves of counts to even", "2.5", "1", false, false, {{"10", "20"}, {"10", "20"}, {"190", "20"}},
         "10.0∠20.0  190.0∠20.0", "140.0", nullptr, nullptr, "N= 3 ", 0, 0, 0},
    };
    for (const FoldCase& c : cases) {
        SCOPED_TRACE(c.name);
        fillTable(c.beds);
        setCounts(c.left, c.right);
        {
            const QSignalBlocker quiet1(check("Check1")), quiet2(check("Check2"));
            check("Check1")->setChecked(c.overturned);
            check("Check2")->setChecked(c.withBeds);
        }
        click("MOperateBeta");
        EXPECT_TRUE(dialogs().messages.empty());
        EXPECT_TRUE(pictureShown());
        EXPECT_EQ(under("The limbs:"), c.limbs);
        EXPECT_EQ(under("The apical angle:"), c.apical);
        if (c.axial) {
            EXPECT_EQ(under("The axial plane:"), c.axial);
        }
        if (c.redX != 0 || c.redY != 0) {
            EXPECT_TRUE(inkNear(c.redX, c.redY, kRed));
        }
        if (c.hinge) {
            EXPECT_EQ(under("The hinge:"), c.hinge);
        }
        EXPECT_TRUE(shows(c.count));
        EXPECT_TRUE(shows("The Axial Plane Of Fold"));
        EXPECT_EQ(shows("Limb Planes"), c.brownPlanes > 0);
        EXPECT_EQ(pixelsOf(kBrown) > 0, c.brownPlanes > 0);
        EXPECT_GT(pixelsOf(kCyan), 100); // the typical limbs
    }
}

TEST_F(BetaDiagramWindowTest, SwitchesRedrawAndFaultsLeaveTheViewAlone)
{
    // Ticking "倒转褶皱" moves the axial plane of 090/60 and 090/30 from 270/45 to 090/45.
    fillTable({{"90", "60"}, {"90", "30"}});
    click("MOperateBeta");
    EXPECT_EQ(under("The axial plane:"), "270.0∠45.0");
    EXPECT_TRUE(inkNear(-41.42, 0, kRed));
    check("Check1")->click();
    EXPECT_EQ(under("The axial plane:"), "90.0∠45.0");
    EXPECT_TRUE(inkNear(41.42, 0, kRed));
    EXPECT_FALSE(inkNear(-41.42, 0, kRed));

    // "产状加数据" redraws too: a third bed brings the measured planes.
    setCounts("2", "1");
    fillTable({{"90", "60"}, {"95", "62"}, {"90", "30"}});
    check("Check2")->click();
    EXPECT_TRUE(shows("Limb Planes"));
    EXPECT_GT(pixelsOf(kBrown), 0);
    EXPECT_TRUE(dialogs().messages.empty());

    // "仅绘制产状" before any file: the bare net and no plane; unticking it changes nothing.
    check("Check3")->click();
    EXPECT_TRUE(shows("N= 0 "));
    EXPECT_FALSE(shows("The limbs:"));
    EXPECT_EQ(pixelsOf(kBrown), 0);
    const QImage net = picture()->image();
    check("Check3")->click();
    EXPECT_EQ(picture()->image(), net);

    const struct {
        const char* name;
        const char* left;
        const char* right;
        Beds beds;
        const char* message;
    } faults[] = {
        {"no beds on the left", "0", "1", {{"10", "20"}, {"30", "40"}}, "两翼岩层产状数目有误！"},
        {"a count that is no number", "abc", "1", {{"10", "20"}, {"30", "40"}}, "两翼岩层产状数目有误！"},
        {"more beds than the table holds", "300", "200", {{"10", "20"}, {"30", "40"}}, "两翼岩层产状数目有误！"},
        {"a dip missing", "1", "1", {{"10", "20"}, {"30", ""}}, "数据有误，请检查！"},
        {"a limb that is no number", "1", "1", {{"1.2.3", "20"}, {"30", "40"}}, "数据有误，请检查！"},
        {"parallel limbs", "1", "1", {{"90", "30"}, {"90", "30"}}, "数据有误，请检查！"},
    };
    for (const auto& f : faults) {
        SCOPED_TRACE(f.name);
        click("MOperateDataView");
        fillTable(f.beds);
        setCounts(f.left, f.right);
        dialogs().reset();
        click("MOperateBeta");
        ASSERT_EQ(dialogs().messages.size(), 1u);
        EXPECT_EQ(dialogs().messages[0].text, QString::fromUtf8(f.message));
        EXPECT_EQ(dialogs().messages[0].title, QStringLiteral("提示"));
        EXPECT_TRUE(tableShown());
    }
}

TEST_F(BetaDiagramWindowTest, FileSetsTheCountsAndTheOverturnedBoxAndComesBackAsWritten)
{
    // A flag "Y" ticks the box, which analyses the new table at once; the table stays in view.
    dialogs().openAnswers.push_back(writeFile("overturned.txt", "1,1\r\nY\r\n90,60\r\n90,30\r\n"));
    click("MFileInputdata");
    EXPECT_TRUE(dialogs().messages.empty());
    EXPECT_EQ(dialogs().openFilters, QStringList({QStringLiteral("数据文件（*.txt;*.dat）|*.txt;*.dat|所有文件（*.*）|*.*")}));
    EXPECT_TRUE(check("Check1")->isChecked());
    EXPECT_EQ(under("The axial plane:"), "90.0∠45.0");
    EXPECT_TRUE(tableShown());
    EXPECT_EQ(text("Text1")->text(), "1");
    EXPECT_EQ(window_->pointCount(), 2);
    EXPECT_EQ(tableRows(3), (Beds{{"90", "60"}, {"90", "30"}, {"", ""}}));

    const QString saved = path("saved.txt");
    dialogs().saveAnswers.push_back(saved);
    click("MFileSaveData");
    EXPECT_TRUE(dialogs().messages.empty());
    EXPECT_EQ(dialogs().saveFilters, QStringList({QStringLiteral("数据文件(*.txt)|*.txt|所有文件(*.*)|*.*")}));
    // Counts and dips in print zones of 14 columns, each number with its sign place and a trailing blank.
    const QByteArray expected = " 1 " + QByteArray(11, ' ') + " 1 \r\n" + "y\r\n"  //
                                + " 90 " + QByteArray(10, ' ') + " 60 \r\n"        //
                                + " 90 " + QByteArray(10, ' ') + " 30 \r\n";
    EXPECT_EQ(readFile(saved), expected);

    // The real fold, typed in, saved with its counts and read back.
    fillTable(bothLimbs());
    setCounts("12", "12");
    check("Check1")->click(); // unticked: a normal fold, analysed at once
    EXPECT_LT(degreesFromAxis(under("The hinge:"), 30, 10), 3) << under("The hinge:");
    dialogs().saveAnswers.push_back(saved);
    click("MFileSaveData");
    EXPECT_EQ(window_->pointCount(), 24);
    fillTable({});
    setCounts("1", "1");
    dialogs().openAnswers.push_back(saved);
    click("MFileInputdata");
    EXPECT_TRUE(dialogs().messages.empty());
    Beds typed = bothLimbs();
    typed.push_back({"", ""});
    EXPECT_EQ(tableRows(25), typed);
    EXPECT_EQ(text("Text2")->text(), "12");
    EXPECT_FALSE(check("Check1")->isChecked());

    // "仅绘制产状" draws the 24 planes of the file.
    window_->resize(900, 600);
    check("Check3")->click();
    EXPECT_TRUE(pictureShown());
    EXPECT_TRUE(shows("N= 24 "));
    EXPECT_GT(pixelsOf(kBrown), 500);
    saveShot("beta-planes.png");
    check("Check3")->click();

    check("Check2")->click();
    EXPECT_TRUE(pictureShown());
    EXPECT_TRUE(shows("N= 24 "));
    saveShot("beta-diagram.png");
}

TEST_F(BetaDiagramWindowTest, BrokenFilesKeepTheRecordsBeforeTheFaultAndRefusedSavesChangeNothing)
{
    const QByteArray many = "250,250\r\nn\r\n" + numberedRecords(500);
    // Parsing is tested with the file format; here each kind of failure once.
    const struct {
        const char* name;
        QByteArray bytes;
        Beds rows; // rows 1 to 3 afterwards
        int pointCount;
        const char* row499;
    } files[] = {
        {"empty", "", {{"10", "20"}, {"30", "40"}, {"", ""}}, 0, ""},
        {"a record cut short", "3,4\r\ny\r\n50,60\r\n70\r\n", {{"50", "60"}, {"", ""}, {"", ""}}, 7, ""},
        {"a 500th record", many, {{"1", "45"}, {"2", "45"}, {"3", "45"}}, 499, "499"},
        {"not in the system code page", "3,4\r\ny\r\n50,60\r\n\xff\xff,5\r\n", {{"10", "20"}, {"30", "40"}, {"", ""}}, 0, ""},
    };
    for (const auto& f : files) {
        SCOPED_TRACE(f.name);
        window_ = std::make_unique<BetaDiagramWindow>(toolRow("beta_diagram")); // point count 0
        fillTable({{"10", "20"}, {"30", "40"}});
        setCounts("1", "1");
        openBrokenFile(f.bytes);
        EXPECT_EQ(tableRows(3), f.rows);
        EXPECT_EQ(grid()->textMatrix(499, 1), QString::fromLatin1(f.row499));
        // The point count is the counts' sum once they were read; the boxes keep their state.
        EXPECT_EQ(window_->pointCount(), f.pointCount);
        EXPECT_EQ(text("Text1")->text(), "1");
        EXPECT_EQ(text("Text2")->text(), "1");
        EXPECT_FALSE(check("Check1")->isChecked());
        EXPECT_FALSE(grid()->isHidden());
        EXPECT_EQ(readFile(path("broken.txt")), f.bytes);
    }

    // A dip missing.
    saveRefusedTable({{"10", "20"}, {"30", ""}});
    // A folder that isn't there: said so, nothing counted.
    dialogs().reset();
    fillTable({{"10", "20"}, {"30", "40"}});
    dialogs().saveAnswers.push_back(path("no-such-folder/beta.txt"));
    click("MFileSaveData");
    ASSERT_EQ(dialogs().messages.size(), 1u);
    EXPECT_EQ(dialogs().messages[0].title, QStringLiteral("提示"));
    EXPECT_EQ(window_->pointCount(), 0);
    // A cancelled dialog does nothing.
    dialogs().reset();
    dialogs().saveAnswers.push_back(QString());
    dialogs().openAnswers.push_back(QString());
    click("MFileSaveData");
    click("MFileInputdata");
    EXPECT_TRUE(dialogs().messages.empty());
}

} // namespace
} // namespace kv
