// The petrofabric window as a user drives it: the ring-letter table, the
// thin-section file read and saved through the scripted dialogs, the options
// dialog answered through them, and both diagrams of the corrected readings.
#include "attitude/ui/petrofabric_option_dialog.h"
#include "attitude/ui/petrofabric_window.h"
#include "tests/support/attitude_net_window_fixture.h"
#include "tests/support/stand_in_plot_window.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <functional>
#include <map>
#include <memory>

namespace kv {
namespace {

class PetrofabricWindowTest : public test::AttitudeNetWindowTest {
protected:
    void SetUp() override
    {
        AttitudeNetWindowTest::SetUp();
        window = std::make_unique<PetrofabricWindow>(test::toolRow("yanzu"));
    }
    QString cell(int row, int column) const { return window->grid()->textMatrix(row, column); }
    QString row(int r) const { return cell(r, 1) + "/" + cell(r, 2) + "/" + cell(r, 3); }

    // The settings in one line: section, grains, type, arrow, stage, mineral, dip direction, dip.
    static QString summary(const PetrofabricSettings& s)
    {
        return QStringLiteral("%1|%2|%3|%4|%5|%6|%7|%8")
            .arg(QString::fromStdString(s.sectionNo))
            .arg(s.grainCount)
            .arg(QString::fromStdString(s.dataType))
            .arg(s.arrowAzimuth)
            .arg(s.stageArrowDir)
            .arg(QString::fromStdString(s.mineralName))
            .arg(s.sectionDipDir)
            .arg(s.sectionDip);
    }

    // Answers the next "选项" dialog: types the texts into its fields, picks
    // the data-type entry when given, then presses the button (or the close box).
    void answerOptions(std::map<const char*, const char*> texts, int entry, const char* button)
    {
        dialogs().execAnswers.push_back([texts, entry, button](QDialog* dialog) {
            for (const auto& [name, text] : texts)
                dialog->findChild<QLineEdit*>(QString::fromLatin1(name))->setText(QString::fromUtf8(text));
            if (entry >= 0)
                dialog->findChild<QComboBox*>(QStringLiteral("Combo1"))->setCurrentIndex(entry);
            if (QString::fromLatin1(button) == "close")
                dialog->close();
            else
                dialog->findChild<QPushButton*>(QString::fromLatin1(button))->click();
            return dialog->result();
        });
    }

    std::unique_ptr<PetrofabricWindow> window;
};

TEST_F(PetrofabricWindowTest, OpensOnItsRingLetterTableWithTheDefaultSettings)
{
    EXPECT_EQ(window->objectName(), "yanzu");
    EXPECT_EQ(window->windowTitle(), QStringLiteral("岩组"));
    EXPECT_TRUE(window->opensMaximized());
    EXPECT_TRUE(tableShown(*window));
    EXPECT_EQ(window->picture()->pictureSize(), QSize(400, 300));
    EXPECT_EQ(summary(window->settings()), QStringLiteral("无|0|O|0|0|无|0|0"));
    EXPECT_EQ(cell(0, 3), QStringLiteral("h 环或 i 环倾向"));
    EXPECT_NEAR(window->grid()->colWidthTwips(3), 2000, 15);

    EXPECT_EQ(operateItems(*window), QStringList({QStringLiteral("MOperatejimi=方位极点图"), QStringLiteral("MOperatecontour=极点等密图"),
                                    QStringLiteral("MOperateSpaceBar="), QStringLiteral("MOperatePicView=图像结果"),
                                    QStringLiteral("MOperateDataView=产状数据"), QStringLiteral("MOperateSpaceBar2="),
                                    QStringLiteral("MOperateOption=选项")}));

    // A ring letter typed in either case replaces the cell with the lower-case letter.
    window->grid()->setTextMatrix(1, 3, QStringLiteral("125"));
    window->grid()->setCurrentCell(1, 3);
    QTest::keyClicks(window->grid(), QStringLiteral("Sx"));
    EXPECT_EQ(cell(1, 3), "s");
}

TEST_F(PetrofabricWindowTest, OptionsDialogShowsTheSettingsAndOkStoresOnlyTheValidFields)
{
    PetrofabricSettings start;
    start.sectionNo = "TS-7";
    start.grainCount = 12;
    start.dataType = "C";
    start.arrowAzimuth = 15;
    start.mineralName = "石英";
    start.sectionDipDir = 100;
    start.sectionDip = 20.5f;

    // What the dialog shows when it opens, and the dialog itself.
    window->setSettings(start);
    dialogs().execAnswers.push_back([](QDialog* dialog) {
        EXPECT_EQ(dialog->objectName(), "yanzu_option");
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("选项"));
        EXPECT_EQ(dialog->size(), QSize(409, 224)); // 6135 x 3360 twips
        QStringList shown;
        for (const char* name : {"Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Text7"})
            shown << dialog->findChild<QLineEdit*>(QString::fromLatin1(name))->text();
        EXPECT_EQ(shown, QStringList({"TS-7", QStringLiteral("石英"), "12", "100", "20.5", "15", "0"}));
        EXPECT_TRUE(dialog->findChild<QLineEdit*>(QStringLiteral("Text3"))->isReadOnly());
        auto* combo = dialog->findChild<QComboBox*>(QStringLiteral("Combo1"));
        EXPECT_EQ(combo->count(), 2);
        EXPECT_EQ(combo->currentText(), QStringLiteral("解理或双晶面")); // "C" is not o
        EXPECT_EQ(dialog->findChild<QPushButton*>(QStringLiteral("Command1"))->text(), QStringLiteral("确    定"));
        EXPECT_EQ(dialog->findChild<QPushButton*>(QStringLiteral("Command2"))->text(), QStringLiteral("取    消"));
        return int(QDialog::Rejected);
    });
    click(*window, "MOperateOption");
    EXPECT_EQ(summary(window->settings()), summary(start));

