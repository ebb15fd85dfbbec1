#include "kit/attitude_list_file.h"

#include "platform/ui/data_grid.h"
#include "tests/support/fake_dialogs.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <random>

using kv::DataGrid;
using kv::test::FakeDialogs;

namespace {

const QString readFault = QStringLiteral("数据有误,请检查！");
const QString writeFault = QStringLiteral("数据有误，请检查！");
const QString promptTitle = QStringLiteral("提示");

class AttitudeListFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        dialogs().reset();
        ASSERT_TRUE(dir.isValid());
        window.resize(400, 300);
        grid = new DataGrid(&window);
        grid->setup(500, 4);
        grid->setTextMatrix(0, 0, QStringLiteral("序号"));
        grid->setTextMatrix(0, 1, QStringLiteral("倾向"));
        grid->setTextMatrix(0, 2, QStringLiteral("倾角"));
        grid->numberRows();
        window.show();
    }

    static FakeDialogs& dialogs() { return FakeDialogs::global(); }
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

    static void writeBytes(const QString& p, const QByteArray& bytes)
    {
        QFile f(p);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    static QByteArray readBytes(const QString& p)
    {
        QFile f(p);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << p.toStdString();
        return f.readAll();
    }

    void fill(const std::vector<std::pair<QString, QString>>& rows)
    {
        for (std::size_t i = 0; i < rows.size(); ++i) {
            grid->setTextMatrix(int(i) + 1, 1, rows[i].first);
            grid->setTextMatrix(int(i) + 1, 2, rows[i].second);
        }
    }
    QStringList column(int col) const
    {
        QStringList out;
        for (int r = 1; r < grid->rows(); ++r)
            out << grid->textMatrix(r, col);
        return out;
    }
    // The filled part of a column, up to its last non-empty row.
    QStringList filled(int col) const
    {
        QStringList out = column(col);
        while (!out.isEmpty() && out.last().isEmpty())
            out.removeLast();
        return out;
    }

    void save(const QString& p)
    {
        dialogs().saveAnswers.push_back(p);
        kv::writeAttitudeListFile(&window, grid);
    }
    void load(const QString& p)
    {
        dialogs().openAnswers.push_back(p);
        kv::readAttitudeListFile(&window, grid);
        // Whatever happened, the table is back and the pointer is normal.
        EXPECT_FALSE(grid->isHidden());
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(grid->rows(), 500);
        EXPECT_EQ(grid->textMatrix(0, 1), QStringLiteral("倾向"));
        EXPECT_EQ(grid->textMatrix(499, 0), QStringLiteral("499"));
    }
    void expectMessages(const QStringList& texts) const
    {
        QStringList got;
        for (const FakeDialogs::Message& m : dialogs().messages) {
            got << m.text;
            EXPECT_EQ(m.title, promptTitle);
        }
        EXPECT_EQ(got, texts);
    }

    QTemporaryDir dir;
    QWidget window;
    DataGrid* grid = nullptr;
};

} // namespace

TEST_F(AttitudeListFile, WritesOneRecordPerLineInPrintZones)
{
    fill({{"135", "45"}, {"-5", "30"}, {"0.25", "44.5"}, {"1 0", "abc"}, {" ", "45.5"}});
    save(path("a.txt"));
    EXPECT_EQ(dialogs().saveFilters, QStringList{QStringLiteral("数据文件(*.txt)|*.txt|所有文件|*.*")});
    expectMessages({});
    EXPECT_EQ(readBytes(path("a.txt")), QByteArray(" 135           45 \r\n"
                                                   "-5             30 \r\n"
                                                   " .25           44 \r\n"
                                                   " 10            0 \r\n"
                                                   " 0             46 \r\n"));
}

