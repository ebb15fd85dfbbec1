#include "attitude/core/petrofabric_settings.h"

#include "attitude/core/equal_area_net.h"
#include "platform/text/number_text.h"

#include <cmath>

namespace kv {

namespace {

// Blanks (spaces) removed at both ends, as the dialog trims its texts.
std::string trimmed(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return std::string();
    const std::size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

std::optional<std::string> nonEmptyTrimmed(const std::string& text)
{
    std::string t = trimmed(text);
    if (t.empty())
        return std::nullopt;
    return t;
}

// The field's number when lo <= v < hi (or <= hi when closed), in single precision.
std::optional<float> angleInRange(const std::string& text, double hi, bool closed)
{
    const double v = leadingNumber(text);
    if (!std::isfinite(v) || v < 0 || v > hi || (!closed && v == hi))
        return std::nullopt;
    return toSinglePrecision(v);
}

} // namespace

PetrofabricOptionFields optionFieldsOf(const PetrofabricSettings& settings)
{
    PetrofabricOptionFields f;
    f.sectionNo = settings.sectionNo;
    f.grainCount = std::to_string(settings.grainCount);
    f.dataTypeEntry = petrofabricProjection(settings.dataType) == Projection::Line ? 0 : 1;
    f.arrowAzimuth = cellText(settings.arrowAzimuth);
    f.stageArrowDir = cellText(settings.stageArrowDir);
    f.mineralName = settings.mineralName;
    f.sectionDipDir = cellText(settings.sectionDipDir);
    f.sectionDip = cellText(settings.sectionDip);
    return f;
}

AcceptedOptions acceptedOptions(const PetrofabricOptionFields& fields)
{
    AcceptedOptions a;
    a.sectionNo = nonEmptyTrimmed(fields.sectionNo);
    if (fields.dataTypeEntry == 0)
        a.dataType = "o";
    else if (fields.dataTypeEntry == 1)
        a.dataType = "c";
    a.arrowAzimuth = angleInRange(fields.arrowAzimuth, 360, false);
    a.stageArrowDir = angleInRange(fields.stageArrowDir, 360, false);
    a.mineralName = nonEmptyTrimmed(fields.mineralName);
    a.sectionDipDir = angleInRange(fields.sectionDipDir, 360, false);
    a.sectionDip = angleInRange(fields.sectionDip, 90, true);
    return a;
}

void applyOptions(PetrofabricSettings& settings, const AcceptedOptions& accepted)
{
    if (accepted.sectionNo)
        settings.sectionNo = *accepted.sectionNo;
    if (accepted.dataType)
        settings.dataType = *accepted.dataType;
    if (accepted.arrowAzimuth)
        settings.arrowAzimuth = *accepted.arrowAzimuth;
    if (accepted.stageArrowDir)
        settings.stageArrowDir = *accepted.stageArrowDir;
    if (accepted.mineralName)
        settings.mineralName = *accepted.mineralName;
    if (accepted.sectionDipDir)
        settings.sectionDipDir = *accepted.sectionDipDir;
    if (accepted.sectionDip)
        settings.sectionDip = *accepted.sectionDip;
}

} // namespace kv
