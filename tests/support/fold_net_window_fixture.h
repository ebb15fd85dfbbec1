// Driving a fold-diagram window as a user does: its table, its menu items by
// name, files through the scripted dialogs, and the diagram it shows, read as
// texts (the window keeps the items it drew) or as pixels of the picture.
#pragma once

#include "platform/draw/drawing.h"
#include "platform/ui/data_grid.h"
#include "platform/ui/picture_box.h"
#include "tests/support/fake_dialogs.h"
#include "tests/support/stand_in_plot_window.h"
#include "tests/support/tool_window_test.h"

#include <QAction>
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

template <class Window> class FoldNetWindowTest : public ::testing::Test, protected TestFolder {
protected:
    explicit FoldNetWindowTest(const char* windowName) : windowName_(windowName) {}

    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        dialogs().reset();
        window_ = std::make_unique<Window>(toolRow(windowName_));
    }
    void TearDown() override { EXPECT_TRUE(dialogs().allAnswersTaken()); }

    static FakeDialogs& dialogs() { return FakeDialogs::global(); }
    PictureBox* picture() const { return window_->picture(); }
    DataGrid* grid() const { return window_->grid(); }

    template <class Widget> Widget* child(const char* name) const
    {
        return namedChild<Widget>(*window_, QString::fromLatin1(name));
    }
    QAction* item(const char* name) const { return menuItemOf(*window_, name); }
    void click(const char* name) const { clickItem(*window_, name); }

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
        return test::inkNear(*picture(), x, y, colour, reach);
    }
    int pixelsOf(std::int64_t colour) const { return test::pixelsOf(picture()->image(), rgbOf(colour)); }

    // Set KV_FOLD_SHOTS to a folder to get the window as the user sees it.
    void saveShot(const char* name) const { test::saveShot(*window_, "KV_FOLD_SHOTS", name); }

    const char* windowName_;
    std::unique_ptr<Window> window_;
};

} // namespace kv::test