TEST_F(AttitudeListFile, AnEmptyTableGivesAnEmptyFile)
{
    writeBytes(path("e.txt"), "old\r\n");
    grid->setTextMatrix(2, 1, QStringLiteral("135")); // after the end of the records
    grid->setTextMatrix(2, 2, QStringLiteral("45"));
    save(path("e.txt"));
    expectMessages({});
    EXPECT_EQ(readBytes(path("e.txt")), QByteArray());
}

TEST_F(AttitudeListFile, AFullTableIsWrittenInFull)
{
    for (int r = 1; r < 500; ++r) {
        grid->setTextMatrix(r, 1, QString::number(r));
        grid->setTextMatrix(r, 2, QStringLiteral("10"));
    }
    save(path("full.txt"));
    expectMessages({});
    EXPECT_EQ(readBytes(path("full.txt")).count("\r\n"), 499);
}

TEST_F(AttitudeListFile, ABadRowLeavesTheOldFileAsItWas)
{
    struct Case {
        const char* name;
        QString dipDirection;
        QString dip;
    };
    const Case cases[] = {
        {"missing dip", QStringLiteral("200"), QString()},
        {"dip beyond 16 bits", QStringLiteral("200"), QStringLiteral("40000")},
        {"dip direction beyond single precision", QStringLiteral("1e39"), QStringLiteral("45")},
    };
    for (const Case& c : cases) {
        dialogs().reset();
        writeBytes(path("old.txt"), "old file\r\n");
        fill({{"135", "45"}, {"136", "46"}, {"137", "47"}, {c.dipDirection, c.dip}});
        save(path("old.txt"));
        expectMessages({writeFault});
        EXPECT_EQ(readBytes(path("old.txt")), QByteArray("old file\r\n")) << c.name;

        save(path("new.txt"));
        EXPECT_FALSE(QFile::exists(path("new.txt"))) << c.name;
    }
}

TEST_F(AttitudeListFile, CancelledDialogsDoNothing)
{
    fill({{"135", "45"}});
    save(QString());
    load(QString());
    expectMessages({});
    EXPECT_EQ(filled(1), QStringList{QStringLiteral("135")});
}

TEST_F(AttitudeListFile, AFileThatCannotBeWrittenIsReported)
{
    fill({{"135", "45"}});
    save(dir.filePath(QStringLiteral("no such folder/a.txt")));
    ASSERT_EQ(dialogs().messages.size(), 1u);
    EXPECT_EQ(dialogs().messages[0].title, promptTitle);
    EXPECT_NE(dialogs().messages[0].text, writeFault);
    EXPECT_FALSE(dialogs().messages[0].text.isEmpty());
}

TEST_F(AttitudeListFile, ReadsRecordsItemByItem)
{
    // Line ends of every kind, blanks, commas, quotes, a GB2312 text item and
    // empty lines at the end.
    writeBytes(path("r.txt"), "135,45\r\n 200 30\n\"a,b\", 012\r10\r\n.5\r\n1E2 , \xd7\xdf\xcf\xf2\r\n\r\n\r\n");
    for (int r = 1; r < 10; ++r) {
        grid->setTextMatrix(r, 1, QStringLiteral("x"));
        grid->setTextMatrix(r, 2, QStringLiteral("y"));
        grid->setTextMatrix(r, 3, QStringLiteral("kept"));
    }
    load(path("r.txt"));
    EXPECT_EQ(dialogs().openFilters,
              QStringList{QStringLiteral("数据文件（*.txt;*.dat）|*.txt;*.dat|所有文件（*.*）|*.*")});
    expectMessages({});
    EXPECT_EQ(filled(1), (QStringList{"135", "200", "a,b", "10", "100"}));
    EXPECT_EQ(filled(2), (QStringList{"45", "30", "12", "0.5", QStringLiteral("走向")}));
    EXPECT_EQ(grid->textMatrix(9, 3), QStringLiteral("kept"));
}

