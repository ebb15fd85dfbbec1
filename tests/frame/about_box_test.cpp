#include "frame/about_box.h"
#include "kit/centre_on_frame.h"
#include "platform/ui/frame_services.h"
#include "platform/ui/key_value_source.h"
#include "platform/ui/program_launcher.h"
#include "tests/support/fake_dialogs.h"
#include "tests/support/fake_frame.h"

#include <QApplication>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <map>
#include <utility>

namespace kv {
namespace {

using test::FakeDialogs;
using test::FakeFrame;

const QString programKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString folderKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");
const QString unavailable = QStringLiteral("System Information Is Unavailable At This Time");

std::string text(const QStringList& list)
{
    return list.join(QStringLiteral(" / ")).toStdString();
}

class FakeKeyValues : public KeyValueSource {
public:
    std::map<std::pair<QString, QString>, KeyValue> values;
    QStringList asked; // "key|value" of every lookup, in order

    std::optional<KeyValue> lookup(KeyRoot root, const QString& keyPath, const QString& valueName) override
    {
        asked << keyPath + QLatin1Char('|') + valueName;
        if (root != KeyRoot::LocalMachine)
            return std::nullopt;
        const auto it = values.find({keyPath, valueName});
        if (it == values.end())
            return std::nullopt;
        return it->second;
    }
    void setText(const QString& key, const QString& value, const QByteArray& data)
    {
        values[{key, value}] = KeyValue{textValueType, data};
    }
};

class FakeLauncher : public ProgramLauncher {
public:
    QSet<QString> files;
    QSet<QString> startable;
    QStringList startsTried;

    bool fileExists(const QString& path) const override { return files.contains(path); }
    bool start(const QString& path) override
    {
        startsTried << path;
        return startable.contains(path);
    }
};

// Installs the fakes for one test and puts the real ones back after it.
class AboutBoxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        FakeDialogs::global().reset();
        previousSource_ = installKeyValueSource(&keys);
        previousLauncher_ = installProgramLauncher(&launcher);
    }
    void TearDown() override
    {
        installKeyValueSource(previousSource_);
        installProgramLauncher(previousLauncher_);
        setMainFrame(nullptr);
        FakeDialogs::global().execAnswers.clear();
    }
    FakeDialogs& fake() { return FakeDialogs::global(); }

    FakeKeyValues keys;
    FakeLauncher launcher;

private:
    KeyValueSource* previousSource_ = nullptr;
    ProgramLauncher* previousLauncher_ = nullptr;
};

TEST_F(AboutBoxTest, ShowsTheDesignedTextsAtTheirPlaces)
{
    About box;
    EXPECT_EQ(box.objectName(), QStringLiteral("About"));
    EXPECT_EQ(box.windowTitle(), QStringLiteral("关于Kavrinol"));
    EXPECT_EQ(box.size(), QSize(442, 233)); // 6630 x 3495 twips
    EXPECT_EQ(box.minimumSize(), box.maximumSize());
    EXPECT_FALSE(box.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(box.windowFlags() & Qt::WindowCloseButtonHint);

    const struct {
        const char* name;
        const char* text;
        QPoint topLeftPx;
    } labels[] = {
        {"lblTitle", "Kavrinol", {200, 16}},
        {"lblVersion", "——Version 1.0", {232, 48}},
        {"lblDescription", "构造地质学工具软件包，适于Win 98/2000/XP", {136, 96}},
        {"Label1", nullptr, {136, 120}},
        {"lblDisclaimer", nullptr, {16, 176}},
    };
    for (const auto& l : labels) {
        auto* label = box.findChild<QLabel*>(QString::fromLatin1(l.name));
        ASSERT_NE(label, nullptr) << l.name;
        if (l.text)
            EXPECT_EQ(label->text(), QString::fromUtf8(l.text)) << l.name;
        else
            EXPECT_FALSE(label->text().isEmpty()) << l.name;
        EXPECT_EQ(label->pos(), l.topLeftPx) << l.name;
    }
    const QFont title = box.findChild<QLabel*>(QStringLiteral("lblTitle"))->font();
    EXPECT_DOUBLE_EQ(title.pointSizeF(), 13.5);
    EXPECT_TRUE(title.bold() && title.italic());
    const QFont version = box.findChild<QLabel*>(QStringLiteral("lblVersion"))->font();
    EXPECT_DOUBLE_EQ(version.pointSizeF(), 9.75);
    EXPECT_TRUE(version.italic() && !version.bold());

    auto* image = box.findChild<QLabel*>(QStringLiteral("Image1"));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->pixmap().size(), QSize(129, 167));
    EXPECT_EQ(image->geometry(), QRect(8, 8, 105, 137)); // 1580 x 2055 twips at (120, 120)

    const QList<QFrame*> lines = box.findChildren<QFrame*>(QStringLiteral("Line1"));
    ASSERT_EQ(lines.size(), 2);
    for (QFrame* line : lines) {
        const bool grey = line->property("index").toInt() == 0;
        EXPECT_EQ(line->geometry(), QRect(8, 160, 432, grey ? 1 : 2));
        EXPECT_EQ(line->palette().color(QPalette::Window), grey ? QColor(128, 128, 128) : QColor(Qt::white));
    }

    auto* ok = box.findChild<QPushButton*>(QStringLiteral("cmdOK"));
    auto* sysInfo = box.findChild<QPushButton*>(QStringLiteral("cmdSysInfo"));
    ASSERT_TRUE(ok && sysInfo);
    EXPECT_EQ(ok->text(), QStringLiteral("OK"));
    EXPECT_EQ(sysInfo->text(), QStringLiteral("&System Info..."));
    EXPECT_TRUE(ok->isDefault());
    EXPECT_EQ(ok->geometry(), QRect(332, 167, 97, 23));
    EXPECT_EQ(sysInfo->geometry(), QRect(332, 197, 97, 23));
}

