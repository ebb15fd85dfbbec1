#include "strain/core/centre_file.h"

#include "platform/text/item_reader.h"
#include "platform/text/number_text.h"

namespace kv {

namespace {

std::string itemText(const ItemReader::Item& item)
{
    return item.number ? cellText(*item.number) : item.text;
}

} // namespace

Notice centreFileNotice(CentreFileRefusal refusal)
{
    switch (refusal) {
    case CentreFileRefusal::CannotOpen:
        return {"无法打开数据文件！", "提示"};
    case CentreFileRefusal::BadEncoding:
    case CentreFileRefusal::OddItemCount:
        return {"数据有误，请检查！", "提示"};
    }
    return {};
}

Notice tooManyCentresNotice() { return {"中心点多于199个，只保留前199个！", "提示"}; }

std::variant<CentreTable, CentreFileRefusal> parseCentreFile(const std::string& text)
{
    CentreTable table;
    ItemReader reader(text);
    while (auto x = reader.next()) {
        auto y = reader.next();
        if (!y)
            return CentreFileRefusal::OddItemCount;
        if (table.rows.size() == kMostCentres)
            table.truncated = true; // still read on: an odd count anywhere is a bad file
        else
            table.rows.emplace_back(itemText(*x), itemText(*y));
    }
    return table;
}

std::variant<CentreTable, CentreFileRefusal> readCentreFile(const std::string& path)
{
    const TextReadResult read = readTextFile(path);
    switch (read.error) {
    case FileError::None:
        return parseCentreFile(read.text);
    case FileError::BadEncoding:
        return CentreFileRefusal::BadEncoding;
    default:
        return CentreFileRefusal::CannotOpen;
    }
}

std::vector<std::string> centreFileLines(const CellText& cell)
{
    std::vector<std::string> lines;
    for (int row = 1; row <= static_cast<int>(kMostCentres); ++row) {
        const std::string x = cell(row, 1);
        const std::string y = cell(row, 2);
        if (isBlankCell(x) || isBlankCell(y))
            break;
        lines.push_back(PrintLine().add(x).nextZone().add(y).str());
    }
    return lines;
}

} // namespace kv