TEST_F(AttitudeListFile, FaultsKeepTheRecordsBeforeThem)
{
    struct Case {
        const char* name;
        QByteArray bytes;
        QStringList dipDirections;
        QStringList dips;
        QStringList messages;
    };
    const Case cases[] = {
        {"record cut short", "135,45\r\n200,30\r\n10\r\n", {"135", "200"}, {"45", "30"}, {readFault}},
        {"one item per line", "1\r\n2\r\n3\r\n4\r\n", {"1", "3"}, {"2", "4"}, {}},
        {"odd items one per line", "1\r\n2\r\n3\r\n", {"1"}, {"2"}, {readFault}},
        {"empty file", "", {}, {}, {}},
        {"blank lines only", "\r\n  \r\n", {}, {}, {}},
    };
    for (const Case& c : cases) {
        dialogs().reset();
        fill(std::vector<std::pair<QString, QString>>(9, {"x", "y"}));
        writeBytes(path("f.txt"), c.bytes);
        load(path("f.txt"));
        expectMessages(c.messages);
        EXPECT_EQ(filled(1), c.dipDirections) << c.name;
        EXPECT_EQ(filled(2), c.dips) << c.name;
    }
}

TEST_F(AttitudeListFile, NoMoreThan499Records)
{
    QByteArray many;
    for (int i = 1; i <= 500; ++i)
        many += QByteArray::number(i) + ",45\r\n";
    writeBytes(path("500.txt"), many);
    load(path("500.txt"));
    expectMessages({readFault});
    EXPECT_EQ(filled(1).size(), 499);
    EXPECT_EQ(grid->textMatrix(499, 1), QStringLiteral("499"));

    dialogs().reset();
    many.chop(QByteArray("500,45\r\n").size());
    writeBytes(path("499.txt"), many);
    load(path("499.txt"));
    expectMessages({});
    EXPECT_EQ(filled(1).size(), 499);
}

TEST_F(AttitudeListFile, AnUnreadableFileKeepsTheTable)
{
    struct Case {
        const char* name;
        QString path;
    };
    writeBytes(path("bad.txt"), "135,45\r\n\x81\x20,30\r\n"); // not GB2312 text
    writeBytes(path("cut.txt"), "135,45\r\n\xd7");            // a character cut off
    const Case cases[] = {
        {"missing", path("missing.txt")},
        {"folder", dir.path()},
        {"bad encoding", path("bad.txt")},
        {"cut character", path("cut.txt")},
    };
    for (const Case& c : cases) {
        dialogs().reset();
        fill({{"135", "45"}, {"7", "8"}});
        load(c.path);
        expectMessages({readFault});
        EXPECT_EQ(filled(1), (QStringList{"135", "7"})) << c.name;
        EXPECT_EQ(filled(2), (QStringList{"45", "8"})) << c.name;
    }
}

TEST_F(AttitudeListFile, RandomBytesNeverBreakTheTable)
{
    std::mt19937 rng(20240611);
    const QByteArray plain = "0123456789,. \r\n\"-+eEdD&HOabc";
    for (int round = 0; round < 200; ++round) {
        dialogs().reset();
        QByteArray bytes;
        const int size = int(rng() % 3000);
        const bool anyByte = round % 2 == 0;
        for (int i = 0; i < size; ++i)
            bytes += anyByte ? char(rng() % 256) : plain[int(rng() % plain.size())];
        writeBytes(path("rand.txt"), bytes);
        load(path("rand.txt"));
        EXPECT_LE(dialogs().messages.size(), 1u);
    }
}

TEST_F(AttitudeListFile, WrittenFilesReadBackAsTheSameTexts)
{
    fill({{"135", "45"}, {"0.5", "30"}, {"-5", "0"}, {"359.75", "90"}, {"1E2", "12"}});
    save(path("trip.txt"));
    grid->clearColumns(1, 2);
    load(path("trip.txt"));
    expectMessages({});
    EXPECT_EQ(filled(1), (QStringList{"135", "0.5", "-5", "359.75", "100"}));
    EXPECT_EQ(filled(2), (QStringList{"45", "30", "0", "90", "12"}));
}
