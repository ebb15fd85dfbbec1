#include "fold/core/rheometer_files.h"
#include "fold/core/rheometer_session.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace kv {
namespace {

std::string bytesOf(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A folder of its own for each test, removed afterwards.
class ScratchFolder {
public:
    ScratchFolder()
        : path_(fs::temp_directory_path()
                / ("rheometer_" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name())))
    {
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~ScratchFolder() { fs::remove_all(path_); }
    fs::path operator/(const char* name) const { return path_ / name; }

private:
    fs::path path_;
};

TEST(MeasurementFile, FirstSixNumbersBecomeSingleTextsOrTheReadFails)
{
    using Texts = std::array<std::string, 6>;
    const struct {
        const char* text;
        std::variant<Texts, MeasurementFileFault> expected;
    } cases[] = {
        {"0.5,0.866,1,100,80,5", Texts{"0.5", "0.866", "1", "100", "80", "5"}},
        {"1 2 3 4 5 6 7\r\n", Texts{"1", "2", "3", "4", "5", "6"}}, // the seventh is ignored
        {" 045 ,\r\n.5\n1E2\r-3.25, 0.1234567891 ,&H10,junk",
         Texts{"45", "0.5", "100", "-3.25", "0.1234568", "16"}},
        {"1,2,3,4,5", MeasurementFileFault::TooFewNumbers},
        {"", MeasurementFileFault::TooFewNumbers},
        {"\r\n\r\n", MeasurementFileFault::TooFewNumbers},
        {"1,2,x,4,5,6", MeasurementFileFault::NotANumber},
        {"1,,3,4,5,6", MeasurementFileFault::NotANumber},
        {"1,2,\"3\",4,5,6", MeasurementFileFault::NotANumber},
        {"1,2,3,1e39,5,6", MeasurementFileFault::BeyondPrecision},
        {"1,2,3,4,5,1e999", MeasurementFileFault::NotANumber},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const auto read = parseMeasurementText(c.text);
        if (const auto* fault = std::get_if<MeasurementFileFault>(&c.expected)) {
            ASSERT_TRUE(std::holds_alternative<MeasurementFileFault>(read));
            EXPECT_EQ(std::get<MeasurementFileFault>(read), *fault);
        } else {
            ASSERT_TRUE(std::holds_alternative<MeasurementFile>(read));
            EXPECT_EQ(std::get<MeasurementFile>(read).cellTexts, std::get<Texts>(c.expected));
        }
    }
    const auto sine = std::get<MeasurementFile>(parseMeasurementText("0.5,0.866,1,100,80,5")).measurements;
    EXPECT_FLOAT_EQ(sine.y2, 0.866f);
    EXPECT_FLOAT_EQ(sine.wavelength, 80);
    EXPECT_FLOAT_EQ(sine.thickness, 5);
}

TEST(MeasurementFile, AReadEmptiesTwoColumnsThenFillsRowOne)
{
    const auto file = std::get<MeasurementFile>(parseMeasurementText("1,2,3,4,5,6"));
    const std::vector<FoldCellEdit> edits = tableEditsOfMeasurementFile(file);
    ASSERT_EQ(edits.size(), 100u * 2 + 6);
    for (std::size_t i = 0; i < 200; ++i) {
        EXPECT_EQ(edits[i].row, int(i / 2) + 1);
        EXPECT_EQ(edits[i].column, int(i % 2) + 1);
        EXPECT_EQ(edits[i].text, "");
    }
    for (int c = 1; c <= 6; ++c) {
        const FoldCellEdit& e = edits[200 + c - 1];
        EXPECT_EQ(e.row, 1);
        EXPECT_EQ(e.column, c);
        EXPECT_EQ(e.text, std::to_string(c));
    }
}

TEST(MeasurementFile, UnreadableFilesGiveAReason)
{
    ScratchFolder folder;
    std::ofstream(folder / "bad.txt", std::ios::binary) << "1,2,3,\xFF\xFF,5,6";
    std::ofstream(folder / "good.dat", std::ios::binary) << "0.5,0.866,1,100,80,5\r\n";
    for (const char* name : {"bad.txt", "missing.txt"}) {
        const auto read = readMeasurementFile((folder / name).string());
        ASSERT_TRUE(std::holds_alternative<MeasurementFileFault>(read)) << name;
        EXPECT_EQ(std::get<MeasurementFileFault>(read), MeasurementFileFault::CannotRead) << name;
    }
    EXPECT_TRUE(std::holds_alternative<MeasurementFile>(readMeasurementFile((folder / "good.dat").string())));
}

// The state after analysing the sine fold of the table and typing 3 as the stress exponent.
RheometerState sineFoldWithStressExponent3()
{
    RheometerState state;
    const char* row[] = {"0.5", "0.866", "1", "100", "80", "5"};
    runFoldAnalysis(state, [&](int, int c) { return std::string(row[c - 1]); });
    changeStressExponent(state, "3");
    return state;
}

TEST(FoldReport, SineFoldReportHasTheExpectedBytes)
{
    // Written by hand and encoded with the iconv tool (CP936, CR LF); it lies
    // beside this file.
    const std::string expected
        = bytesOf(fs::path(KV_TEST_SOURCES) / "data" / "rheometer_sine_fold_report.txt");
    ASSERT_EQ(expected.size(), 338u) << "fixture missing or changed";
    ScratchFolder folder;
    const std::string path = (folder / "report.txt").string();
    std::ofstream(path) << "an older, longer report that must go entirely";
    EXPECT_EQ(writeFoldReport(path, sineFoldWithStressExponent3()), std::nullopt);
    EXPECT_EQ(bytesOf(path), expected);
}

TEST(FoldReport, ZeroStateAndValuesWithoutNumber)
{
    const auto zeros = foldReportLines(RheometerState{});
    ASSERT_TRUE(std::holds_alternative<std::vector<std::string>>(zeros));
    const std::vector<std::string> expected{
        "褶皱形态几何分析参数结果：",  "",
        "1/4波长三等分点Y坐标值：0.0 0.0 0.0",
        "褶皱弧长             L：0.0", "褶皱波长             W：0.0",
        "褶皱厚度             h：0.0", "褶皱主波长比       L/h：0.0",
        "褶皱缩短率           S：0.0%", "褶皱翼倾角        ALFA：0.0",
        "褶皱曲率指数        Ki：0.00", "褶皱能干层应力指数N  L：0.0",
        "能干层与基质粘度比   M：0.0",
    };
    EXPECT_EQ(std::get<std::vector<std::string>>(zeros), expected);

    // A ratio beyond single precision is not written as "inf"; the old file stays.
    RheometerState state = sineFoldWithStressExponent3();
    changeStressExponent(state, "1e38");
    ScratchFolder folder;
    const std::string path = (folder / "report.txt").string();
    std::ofstream(path) << "old";
    EXPECT_EQ(writeFoldReport(path, state), ReportFault::NoNumber);
    EXPECT_EQ(bytesOf(path), "old");
    EXPECT_EQ(writeFoldReport((folder / "no such folder" / "r.txt").string(), RheometerState{}),
              ReportFault::CannotWrite);
}

} // namespace
} // namespace kv
