// The preferred-orientation window as a user drives it: the type strip, the
// orientation file read and saved through the scripted dialogs, both diagrams
// on the net, and the attitude under the pointer in panel 3.
#include "attitude/ui/preferred_orientation_window.h"
#include "tests/support/attitude_net_window_fixture.h"
#include "tests/support/stand_in_plot_window.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <memory>

namespace kv {
namespace {

using test::kBlack;
using test::kRed;

class PreferredOrientationWindowTest : public test::AttitudeNetWindowTest {
protected:
    void SetUp() override
    {
        AttitudeNetWindowTest::SetUp();
        window = std::make_unique<PreferredOrientationWindow>(test::toolRow("joint"));
    }
    template <class T> T* control(const char* name) const
    {
        T* c = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
    QString description() const { return control<QLineEdit>("Text1")->text(); }
    QString cell(int row, int column) const { return window->grid()->textMatrix(row, column); }

    std::unique_ptr<PreferredOrientationWindow> window;
};

TEST_F(PreferredOrientationWindowTest, OpensOnItsTableUnderTheTypeStripWithNoTypeChosen)
{
    EXPECT_EQ(window->objectName(), "joint");
    EXPECT_EQ(window->windowTitle(), QStringLiteral("产状优势方位"));
    EXPECT_TRUE(window->opensMaximized());
    EXPECT_TRUE(tableShown(*window));

    QFrame* strip = control<QFrame>("Frame1");
    ASSERT_NE(strip, nullptr);
    EXPECT_EQ(strip->height(), 49); // 735 twips
    EXPECT_EQ(control<QLabel>("Label1")->text(), QStringLiteral("产状类型："));
    EXPECT_EQ(control<QLabel>("Label2")->text(), QStringLiteral("说明："));
    EXPECT_EQ(control<QRadioButton>("Option1")->text(), QStringLiteral("面理"));
    EXPECT_EQ(control<QRadioButton>("Option2")->text(), QStringLiteral("线理"));
    EXPECT_FALSE(control<QRadioButton>("Option1")->isChecked());
    EXPECT_FALSE(control<QRadioButton>("Option2")->isChecked());
    EXPECT_EQ(description(), QStringLiteral("说明文字（如时间或地点等）"));
    EXPECT_EQ(control<QLineEdit>("Text1")->geometry(), QRect(280, 16, 369, 25));
    EXPECT_EQ(window->dataType(), "");

    EXPECT_EQ(window->picture()->pictureSize(), QSize(400, 300));
    EXPECT_EQ(window->picture()->toPixel(0, 0), QPointF(150, 150));
    EXPECT_EQ(window->grid()->rows(), 500);
    EXPECT_EQ(window->grid()->cols(), 26);
    EXPECT_EQ(cell(0, 0) + cell(0, 1) + cell(0, 2), QStringLiteral("序号倾向倾角"));
    EXPECT_EQ(cell(499, 0), "499");

    // The Operate menu: the two diagrams, a separator, the two views.
    EXPECT_EQ(operateItems(*window), QStringList({QStringLiteral("MOperatejimi=方位极点图"), QStringLiteral("MOperatecontour=极点等密图"),
                                    QStringLiteral("MOperateSpaceBar="), QStringLiteral("MOperatePicView=图片结果"),
                                    QStringLiteral("MOperateDataView=产状数据")}));

    // Strip above, table below it; the picture centred in the whole window.
    show(*window); // 700 x 500
    EXPECT_EQ(strip->geometry(), QRect(0, 0, 700, 49));
    EXPECT_EQ(window->grid()->geometry(), QRect(0, 49, 700, 451));
    EXPECT_EQ(window->picture()->pos(), QPoint(150, 100));
}

TEST_F(PreferredOrientationWindowTest, ReadDrawPointAndSaveTheSameFileBack)
{
    show(*window);
    // A quoted description holding a comma; the type in lower case.
    const QByteArray file = "\"Site 4, 2021\"\r\nl\r\n45,30\r\n0 90\r\n200, 10\r\n";
    dialogs().openAnswers.push_back(writeFile("lines.txt", file));
    click(*window, "MFileInputdata");
    EXPECT_EQ(dialogs().openFilters, QStringList({QStringLiteral("数据文件（*.txt;*.dat）|*.txt;*.dat")}));
    EXPECT_EQ(takeMessages(), QStringList());
    EXPECT_EQ(description(), "Site 4, 2021");
    EXPECT_TRUE(control<QRadioButton>("Option2")->isChecked());
    EXPECT_EQ(window->dataType(), "L");
    EXPECT_EQ(cell(1, 1) + "/" + cell(1, 2) + " " + cell(3, 1) + "/" + cell(3, 2), "45/30 200/10");
    EXPECT_TRUE(tableShown(*window));

    // Lines: 45/30 at (50, 50), the vertical line 0/90 at the centre.
    click(*window, "MOperatejimi");
    EXPECT_TRUE(pictureShown(*window));
    EXPECT_FALSE(control<QFrame>("Frame1")->isHidden());
    EXPECT_TRUE(inkNear(window->picture(), 50, 50));
    EXPECT_EQ(window->picture()->point(0, 100), kBlack); // the primitive circle
    EXPECT_TRUE(inkNear(window->picture(), 4, 0, kRed));  // the centre cross
    EXPECT_EQ(window->netState().pointCount, 3);

    // The readout follows the type: lines, then planes after Option1.
    EXPECT_EQ(readoutAt(window->picture(), 0, 50), QStringLiteral("产状:000.0/48.6"));
    control<QRadioButton>("Option1")->click();
    EXPECT_EQ(window->dataType(), "P");
    EXPECT_EQ(readoutAt(window->picture(), 0, 50), QStringLiteral("产状:000.0/41.4"));
    EXPECT_EQ(readoutAt(window->picture(), -30, -40), QStringLiteral("产状:216.9/41.4"));
    EXPECT_EQ(readoutAt(window->picture(), 120, 0), QStringLiteral("产状:"));

    // Planes: the pole of 0/90 on the north rim, redrawn from the same table.
    click(*window, "MOperatejimi");
    EXPECT_TRUE(inkNear(window->picture(), 0, 99));
    EXPECT_FALSE(inkNear(window->picture(), 50, 50));

    const QString saved = dir_.filePath(QStringLiteral("saved.txt"));
    dialogs().saveAnswers.push_back(saved);
    click(*window, "MFileSaveData");
    EXPECT_EQ(takeMessages(), QStringList());
    EXPECT_EQ(readFile(saved), QByteArray("\"Site 4, 2021\"\r\nP\r\n") //
                                   + " 45 " + QByteArray(10, ' ') + " 30 \r\n"
                                   + " 0 " + QByteArray(11, ' ') + " 90 \r\n"
                                   + " 200 " + QByteArray(9, ' ') + " 10 \r\n");

    // Read back into a fresh window: the same description, type and table.
    PreferredOrientationWindow again(test::toolRow("joint"));
    dialogs().openAnswers.push_back(saved);
    click(again, "MFileInputdata");
    EXPECT_EQ(takeMessages(), QStringList());
    EXPECT_EQ(again.findChild<QLineEdit*>("Text1")->text(), "Site 4, 2021");
    EXPECT_EQ(again.dataType(), "P");
    EXPECT_EQ(again.grid()->textMatrix(2, 1), "0");
    EXPECT_EQ(again.grid()->textMatrix(3, 2), "10");
}

TEST_F(PreferredOrientationWindowTest, AFailedReadSaysWhyAndKeepsWhatItMust)
{
    const struct {
        const char* what;
        QByteArray file;
        const char* message;
        const char* row1; // row 1 afterwards, "dip direction/dip"
        const char* row2;
    } cases[] = {
        {"unknown type", "Site\r\nx\r\n10,20\r\n", "数据类型说明有误！", "7/8", "9/10"},
        {"plain attitude list", "135,45\r\n20,30\r\n", "数据类型说明有误！", "7/8", "9/10"},
        {"empty file", "", "数据文件出错！", "7/8", "9/10"},
        {"not GB text", "Site\r\nP\r\n\xff\xfe\xff,20\r\n", "数据文件出错！", "7/8", "9/10"},
        {"last record cut", "Site\r\nP\r\n10,20\r\n30\r\n", "数据文件出错！", "10/20", "/"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fillTable(window->grid(), {{"7", "8"}, {"9", "10"}});
        control<QRadioButton>("Option2")->click();
        control<QLineEdit>("Text1")->setText(QStringLiteral("before"));
        click(*window, "MOperatejimi");
        ASSERT_TRUE(pictureShown(*window));
        takeMessages();

        dialogs().openAnswers.push_back(writeFile("bad.txt", c.file));
        click(*window, "MFileInputdata");
        EXPECT_EQ(takeMessages(), QStringList({QStringLiteral("提示: ") + QString::fromUtf8(c.message)}));
        EXPECT_EQ(cell(1, 1) + "/" + cell(1, 2), c.row1);
        EXPECT_EQ(cell(2, 1) + "/" + cell(2, 2), c.row2);
        // Neither the description nor the type comes from a file that failed.
        EXPECT_EQ(description(), "before");
        EXPECT_EQ(window->dataType(), "L");
        EXPECT_TRUE(control<QRadioButton>("Option2")->isChecked());
        // Records were read in: the table comes back to the front; else the view stays.
        const bool recordsRead = QByteArray(c.row1) == "10/20";
        EXPECT_EQ(tableShown(*window), recordsRead);
    }
}

TEST_F(PreferredOrientationWindowTest, ASaveThatCannotBeReadBackLeavesTheOldFileWhole)
{
    const struct {
        const char* what;
        std::vector<std::vector<const char*>> table;
        const char* description;
        bool intoMissingFolder;
        const char* message;
    } cases[] = {
        {"row without a dip", {{"10", "20"}, {"30", ""}}, "Site", false, "数据有误，请检查！"},
        {"dip beyond 16 bits", {{"10", "40000"}}, "Site", false, "数据有误，请检查！"},
        {"comma and quote", {{"10", "20"}}, "a \"b\", c", false, "数据文件出错！"},
        {"folder missing", {{"10", "20"}}, "Site", true, "数据文件出错！"},
    };
    const QString old = writeFile("old.txt", "Old\r\nP\r\n 1 \r\n");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        window->grid()->clearColumns(1, 2);
        fillTable(window->grid(), c.table);
        control<QLineEdit>("Text1")->setText(QString::fromUtf8(c.description));
        dialogs().saveAnswers.push_back(c.intoMissingFolder ? dir_.filePath(QStringLiteral("none/old.txt")) : old);
        click(*window, "MFileSaveData");
        EXPECT_EQ(dialogs().saveFilters.last(), QStringLiteral("数据文件(*.txt)|*.txt|所有文件|*.*"));
        EXPECT_EQ(takeMessages(), QStringList({QStringLiteral("提示: ") + QString::fromUtf8(c.message)}));
        EXPECT_EQ(readFile(old), QByteArray("Old\r\nP\r\n 1 \r\n"));
    }
}

TEST_F(PreferredOrientationWindowTest, ABadRecordStopsBothDiagramsAtItsCell)
{
    for (const char* command : {"MOperatejimi", "MOperatecontour"}) {
        SCOPED_TRACE(command);
        window->grid()->clearColumns(1, 2);
        click(*window, "MOperateDataView");
        // An empty table: nothing said, nothing drawn.
        click(*window, command);
        EXPECT_EQ(takeMessages(), QStringList());
        EXPECT_TRUE(tableShown(*window));

        fillTable(window->grid(), {{"10", "20"}, {"30", ""}, {"50", "60"}});
        click(*window, command);
        EXPECT_EQ(takeMessages(), QStringList({QStringLiteral("提示: 数据有误，请检查！")}));
        EXPECT_TRUE(tableShown(*window));
        EXPECT_EQ(window->grid()->row(), 2);
        EXPECT_EQ(window->grid()->col(), 2);
    }
}

// Two sets of a hundred joints each: one dipping steeply south-east, one
// almost vertical and striking north-west, so that its poles reach the rim.
std::vector<std::vector<std::string>> twoJointSets()
{
    std::vector<std::vector<std::string>> rows;
    for (int i = 0; i < 100; ++i) {
        rows.push_back({std::to_string(static_cast<int>(std::lround(120 + 30 * test::scatter(i, 37, 59)))),
                        std::to_string(static_cast<int>(std::lround(70 + 12 * test::scatter(i, 71, 23))))});
        rows.push_back({std::to_string(static_cast<int>(std::lround(360 + 30 + 25 * test::scatter(i, 43, 89)) % 360)),
                        std::to_string(static_cast<int>(std::lround(83 + 7 * test::scatter(i, 97, 31))))});
    }
    return rows;
}

// Set KV_NET_SHOTS to a folder to get the window as the user sees it:
// joint-table.png, joint-scatter.png, joint-contour.png.
TEST_F(PreferredOrientationWindowTest, TwoJointSetsGiveClosedContoursAroundTheirPoles)
{
    const std::vector<std::vector<std::string>> rows = twoJointSets();
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (int c = 0; c < 2; ++c)
            window->grid()->setTextMatrix(static_cast<int>(r) + 1, c + 1, QString::fromStdString(rows[r][c]));
    control<QRadioButton>("Option1")->click();
    control<QLineEdit>("Text1")->setText(QStringLiteral("东山采石场 2021"));
    show(*window);
    saveShot(*window, "joint-table.png");

    click(*window, "MOperatejimi");
    EXPECT_EQ(window->netState().pointCount, 200);
    EXPECT_EQ(blackOutsideNet(window->picture(), 101.5), 0);
    saveShot(*window, "joint-scatter.png");

    click(*window, "MOperatecontour");
    EXPECT_EQ(takeMessages(), QStringList());
    EXPECT_TRUE(pictureShown(*window));
    const NetState& s = window->netState();
    EXPECT_GT(s.maxDensity, 12); // six levels
    // The poles: 120/70 at (70.2, -40.6), 30/82 near the rim at (46.7, 80.9).
    ASSERT_FALSE(s.maxima.empty());
    const DensityMaximum top = s.maxima.front();
    const double toFirst = std::hypot(top.x - 70.2, top.y + 40.6);
    const double toSecond = std::hypot(top.x - 46.7, top.y - 80.9);
    EXPECT_LT(std::min(toFirst, toSecond), 15) << top.x << ", " << top.y;
    // Contour ink stays inside the net; far from both sets there is none.
    EXPECT_EQ(blackOutsideNet(window->picture(), 101.5), 0);
    EXPECT_FALSE(inkNear(window->picture(), -50, -20));
    EXPECT_EQ(readoutAt(window->picture(), -30, -40), QStringLiteral("产状:216.9/41.4"));
    saveShot(*window, "joint-contour.png");
}

} // namespace
} // namespace kv