    const struct {
        const char* what;
        std::map<const char*, const char*> texts;
        int entry;
        const char* button;
        const char* settings; // afterwards
    } cases[] = {
        {"untouched OK turns C into c", {}, -1, "Command1", "TS-7|12|c|15|0|石英|100|20.5"},
        {"trimmed names, blanks keep the old", {{"Text1", "  TS 8, upper "}, {"Text2", "   "}}, 0, "Command1",
         "TS 8, upper|12|o|15|0|石英|100|20.5"},
        {"empty azimuth is 0, 360 is out", {{"Text6", ""}, {"Text7", "360"}}, -1, "Command1",
         "TS-7|12|c|0|0|石英|100|20.5"},
        {"dip 90 in, 359.5 in", {{"Text5", "90"}, {"Text4", "359.5"}}, -1, "Command1", "TS-7|12|c|15|0|石英|359.5|90"},
        {"dip 90.5, 1e999 and -1 out", {{"Text5", "90.5"}, {"Text4", "1e999"}, {"Text7", "-1"}}, -1, "Command1",
         "TS-7|12|c|15|0|石英|100|20.5"},
        {"grain count never typed in", {{"Text3", "99"}, {"Text7", "30"}}, -1, "Command1",
         "TS-7|12|c|15|30|石英|100|20.5"},
        {"cancel stores nothing", {{"Text1", "X"}, {"Text6", "45"}}, 0, "Command2", "TS-7|12|C|15|0|石英|100|20.5"},
        {"close box stores nothing", {{"Text1", "X"}, {"Text6", "45"}}, 0, "close", "TS-7|12|C|15|0|石英|100|20.5"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        window->setSettings(start);
        answerOptions(c.texts, c.entry, c.button);
        click(*window, "MOperateOption");
        EXPECT_EQ(summary(window->settings()), QString::fromUtf8(c.settings));
        EXPECT_EQ(takeMessages(), QStringList());
    }
}

TEST_F(PetrofabricWindowTest, ReadCorrectDrawAndSaveAThinSection)
{
    show(*window);
    // The header promises 12 grains; four follow, one with a letter to retype.
    const QByteArray file = QByteArray("TS-7\r\n12\r\nO\r\n0\r\n0\r\n\xca\xaf\xd3\xa2\r\n 0             0 \r\n")
                            + "10,60,e\r\n10,60,n\r\n10 60 s\r\n10,60,x\r\n";
    dialogs().openAnswers.push_back(writeFile("section.txt", file));
    click(*window, "MFileInputdata");
    EXPECT_EQ(dialogs().openFilters.last(), QStringLiteral("数据文件（*.txt;*.dat）|*.txt;*.dat|所有文件（*.*）|*.*"));
    EXPECT_EQ(takeMessages(), QStringList({QStringLiteral("提示: 数据数目有误，请检查！")}));
    EXPECT_EQ(summary(window->settings()), QStringLiteral("TS-7|4|O|0|0|石英|0|0"));
    EXPECT_EQ(row(1) + " " + row(4), "10/60/e 10/60/x");
    window->grid()->setCurrentCell(4, 3);
    QTest::keyClick(window->grid(), Qt::Key_W, Qt::ShiftModifier);
    EXPECT_EQ(cell(4, 3), "w");

    // Optic axes on the lower hemisphere, each ring letter turned its own way:
    // e 260/60, n 80/30, s 260/30, w 80/60.
    click(*window, "MOperatejimi");
    EXPECT_TRUE(pictureShown(*window));
    const struct {
        const char* letter;
        double x, y;
    } dots[] = {{"e", -36.05, -6.36}, {"n", 69.64, 12.28}, {"s", -69.64, -12.28}, {"w", 36.05, 6.36}};
    for (const auto& d : dots)
        EXPECT_TRUE(inkNear(window->picture(), d.x, d.y)) << d.letter;
    EXPECT_EQ(readoutAt(window->picture(), 0, 50), QStringLiteral("产状:000.0/48.6"));

    // The stage arrow at 30 turns every reading 30 degrees back: e to 230/60.
    answerOptions({{"Text1", " TS 7, quartzite "}, {"Text7", "30"}}, -1, "Command1");
    click(*window, "MOperateOption");
    click(*window, "MOperatejimi");
    EXPECT_TRUE(inkNear(window->picture(), -28.04, -23.53));
    EXPECT_FALSE(inkNear(window->picture(), -36.05, -6.36));

    const QString saved = dir_.filePath(QStringLiteral("saved.txt"));
    dialogs().saveAnswers.push_back(saved);
    click(*window, "MFileSaveData");
    EXPECT_EQ(dialogs().saveFilters.last(), QStringLiteral("数据文件(*.txt)|*.txt|所有文件|*.*"));
    EXPECT_EQ(takeMessages(), QStringList());
    const QByteArray gap(10, ' ');
    EXPECT_EQ(readFile(saved), QByteArray("\"TS 7, quartzite\"\r\n 4 \r\no\r\n 0 \r\n 30 \r\n\xca\xaf\xd3\xa2\r\n")
                                   + " 0 " + QByteArray(11, ' ') + " 0 \r\n"
                                   + " 10 " + gap + " 60 " + gap + "e\r\n"
                                   + " 10 " + gap + " 60 " + gap + "n\r\n"
                                   + " 10 " + gap + " 60 " + gap + "s\r\n"
                                   + " 10 " + gap + " 60 " + gap + "w\r\n");

    PetrofabricWindow again(test::toolRow("yanzu"));
    dialogs().openAnswers.push_back(saved);
    click(again, "MFileInputdata");
    EXPECT_EQ(takeMessages(), QStringList());
    EXPECT_EQ(summary(again.settings()), summary(window->settings()));
    EXPECT_EQ(again.grid()->textMatrix(4, 3), "w");
}

TEST_F(PetrofabricWindowTest, AFailedReadSaysSoAndASaveThatCannotBeReadBackIsRefused)
{
    const struct {
        const char* what;
        QByteArray file;
        const char* row1; // afterwards
        const char* section;
        int grains; // the header's count once it was read
    } reads[] = {
        {"grain count not a number", "TS-9\r\nabc\r\nO\r\n0\r\n0\r\nq\r\n0 0\r\n10,60,e\r\n", "7/8/n", "TS-9", 0},
        {"grain count beyond 16 bits", "TS-9\r\n70000\r\nO\r\n0\r\n0\r\nq\r\n0 0\r\n10,60,e\r\n", "7/8/n", "TS-9", 0},
        {"not GB text", "TS-9\r\n1\r\nO\r\n0\r\n0\r\n\xff\xfe\r\n0 0\r\n", "7/8/n", "无", 0},
        {"last letter missing", "TS-9\r\n2\r\nO\r\n0\r\n0\r\nq\r\n0 0\r\n10,60,e\r\n20,30\r\n", "10/60/e", "TS-9", 2},
    };
    for (const auto& r : reads) {
        SCOPED_TRACE(r.what);
        window->setSettings({});
        window->grid()->clearColumns(1, 3);
        fillTable(window->grid(), {{"7", "8", "n"}, {"9", "10", "s"}});
        dialogs().openAnswers.push_back(writeFile("bad.txt", r.file));
        click(*window, "MFileInputdata");
        EXPECT_EQ(takeMessages(), QStringList({QStringLiteral("提示: 打开数据文件出错！")}));
        EXPECT_EQ(row(1), r.row1);
        EXPECT_EQ(QString::fromStdString(window->settings().sectionNo), QString::fromUtf8(r.section));
        EXPECT_EQ(window->settings().grainCount, r.grains);
        EXPECT_TRUE(tableShown(*window));
    }

    const QString old = writeFile("old.txt", "old\r\n");
    const struct {
        const char* what;
        const char* sectionNo;
        std::vector<std::vector<const char*>> table;
        const char* message;
    } saves[] = {
        {"ring letter missing", "TS", {{"10", "60", "e"}, {"20", "30", ""}}, "数据有误，请检查！"},
        {"comma and quote in the section", "T\"S, 9", {{"10", "60", "e"}}, "文字中不能同时有逗号和双引号，请检查！"},
    };
    for (const auto& s : saves) {
        SCOPED_TRACE(s.what);
        PetrofabricSettings settings;
        settings.sectionNo = s.sectionNo;
        window->setSettings(settings);
        window->grid()->clearColumns(1, 3);
        fillTable(window->grid(), s.table);
        dialogs().saveAnswers.push_back(old);
        click(*window, "MFileSaveData");
        EXPECT_EQ(takeMessages(), QStringList({QStringLiteral("提示: ") + QString::fromUtf8(s.message)}));
        EXPECT_EQ(readFile(old), QByteArray("old\r\n"));
    }
}

// Universal-stage readings of 120 quartz c-axes from a made-up thin section:
// seventy around 060/40 and fifty around 250/20, each ring letter in turn,
// read as the stage gives them (the corrections undone).
std::vector<std::vector<std::string>> quartzAxes()
{
    const char* const letters[] = {"n", "e", "s", "w"};
    std::vector<std::vector<std::string>> rows;
    for (int i = 0; i < 120; ++i) {
        const bool first = i < 70;
        const double trend = (first ? 60 : 250) + 22 * test::scatter(i, 37, 59);
        const double plunge = std::clamp((first ? 40 : 20) + 12 * test::scatter(i, 71, 23), 0.0, 90.0);
        const std::string letter = letters[i % 4];
        const bool southOrEast = letter == "s" || letter == "e";
        const double azimuth = std::fmod((southOrEast ? 270 : 90) - trend + 720, 360);
        const double angle = letter == "s" || letter == "n" ? 90 - plunge : plunge;
        rows.push_back({std::to_string(static_cast<int>(std::lround(azimuth))),
                        std::to_string(static_cast<int>(std::lround(angle))), letter});
    }
    return rows;
}

// Set KV_NET_SHOTS to a folder to get yanzu-scatter.png, yanzu-contour.png
// and yanzu-options.png.
TEST_F(PetrofabricWindowTest, QuartzAxesGiveContoursAroundBothClustersAndTheResultsColumn)
{
    const std::vector<std::vector<std::string>> rows = quartzAxes();
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (int c = 0; c < 3; ++c)
            window->grid()->setTextMatrix(static_cast<int>(r) + 1, c + 1, QString::fromStdString(rows[r][c]));
    PetrofabricSettings settings;
    settings.sectionNo = "KV-12";
    settings.mineralName = "石英";
    settings.sectionDipDir = 135;
    settings.sectionDip = 60;
    window->setSettings(settings);
    show(*window);

    click(*window, "MOperatejimi");
    EXPECT_EQ(window->settings().grainCount, 120);
    EXPECT_EQ(blackOutsideNet(window->picture(), 101.5), 0);
    saveShot(*window, "yanzu-scatter.png");

    click(*window, "MOperatecontour");
    EXPECT_EQ(takeMessages(), QStringList());
    const NetState& s = window->netState();
    EXPECT_GT(s.maxDensity, 4); // four or six levels: maxima at level 4
    ASSERT_FALSE(s.maxima.empty());
    // Line 060/40 lies at (50.9, 29.4) on the lower hemisphere.
    const DensityMaximum top = s.maxima.front();
    EXPECT_LT(std::hypot(top.x - 50.9, top.y - 29.4), 15) << top.x << ", " << top.y;
    EXPECT_EQ(blackOutsideNet(window->picture(), 101.5), 0);
    EXPECT_FALSE(inkNear(window->picture(), -40, 60));
    saveShot(*window, "yanzu-contour.png");

    dialogs().execAnswers.push_back([](QDialog* dialog) {
        dialog->show();
        saveShot(*dialog, "yanzu-options.png");
        return int(QDialog::Rejected);
    });
    click(*window, "MOperateOption");
}

} // namespace
} // namespace kv
