// Driving a fold-diagram window as a user does: its table, its menu items by
// name, files through the scripted dialogs, and the diagram it shows, read as
// texts (the window keeps the items it drew) or as pixels of the picture.
#pragma once

#include "platform/draw/drawing.h"
#include "platform/ui/data_grid.h"
#include "platform/ui/picture_box.h"
#include "tests/support/fake_dialogs.h"
#include "tests/support/stand_in_plot_window.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace kv::test {

using Beds = std::vector<std::pair<std::string, std::string>>;

// Colours as PictureBox::point gives them: red in the low byte.
constexpr std::int64_t kBlack = 0x000000;
constexpr std::int64_t kRed = 0x0000FF;
constexpr std::int64_t kCyan = 0xFFFF00;
constexpr std::int64_t kBrown = 0x000A32; // RGB(50, 10, 0)

// A fold whose hinge plunges 10 towards 030, its beds measured to the whole
// degree with up to two degrees of scatter: twelve on each limb.
inline const Beds eastDippingLimb = {{"104", "35"}, {"101", "26"}, {"108", "35"}, {"108", "42"},
                                     {"101", "29"}, {"108", "42"}, {"109", "42"}, {"111", "45"},
                                     {"109", "46"}, {"102", "29"}, {"110", "48"}, {"112", "47"}};
inline const Beds westDippingLimb = {{"306", "58"}, {"307", "48"}, {"308", "57"}, {"307", "59"},
                                     {"311", "41"}, {"304", "58"}, {"310", "45"}, {"310", "48"},
                                     {"306", "59"}, {"312", "45"}, {"310", "46"}, {"309", "45"}};

inline Beds bothLimbs()
{
    Beds all = eastDippingLimb;
    all.insert(all.end(), westDippingLimb.begin(), westDippingLimb.end());
    return all;
}

// Angle in degrees between two axes given as "trend∠plunge" texts and numbers.
inline double degreesFromAxis(const std::string& text, double trend, double plunge)
{
    const std::string sign = "∠";
    const std::size_t at = text.find(sign);
    if (at == std::string::npos)
        return 180;
    const double t = std::stod(text.substr(0, at)), p = std::stod(text.substr(at + sign.size()));
    const double k = M_PI / 180;
    const double c = std::cos(p * k) * std::cos(plunge * k) * std::cos((t - trend) * k)
                     + std::sin(p * k) * std::sin(plunge * k);
    return std::acos(std::clamp(std::fabs(c), 0.0, 1.0)) / k;
}

template <class Window> class FoldNetWindowTest : public ::testing::Test {
protected:
    explicit FoldNetWindowTest(const char* windowName) : windowName_(windowName) {}

    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        FakeDialogs::global().reset();
        window_ = std::make_unique<Window>(toolRow(windowName_));
    }
    void TearDown() override
    {
        EXPECT_TRUE(dialogs().openAnswers.empty() && dialogs().saveAnswers.empty());
    }

    static FakeDialogs& dialogs() { return FakeDialogs::global(); }
    PictureBox* picture() const { return window_->picture(); }
    DataGrid* grid() const { return window_->grid(); }

    template <class Widget> Widget* child(const char* name) const
    {
        auto* w = window_->template findChild<Widget*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QAction* item(const char* name) const
    {
        QAction* action = window_->menuItem(QString::fromLatin1(name));
        EXPECT_NE(action, nullptr) << name;
        return action;
    }
    void click(const char* name) const
    {
        if (QAction* action = item(name))
            action->trigger();
    }

    void fillTable(const Beds& beds) const
    {
        grid()->clearColumns(1, 2);
        int row = 1;
        for (const auto& [dipDirection, dip] : beds) {
            grid()->setTextMatrix(row, 1, QString::fromStdString(dipDirection));
            grid()->setTextMatrix(row, 2, QString::fromStdString(dip));
            ++row;
        }
    }
    Beds tableRows(int count) const
    {
        Beds rows;
        for (int row = 1; row <= count; ++row)
            rows.emplace_back(grid()->textMatrix(row, 1).toStdString(), grid()->textMatrix(row, 2).toStdString());
        return rows;
    }

    QString path(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }
    QString writeFile(const char* name, const QByteArray& bytes) const
    {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }
    static QByteArray readFile(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    // Opens a file of these bytes through File > "数据文件": the one message
    // "数据文件出错！" (title "提示") is expected.
    void openBrokenFile(const QByteArray& bytes) const
    {
        dialogs().reset();
        dialogs().openAnswers.push_back(writeFile("broken.txt", bytes));
        click("MFileInputdata");
        ASSERT_EQ(dialogs().messages.size(), 1u);
        EXPECT_EQ(dialogs().messages[0].text, QStringLiteral("数据文件出错！"));
        EXPECT_EQ(dialogs().messages[0].title, QStringLiteral("提示"));
    }
    // Saves a table of these beds over an existing file: "数据有误，请检查！" is
    // expected, and the file stays whole.
    void saveRefusedTable(const Beds& beds) const
    {
        const QString old = writeFile("old.txt", "old\r\n");
        dialogs().reset();
        fillTable(beds);
        dialogs().saveAnswers.push_back(old);
        click("MFileSaveData");
        ASSERT_EQ(dialogs().messages.size(), 1u);
        EXPECT_EQ(dialogs().messages[0].text, QStringLiteral("数据有误，请检查！"));
        EXPECT_EQ(readFile(old), "old\r\n");
    }

    bool tableShown() const { return !grid()->isHidden() && picture()->isHidden(); }
    bool pictureShown() const { return grid()->isHidden() && !picture()->isHidden(); }

    // Texts of the diagram shown last, in drawing order.
    std::vector<std::string> texts() const
    {
        std::vector<std::string> out;
        for (const TextItem& t : window_->shownDiagram().template all<TextItem>())
            out.push_back(t.text);
        return out;
    }
    bool shows(const std::string& text) const
    {
        const std::vector<std::string> all = texts();
        return std::find(all.begin(), all.end(), text) != all.end();
    }
    // The text printed right under a caption of the text column.
    std::string under(const std::string& caption) const
    {
        const std::vector<std::string> all = texts();
        const auto at = std::find(all.begin(), all.end(), caption);
        return at == all.end() || at + 1 == all.end() ? std::string() : *(at + 1);
    }

    // Whether a pixel of the colour lies within reach (user units, a pixel
    // each) of the user point.
    bool inkNear(double x, double y, std::int64_t colour, int reach = 1) const
    {
        for (int dx = -reach; dx <= reach; ++dx)
            for (int dy = -reach; dy <= reach; ++dy)
                if (picture()->point(x + dx, y + dy) == colour)
                    return true;
        return false;
    }
    int pixelsOf(std::int64_t colour) const
    {
        const QImage image = picture()->image();
        const QRgb wanted = qRgb(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += (image.pixel(x, y) & 0xFFFFFF) == (wanted & 0xFFFFFF);
        return n;
    }

    // Set KV_FOLD_SHOTS to a folder to get the window as the user sees it.
    void saveShot(const char* name) const
    {
        const QByteArray shots = qgetenv("KV_FOLD_SHOTS");
        if (shots.isEmpty())
            return;
        const QString file = QDir(QString::fromLocal8Bit(shots)).filePath(QString::fromLatin1(name));
        EXPECT_TRUE(window_->grab().save(file)) << file.toStdString();
    }

    const char* windowName_;
    QTemporaryDir dir_;
    std::unique_ptr<Window> window_;
};

} // namespace kv::test