TEST_F(AboutBoxTest, ShowAboutBoxRunsAFreshModalBoxOverTheMainWindow)
{
    FakeFrame frame;
    frame.main.move(100, 50);
    setMainFrame(&frame);
    const QPoint innerOrigin = frame.area->viewport()->mapToGlobal(QPoint(0, 0));

    QList<QPointer<QDialog>> shown;
    for (int i = 0; i < 2; ++i) {
        fake().execAnswers.push_back([&](QDialog* dialog) {
            shown << dialog;
            EXPECT_NE(qobject_cast<About*>(dialog), nullptr);
            EXPECT_EQ(dialog->parentWidget(), &frame.main);
            EXPECT_EQ(dialog->windowModality(), Qt::ApplicationModal);
            EXPECT_EQ(dialog->pos(), innerOrigin + QPoint((800 - 442) / 2, (600 - 233) / 2));
            return int(QDialog::Accepted);
        });
        showAboutBox();
    }
    ASSERT_EQ(shown.size(), 2);
    // Each showing builds its own box and discards it when it closes.
    EXPECT_TRUE(shown[0].isNull());
    EXPECT_TRUE(shown[1].isNull());
    EXPECT_TRUE(fake().execAnswers.empty());
}

TEST_F(AboutBoxTest, OkEnterAndEscCloseTheBox)
{
    const struct {
        const char* how;
        std::function<void(QDialog*)> close;
        int result;
    } cases[] = {
        {"OK", [](QDialog* d) { d->findChild<QPushButton*>(QStringLiteral("cmdOK"))->click(); },
         QDialog::Accepted},
        {"Enter", [](QDialog* d) { QTest::keyClick(d, Qt::Key_Return); }, QDialog::Accepted},
        {"Esc", [](QDialog* d) { QTest::keyClick(d, Qt::Key_Escape); }, QDialog::Rejected},
    };
    for (const auto& c : cases) {
        int result = -1;
        bool closedByHand = false;
        fake().execAnswers.push_back([&](QDialog* dialog) {
            QTimer::singleShot(0, dialog, [&, dialog] {
                EXPECT_EQ(QApplication::activeModalWidget(), dialog);
                c.close(dialog);
                closedByHand = true;
            });
            // Safety net: a box that does not close fails the test instead of hanging.
            QTimer::singleShot(2000, dialog, [dialog] { dialog->done(-7); });
            result = dialog->exec();
            return result;
        });
        showAboutBox();
        EXPECT_TRUE(closedByHand) << c.how;
        EXPECT_EQ(result, c.result) << c.how;
    }
}

