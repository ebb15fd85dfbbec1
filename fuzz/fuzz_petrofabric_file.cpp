// The petrofabric data file. Its header items are read in order and counted;
// the measurements fill at most the table's rows, three items each, once the
// whole header is read. A file read whole and saved again (its header, the
// grain count it then has, the table's measurements up to the first empty dip
// direction) reads back as the same texts, the same angles to the seven digits
// the file keeps, a grain count equal to the measurements saved and the same
// measurements, ring letters exactly; saving that gives the same lines. A save
// that is refused has its reason.
#include "attitude/core/header_items.h"
#include "attitude/core/petrofabric_file.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_text.h"
#include "kit/core/attitude_record.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

using kv::fuzz::check;

namespace {

bool unreadableText(const std::string& text)
{
    return text.find(',') != std::string::npos && text.find('"') != std::string::npos;
}

bool refusedRow(const kv::fuzz::CellTable& cells, int row)
{
    const std::string dip = cells(row, 2);
    return dip.empty() || cells(row, 3).empty()
        || kv::attitudeFromCellTexts(cells(row, 1), dip).fault != kv::RecordFault::None;
}

void sameAngle(float before, float after, const char* property)
{
    check(kv::fuzz::sameToDigits(before, after, 7), property);
}

void savedAndReadBack(const kv::PetrofabricRead& read, bool decoded)
{
    kv::PetrofabricSettings settings;
    kv::applyPetrofabricRead(read, settings);
    check(settings.grainCount == static_cast<int>(read.records.size()), "the grain count becomes the records read");
    const kv::fuzz::CellTable cells(read.records);
    const kv::PetrofabricLines saved = kv::petrofabricFileLines(cells, settings);
    if (saved.fault == kv::PetrofabricWriteFault::BadRow) {
        check(saved.badRow >= 1 && refusedRow(cells, saved.badRow), "a refused row is one that can't be written");
        return;
    }
    if (saved.fault == kv::PetrofabricWriteFault::TextUnreadable) {
        bool ringRefused = false;
        for (int row = 1; !cells(row, 1).empty(); ++row)
            ringRefused = ringRefused || !kv::recordTextItem(cells(row, 3));
        check(ringRefused || unreadableText(settings.sectionNo) || unreadableText(settings.dataType)
                  || unreadableText(settings.mineralName),
              "a refused text holds a comma and a double quote, or a ring letter can't be an item");
        return;
    }
    check(saved.fault == kv::PetrofabricWriteFault::None, "lines are made or refused for a reason");
    const auto written = kv::fuzz::writtenAndReadBack(saved.lines, decoded);
    if (!written)
        return;

    const kv::PetrofabricRead again = kv::parsePetrofabricFile(*written);
    check(again.fault == kv::PetrofabricReadFault::None, "a saved file reads back whole");
    const kv::PetrofabricSettings& h = again.header;
    check(h.sectionNo == settings.sectionNo, "the section number reads back the same");
    check(h.dataType == settings.dataType, "the data type reads back the same");
    check(h.mineralName == settings.mineralName, "the mineral name reads back the same");
    sameAngle(settings.arrowAzimuth, h.arrowAzimuth, "the arrow azimuth reads back to seven digits");
    sameAngle(settings.stageArrowDir, h.stageArrowDir, "the stage arrow direction reads back to seven digits");
    sameAngle(settings.sectionDipDir, h.sectionDipDir, "the section dip direction reads back to seven digits");
    sameAngle(settings.sectionDip, h.sectionDip, "the section dip reads back to seven digits");
    check(!again.countMismatch(), "the saved grain count is the number of measurements saved");

    std::size_t kept = 0;
    while (kept < read.records.size() && !read.records[kept][0].empty())
        ++kept;
    check(again.records.size() == kept, "the measurements up to the first empty dip direction are saved");
    for (std::size_t i = 0; i < kept; ++i) {
        const auto& b = read.records[i];
        const auto& a = again.records[i];
        const kv::ParsedAttitude before = kv::attitudeFromCellTexts(b[0], b[1]);
        const kv::ParsedAttitude after = kv::attitudeFromCellTexts(a[0], a[1]);
        check(after.fault == kv::RecordFault::None, "a saved measurement is a valid record");
        check(after.record.dip == before.record.dip, "the dip reads back the same");
        check(kv::fuzz::sameToDigits(before.record.dipDirection, after.record.dipDirection, 7),
              "the dip direction reads back to seven digits");
        check(a[2] == b[2], "the ring letter reads back the same");
    }
    kv::PetrofabricSettings settingsAgain;
    kv::applyPetrofabricRead(again, settingsAgain);
    const kv::PetrofabricLines resaved = kv::petrofabricFileLines(kv::fuzz::CellTable(again.records), settingsAgain);
    check(resaved.fault == kv::PetrofabricWriteFault::None && resaved.lines == saved.lines,
          "saving it again gives the same lines");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const kv::fuzz::InputText input = kv::fuzz::inputText(data, size);
    const kv::PetrofabricRead read = kv::parsePetrofabricFile(input.text);

    check(read.fault != kv::PetrofabricReadFault::CannotRead, "parsing text never fails to read");
    check(read.headerItemsRead >= 0 && read.headerItemsRead <= 8, "at most the eight header items are read");
    check(read.headerComplete == (read.headerItemsRead == 8), "the header is complete with its eight items");
    const bool headerFault = read.fault == kv::PetrofabricReadFault::HeaderMissing
        || read.fault == kv::PetrofabricReadFault::BadGrainCount || read.fault == kv::PetrofabricReadFault::BadAngle;
    check(read.headerComplete != headerFault, "a header fault exactly when the header is not complete");
    check(read.records.size() <= static_cast<std::size_t>(kv::kNetTableLastRow), "no more records than table rows");
    check(read.headerComplete || read.records.empty(), "no measurements without a header");
    for (const auto& record : read.records)
        check(record.size() == 3, "a measurement has its three items");
    const kv::PetrofabricSettings& h = read.header;
    for (float angle : {h.arrowAzimuth, h.stageArrowDir, h.sectionDipDir, h.sectionDip})
        check(std::isfinite(angle), "header angles are finite");
    for (const std::string* text : {&h.sectionNo, &h.dataType, &h.mineralName})
        check(text->find_first_of("\r\n") == std::string::npos, "a header text is one line");

    if (read.fault == kv::PetrofabricReadFault::None)
        savedAndReadBack(read, input.decoded);
    return 0;
}
