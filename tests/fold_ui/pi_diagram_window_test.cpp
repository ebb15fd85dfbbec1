// The pi diagram window as a user drives it: the table, the poles, the fitted
// great circle and the hinge on the picture, and the attitude file read,
// written and refused.
#include "fold/ui/pi_diagram_window.h"
#include "tests/support/fold_net_window_fixture.h"

#include <QApplication>
#include <QMenu>

namespace kv {
namespace {

using namespace test;

class PiDiagramWindowTest : public FoldNetWindowTest<PiDiagramWindow> {
protected:
    PiDiagramWindowTest() : FoldNetWindowTest("pai_diagram") {}

    bool showsAnAttitude() const
    {
        for (const std::string& t : texts())
            if (t.find("∠") != std::string::npos)
                return true;
        return false;
    }
};

// One record as the attitude file holds it: each number with its sign place
// and a trailing blank, the dip in the second print zone of 14 columns.
QByteArray recordLine(const std::string& dipDirection, const std::string& dip)
{
    return QByteArray::fromStdString(" " + dipDirection + " ").leftJustified(14, ' ')
           + QByteArray::fromStdString(" " + dip + " \r\n");
}

TEST_F(PiDiagramWindowTest, OpensOnItsTable)
{
    EXPECT_EQ(window_->objectName(), "pai_diagram");
    EXPECT_EQ(window_->windowTitle(), QStringLiteral("褶皱Pi图解"));
    EXPECT_TRUE(window_->opensMaximized());
    EXPECT_TRUE(tableShown());
    // The shared items come from the window's catalogue row; its own command heads "操作(&O)".
    ASSERT_NE(item("MOperatePi"), nullptr);
    EXPECT_EQ(item("MOperatePi")->text(), QStringLiteral("Pi图解"));
    EXPECT_EQ(window_->menus().at(1)->actions().at(0), item("MOperatePi"));

    EXPECT_EQ(grid()->rows(), 500);
    EXPECT_EQ(grid()->cols(), 14);
    EXPECT_EQ(grid()->textMatrix(0, 0), QStringLiteral("序号"));
    EXPECT_EQ(grid()->textMatrix(0, 2), QStringLiteral("倾角"));
    EXPECT_NEAR(grid()->colWidthTwips(1), 1500, 15);
    EXPECT_EQ(picture()->pictureSize(), QSize(400, 300));
    EXPECT_EQ(picture()->toPixel(-150, 150), QPointF(0, 0));

    window_->resize(900, 600);
    window_->show();
    QApplication::processEvents();
    EXPECT_EQ(grid()->geometry(), QRect(0, 0, 900, 600));
    EXPECT_EQ(picture()->pos(), QPoint(250, 150));
}

TEST_F(PiDiagramWindowTest, PolesCircleAndHingeOfWhatTheTableHolds)
{
    const struct {
        const char* name;
        Beds beds;
        const char* count;
        const char* hinge; // nullptr: no hinge printed, no circle
        std::vector<Point> poles;
        Point onCircle; // a point of the red circle
    } cases[] = {
        // The pole of 090/30 plunges 60 towards 270: 100 tan 15 west of the centre.
        {"one bed defines no circle", {{"90", "30"}}, "N= 1 ", nullptr, {{-26.8, 0}}, {}},
        // Poles 360/60 (dip direction 180 plus 180 stays 360) and 180/60: the
        // circle is the north-south diameter and the hinge horizontal east-west.
        {"two beds", {{"180", "30"}, {"0", "30"}}, "N= 2 ", "90.0∠0.0", {{0, 26.8}, {0, -26.8}}, {0, 60}},
        // Row 3 is empty: row 4 is never read.
        {"the data end at an empty row", {{"90", "30"}, {"270", "30"}, {"", ""}, {"10", "10"}}, "N= 2 ",
         "180.0∠0.0", {{-26.8, 0}, {26.8, 0}}, {60, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        click("MOperateDataView");
        fillTable(c.beds);
        click("MOperatePi");
        EXPECT_TRUE(dialogs().messages.empty());
        EXPECT_TRUE(pictureShown());
        EXPECT_TRUE(shows(c.count));
        EXPECT_TRUE(shows("The hinge:"));
        EXPECT_TRUE(shows("THE PAI DIAGRAM OF FOLD"));
        // The circle runs through the poles, which stay in sight on it.
        for (const Point& p : c.poles)
            EXPECT_TRUE(inkNear(p.x, p.y, kBlack)) << p.x << " " << p.y;
        if (c.hinge) {
            EXPECT_EQ(under("The hinge:"), c.hinge);
            EXPECT_TRUE(inkNear(c.onCircle.x, c.onCircle.y, kRed));
        } else {
            EXPECT_FALSE(showsAnAttitude());
            EXPECT_LT(pixelsOf(kRed), 40); // the centre cross alone
        }
    }
    EXPECT_EQ(window_->pointCount(), 2);

    // A dip missing is reported and changes neither the view nor the count;
    // an empty first row does nothing at all.
    const struct {
        const char* name;
        Beds beds;
        size_t messages;
    } refused[] = {{"a dip missing", {{"90", "30"}, {"45", ""}}, 1}, {"an empty table", {}, 0}};
    for (const auto& r : refused) {
        SCOPED_TRACE(r.name);
        click("MOperateDataView");
        fillTable(r.beds);
        dialogs().reset();
        click("MOperatePi");
        ASSERT_EQ(dialogs().messages.size(), r.messages);
        if (r.messages) {
            EXPECT_EQ(dialogs().messages[0].text, QStringLiteral("数据有错，请检查！"));
            EXPECT_EQ(dialogs().messages[0].title, QStringLiteral("提示"));
        }
        EXPECT_TRUE(tableShown());
        EXPECT_EQ(window_->pointCount(), 2);
    }
}

TEST_F(PiDiagramWindowTest, FoldFromAFileHasItsAxisForHinge)
{
    QByteArray file;
    for (const auto& [dipDirection, dip] : bothLimbs())
        file += QByteArray::fromStdString(dipDirection + "," + dip + "\r\n");
    dialogs().openAnswers.push_back(writeFile("fold.txt", file));
    click("MFileInputdata");
    EXPECT_TRUE(dialogs().messages.empty());
    EXPECT_EQ(dialogs().openFilters, QStringList({QStringLiteral("数据文件（*.txt;*.dat）|*.txt;*.dat|所有文件（*.*）|*.*")}));
    EXPECT_TRUE(tableShown());
    Beds expected = bothLimbs();
    expected.push_back({"", ""});
    EXPECT_EQ(tableRows(25), expected);

    window_->resize(900, 600);
    click("MOperatePi");
    EXPECT_TRUE(pictureShown());
    EXPECT_TRUE(shows("N= 24 "));
    EXPECT_EQ(window_->pointCount(), 24);
    // The beds were measured round a hinge plunging 10 towards 030.
    EXPECT_LT(degreesFromAxis(under("The hinge:"), 30, 10), 2) << under("The hinge:");
    EXPECT_TRUE(inkNear(41.95, 72.66, kRed, 4)); // the X, 100 tan 40 out along 030
    EXPECT_TRUE(inkNear(-38.67, 14.84, kBlack)); // the pole of 111/45, 100 tan 22.5 out along 291
    saveShot("pi-diagram.png");

    click("MOperateDataView");
    saveShot("pi-table.png");
    const QString saved = path("saved.txt");
    dialogs().saveAnswers.push_back(saved);
    click("MFileSaveData");
    EXPECT_TRUE(dialogs().messages.empty());
    EXPECT_EQ(dialogs().saveFilters, QStringList({QStringLiteral("数据文件（*.txt）|*.txt|所有文件(*.*)|*.*")}));
    QByteArray written;
    for (const auto& [dipDirection, dip] : bothLimbs())
        written += recordLine(dipDirection, dip);
    EXPECT_EQ(readFile(saved), written);
}

TEST_F(PiDiagramWindowTest, BrokenFilesKeepTheRecordsBeforeTheFaultAndRefusedSavesChangeNothing)
{
    const QByteArray many = test::numberedRecords(500);
    const struct {
        const char* name;
        QByteArray bytes;
        Beds rows; // rows 1 to 3 afterwards
        const char* row499;
    } files[] = {
        {"a record cut short", "50,60\r\n70\r\n", {{"50", "60"}, {"", ""}, {"", ""}}, ""},
        {"a 500th record", many, {{"1", "45"}, {"2", "45"}, {"3", "45"}}, "499"},
        {"not in the system code page", "50,60\r\n\xff\xff,5\r\n", {{"10", "20"}, {"30", "40"}, {"", ""}}, ""},
    };
    for (const auto& f : files) {
        SCOPED_TRACE(f.name);
        fillTable({{"10", "20"}, {"30", "40"}});
        click("MOperatePi"); // the picture is in front when the read starts
        openBrokenFile(f.bytes);
        EXPECT_EQ(tableRows(3), f.rows);
        EXPECT_EQ(grid()->textMatrix(499, 1), QString::fromLatin1(f.row499));
        EXPECT_FALSE(grid()->isHidden());
        EXPECT_EQ(readFile(path("broken.txt")), f.bytes);
    }

    // A dip beyond a whole 16-bit number.
    saveRefusedTable({{"10", "20"}, {"30", "40000"}});
}

} // namespace
} // namespace kv
