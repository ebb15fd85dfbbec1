#include "attitude/core/petrofabric_file.h"

#include "attitude/core/header_items.h"
#include "kit/core/attitude_record.h"
#include "platform/text/number_text.h"
#include "platform/text/text_file.h"

#include <cmath>

namespace kv {

namespace {

constexpr int kHeaderItems = 8;

PetrofabricReadFault recordFault(RecordReadFault fault)
{
    switch (fault) {
    case RecordReadFault::None:
        return PetrofabricReadFault::None;
    case RecordReadFault::ItemMissing:
        return PetrofabricReadFault::ItemMissing;
    case RecordReadFault::TooManyRecords:
        return PetrofabricReadFault::TooManyRecords;
    }
    return PetrofabricReadFault::ItemMissing;
}

// Reads the eight header items into out.header; false on a fault.
bool readHeader(ItemReader& reader, PetrofabricRead& out)
{
    PetrofabricSettings& h = out.header;
    auto text = [&](std::string& into) {
        std::optional<std::string> item = reader.nextText();
        if (!item) {
            out.fault = PetrofabricReadFault::HeaderMissing;
            return false;
        }
        into = std::move(*item);
        ++out.headerItemsRead;
        return true;
    };
    // An angle: the item's number, or the number its text starts with.
    auto angle = [&](float& into) {
        const std::optional<ItemReader::Item> item = reader.nextNumberOrText();
        if (!item) {
            out.fault = PetrofabricReadFault::HeaderMissing;
            return false;
        }
        const std::optional<float> v = toSinglePrecision(item->number ? *item->number : leadingNumber(item->text));
        if (!v) {
            out.fault = PetrofabricReadFault::BadAngle;
            return false;
        }
        into = *v;
        ++out.headerItemsRead;
        return true;
    };
    auto count = [&](std::int16_t& into) {
        const std::optional<ItemReader::Item> item = reader.nextNumberOrText();
        if (!item) {
            out.fault = PetrofabricReadFault::HeaderMissing;
            return false;
        }
        const std::optional<std::int16_t> v = item->number ? roundToInt16(*item->number) : std::nullopt;
        if (!v) {
            out.fault = PetrofabricReadFault::BadGrainCount;
            return false;
        }
        into = *v;
        ++out.headerItemsRead;
        return true;
    };
    return text(h.sectionNo) && count(h.grainCount) && text(h.dataType) && angle(h.arrowAzimuth)
        && angle(h.stageArrowDir) && text(h.mineralName) && angle(h.sectionDipDir) && angle(h.sectionDip);
}

} // namespace

std::string petrofabricReadMessage(PetrofabricReadFault fault)
{
    return fault == PetrofabricReadFault::None ? std::string() : std::string("打开数据文件出错！");
}

PetrofabricRead parsePetrofabricFile(std::string_view text)
{
    PetrofabricRead out;
    ItemReader reader{std::string(text)};
    if (!readHeader(reader, out))
        return out;
    out.headerComplete = true;
    RecordsRead read = readRecords(reader, 3, kNetTableLastRow);
    out.records = std::move(read.records);
    out.fault = recordFault(read.fault);
    return out;
}

PetrofabricRead readPetrofabricFile(const std::string& path)
{
    const TextReadResult read = readTextFile(path);
    if (read.error != FileError::None) {
        PetrofabricRead out;
        out.fault = PetrofabricReadFault::CannotRead;
        return out;
    }
    return parsePetrofabricFile(read.text);
}

void applyPetrofabricRead(const PetrofabricRead& read, PetrofabricSettings& settings)
{
    const PetrofabricSettings& h = read.header;
    const int n = read.headerItemsRead;
    if (n > 0)
        settings.sectionNo = h.sectionNo;
    if (n > 1)
        settings.grainCount = h.grainCount;
    if (n > 2)
        settings.dataType = h.dataType;
    if (n > 3)
        settings.arrowAzimuth = h.arrowAzimuth;
    if (n > 4)
        settings.stageArrowDir = h.stageArrowDir;
    if (n > 5)
        settings.mineralName = h.mineralName;
    if (n > 6)
        settings.sectionDipDir = h.sectionDipDir;
    if (n > 7)
        settings.sectionDip = h.sectionDip;
    if (read.fault == PetrofabricReadFault::None)
        settings.grainCount = static_cast<std::int16_t>(read.records.size());
}

std::string petrofabricWriteMessage(PetrofabricWriteFault fault)
{
    switch (fault) {
    case PetrofabricWriteFault::None:
        return std::string();
    case PetrofabricWriteFault::BadRow:
        return "数据有误，请检查！";
    case PetrofabricWriteFault::TextUnreadable:
        return "文字中不能同时有逗号和双引号，请检查！";
    case PetrofabricWriteFault::CannotWrite:
        return "保存数据文件出错！";
    }
    return "保存数据文件出错！";
}

PetrofabricLines petrofabricFileLines(const CellText& cells, const PetrofabricSettings& settings)
{
    PetrofabricLines out;
    const TableRecordLines records = recordLinesOfTable(cells, 3);
    if (records.fault != TableRecordLines::Fault::None) {
        out.fault = records.fault == TableRecordLines::Fault::BadRow ? PetrofabricWriteFault::BadRow
                                                                      : PetrofabricWriteFault::TextUnreadable;
        out.badRow = records.badRow;
        return out;
    }
    const std::optional<std::string> sectionNo = headerTextItem(settings.sectionNo);
    const std::optional<std::string> dataType = headerTextItem(settings.dataType);
    const std::optional<std::string> mineral = headerTextItem(settings.mineralName);
    if (!sectionNo || !dataType || !mineral) {
        out.fault = PetrofabricWriteFault::TextUnreadable;
        return out;
    }
    PrintLine section;
    section.add(printText(settings.sectionDipDir)).nextZone().add(printText(settings.sectionDip));
    out.lines = {*sectionNo,
                 printText(static_cast<int>(records.lines.size())),
                 *dataType,
                 printText(settings.arrowAzimuth),
                 printText(settings.stageArrowDir),
                 *mineral,
                 section.str()};
    out.lines.insert(out.lines.end(), records.lines.begin(), records.lines.end());
    return out;
}

PetrofabricWriteFault writePetrofabricFile(const std::string& path, const CellText& cells,
                                           const PetrofabricSettings& settings)
{
    const PetrofabricLines lines = petrofabricFileLines(cells, settings);
    if (lines.fault != PetrofabricWriteFault::None)
        return lines.fault;
    if (writeTextFile(path, lines.lines) != FileError::None)
        return PetrofabricWriteFault::CannotWrite;
    return PetrofabricWriteFault::None;
}

} // namespace kv
