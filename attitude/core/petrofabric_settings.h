// The eight settings of the petrofabric window and its options dialog
// ("选项"): the texts the dialog shows, and which of the typed values the OK
// button stores.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace kv {

struct PetrofabricSettings {
    std::string sectionNo = "无";   // thin-section number (薄片号)
    std::int16_t grainCount = 0;    // number of measurements (颗粒总数)
    std::string dataType = "O";     // "o" optic or crystal axis (a line), "c" cleavage or twin plane
    float arrowAzimuth = 0;         // geographic azimuth the section's arrow indicates, degrees
    float stageArrowDir = 0;        // direction of that arrow in the stage's initial position, degrees
    std::string mineralName = "无"; // mineral name (矿物名称)
    float sectionDipDir = 0;        // dip direction of the section's plane, degrees
    float sectionDip = 0;           // dip of the section's plane, degrees
};

// The two entries of the data-type list, in order.
inline constexpr const char* kOpticAxisEntry = "光轴或结晶轴";
inline constexpr const char* kCleavageEntry = "解理或双晶面";

// What the dialog's fields hold. dataTypeEntry is 0 (optic axis), 1
// (cleavage) or -1 (nothing selected).
struct PetrofabricOptionFields {
    std::string sectionNo;     // 薄片号
    std::string mineralName;   // 矿物名称
    int dataTypeEntry = -1;    // 数据类型
    std::string grainCount;    // 颗粒总数, read-only
    std::string sectionDipDir; // 倾向
    std::string sectionDip;    // 倾角
    std::string arrowAzimuth;  // 原地理方位角
    std::string stageArrowDir; // 初始位置箭头所指方向
};

// The fields as the dialog opens: numbers as their shortest text (0, 12.5),
// the first list entry when the data type is o or O, else the second.
PetrofabricOptionFields optionFieldsOf(const PetrofabricSettings& settings);

// The values the OK button stores; an empty member is a field that failed its
// test and leaves its setting as it was (no message). Texts are stored
// trimmed of blanks and only when not empty; azimuths are stored when their
// number lies in 0 <= v < 360 and the dip in 0 <= v <= 90, tested on the full
// number and stored in single precision (1e999 and the like are out of range).
struct AcceptedOptions {
    std::optional<std::string> sectionNo;
    std::optional<std::string> dataType; // "o" or "c"
    std::optional<float> arrowAzimuth;
    std::optional<float> stageArrowDir;
    std::optional<std::string> mineralName;
    std::optional<float> sectionDipDir;
    std::optional<float> sectionDip;
};
AcceptedOptions acceptedOptions(const PetrofabricOptionFields& fields);

// Stores the accepted values; the grain count is never changed here.
void applyOptions(PetrofabricSettings& settings, const AcceptedOptions& accepted);

} // namespace kv