TEST_F(AboutBoxTest, FocusedSystemInfoButtonTakesEnter)
{
    bool stayedOpen = false;
    fake().execAnswers.push_back([&](QDialog* dialog) {
        QTimer::singleShot(0, dialog, [&, dialog] {
            auto* sysInfo = dialog->findChild<QPushButton*>(QStringLiteral("cmdSysInfo"));
            sysInfo->setFocus();
            QTest::keyClick(sysInfo, Qt::Key_Return);
            stayedOpen = dialog->isVisible();
            dialog->done(QDialog::Accepted);
        });
        QTimer::singleShot(2000, dialog, [dialog] { dialog->done(-7); });
        return dialog->exec();
    });
    showAboutBox();
    EXPECT_TRUE(stayedOpen) << "Enter on the focused button does not close the box";
    ASSERT_EQ(fake().messages.size(), 1u) << "the system-information lookup ran";
}

struct LookupCase {
    const char* what;
    bool programValue;   // the first value is there
    bool programStarts;  // ... and the program it names starts
    bool folderValue;    // the second value is there
    bool programInFolder; // the folder holds MSINFO32.EXE (which starts)
    QStringList expectedAsked;
    QStringList expectedTried;
    bool expectStarted;
};

TEST_F(AboutBoxTest, SystemInfoLooksUpTheProgramInOrder)
{
    const QString program = QStringLiteral("C:\\Tools\\msinfo32.exe");
    const QString folder = QStringLiteral("C:\\Shared\\MSInfo");
    const QString inFolder = folder + QStringLiteral("\\MSINFO32.EXE");
    const QString first = programKey + QStringLiteral("|PATH");
    const QString second = folderKey + QStringLiteral("|MSINFO");

    const LookupCase cases[] = {
        {"first value names a program that starts", true, true, false, false, {first}, {program}, true},
        {"first value found, program will not start", true, false, true, true, {first}, {program}, false},
        {"second value names a folder with the program", false, false, true, true, {first, second}, {inFolder},
         true},
        {"second value names a folder without the program", false, false, true, false, {first, second}, {},
         false},
        {"neither value", false, false, false, false, {first, second}, {}, false},
    };
    for (const LookupCase& c : cases) {
        keys.values.clear();
        keys.asked.clear();
        launcher = FakeLauncher();
        fake().reset();
        if (c.programValue)
            keys.setText(programKey, QStringLiteral("PATH"), program.toUtf8());
        if (c.programStarts)
            launcher.startable << program;
        if (c.folderValue)
            keys.setText(folderKey, QStringLiteral("MSINFO"), folder.toUtf8() + QByteArray(1, '\0'));
        if (c.programInFolder) {
            launcher.files << inFolder;
            launcher.startable << inFolder;
        }

        About box;
        box.show();
        box.findChild<QPushButton*>(QStringLiteral("cmdSysInfo"))->click();

        EXPECT_EQ(text(keys.asked), text(c.expectedAsked)) << c.what;
        EXPECT_EQ(text(launcher.startsTried), text(c.expectedTried)) << c.what;
        if (c.expectStarted) {
            EXPECT_TRUE(fake().messages.empty()) << c.what;
        } else {
            ASSERT_EQ(fake().messages.size(), 1u) << c.what;
            EXPECT_EQ(fake().messages[0].text, unavailable);
            EXPECT_EQ(fake().messages[0].title, QStringLiteral("Kavrinol"));
        }
        EXPECT_TRUE(box.isVisible()) << c.what << ": the box stays open";
    }
}

TEST_F(AboutBoxTest, EachClickWithoutTheProgramShowsTheMessageAgain)
{
    About box;
    auto* sysInfo = box.findChild<QPushButton*>(QStringLiteral("cmdSysInfo"));
    sysInfo->click();
    sysInfo->click();
    ASSERT_EQ(fake().messages.size(), 2u);
    EXPECT_EQ(fake().messages[1].text, unavailable);
}

TEST_F(AboutBoxTest, SystemInfoWithNoSettingsStoreSaysItIsUnavailable)
{
    installKeyValueSource(nullptr); // this system's own store: it holds nothing
    About box;
    box.StartSysInfo();
    ASSERT_EQ(fake().messages.size(), 1u);
    EXPECT_EQ(fake().messages[0].text, unavailable);
    EXPECT_TRUE(launcher.startsTried.isEmpty());
}

TEST_F(AboutBoxTest, GetKeyValueReadsTextNumbersAndOtherTypes)
{
    const QString key = QStringLiteral("SOFTWARE\\Test");
    const struct {
        const char* what;
        std::optional<KeyValue> stored;
        bool found;
        QString expected; // output was "before" on entry
    } cases[] = {
        {"text cut at its first zero", KeyValue{1, QByteArray("C:\\a\\b\0junk\0", 12)}, true,
         QStringLiteral("C:\\a\\b")},
        {"text without a zero", KeyValue{1, QByteArray("plain")}, true, QStringLiteral("plain")},
        {"Chinese text", KeyValue{1, QStringLiteral("构造地质").toUtf8()}, true, QStringLiteral("构造地质")},
        {"empty text", KeyValue{1, QByteArray(1, '\0')}, true, QString()},
        {"number, low byte first", KeyValue{4, QByteArray("\x01\x04\x00\x00", 4)}, true, QStringLiteral("&h401")},
        {"number with all bytes used", KeyValue{4, QByteArray("\xEF\xBE\xAD\xDE", 4)}, true,
         QStringLiteral("&hDEADBEEF")},
        {"number zero", KeyValue{4, QByteArray(4, '\0')}, true, QStringLiteral("&h0")},
        {"other type leaves the output", KeyValue{3, QByteArray("\x01\x02", 2)}, true, QStringLiteral("before")},
        {"missing value", std::nullopt, false, QString()},
        {"value longer than the buffer", KeyValue{1, QByteArray(1025, 'x')}, false, QString()},
    };
    for (const auto& c : cases) {
        keys.values.clear();
        if (c.stored)
            keys.values[{key, QStringLiteral("V")}] = *c.stored;
        QString output = QStringLiteral("before");
        EXPECT_EQ(About::GetKeyValue(KeyRoot::LocalMachine, key, QStringLiteral("V"), output), c.found) << c.what;
        EXPECT_EQ(output, c.expected) << c.what;
    }
    // Another root is another store: nothing there.
    keys.values[{key, QStringLiteral("V")}] = KeyValue{1, QByteArray("x")};
    QString output = QStringLiteral("before");
    EXPECT_FALSE(About::GetKeyValue(KeyRoot::CurrentUser, key, QStringLiteral("V"), output));
    EXPECT_TRUE(output.isEmpty());
}

TEST(CentreOnFrame, HalvesTheDifferenceEachWay)
{
    const struct {
        QSize inner, outer;
        QPoint expected;
    } cases[] = {
        {{800, 600}, {442, 233}, {179, 183}},
        {{801, 601}, {442, 233}, {179, 184}},
        {{300, 200}, {442, 233}, {-71, -17}}, // larger than the area: it sticks out on both sides
        {{442, 233}, {442, 233}, {0, 0}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(centredPosition(c.inner, c.outer), c.expected) << c.inner.width() << "x" << c.inner.height();
}

TEST(CentreOnFrame, ChildWindowIsPlacedInTheInnerArea)
{
    FakeFrame frame;
    frame.inner = QSize(700, 500);
    setMainFrame(&frame);
    auto* tool = new QWidget;
    tool->setFixedSize(300, 200);
    QMdiSubWindow* sub = frame.area->addSubWindow(tool);
    sub->resize(310, 230);
    centreOnFrame(tool);
    EXPECT_EQ(sub->pos(), QPoint((700 - 310) / 2, (500 - 230) / 2));
    setMainFrame(nullptr);
}

TEST(CentreOnFrame, DoesNothingWithoutAMainWindow)
{
    setMainFrame(nullptr);
    QWidget w;
    w.move(12, 34);
    centreOnFrame(&w);
    EXPECT_EQ(w.pos(), QPoint(12, 34));
}

TEST(RealProgramLauncher, TellsFilesFromFoldersAndRefusesWhatCannotStart)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("MSINFO32.EXE"));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();

    ProgramLauncher& real = programLauncher();
    EXPECT_TRUE(real.fileExists(file));
    EXPECT_FALSE(real.fileExists(dir.path()));
    EXPECT_FALSE(real.fileExists(dir.filePath(QStringLiteral("missing.exe"))));
    EXPECT_FALSE(real.fileExists(QString()));
    EXPECT_FALSE(real.start(QString()));
    EXPECT_FALSE(real.start(dir.filePath(QStringLiteral("missing.exe"))));
    EXPECT_FALSE(real.start(file)); // not executable
}

} // namespace
} // namespace kv
