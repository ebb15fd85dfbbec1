#include "strain/core/centre_file.h"

#include "platform/text/item_reader.h"
#include "platform/text/number_text.h"

namespace kv {

namespace {

std::string itemText(const ItemReader::Item& item)
{
    return item.number ? cellText(*item.number) : item.text;
}

// Whether an item read back stands for a cell text: the text itself, or the
// number it shows.
bool standsFor(const ItemReader::Item& item, const std::string& text)
{
    if (itemText(item) == text)
        return true;
    const std::optional<double> number = numberOfCellText(text);
    return item.number && number && *number == *item.number;
}

std::optional<std::string> quoted(const std::string& text)
{
    if (text.find('"') != std::string::npos)
        return std::nullopt;
    return '"' + text + '"';
}

// One centre's line, its texts as they stand where the line reads back as
// them. An unquoted word runs to a comma or the line end, so an x that is not
// a number would take the y with it; a quoted one ends at its quote.
std::optional<std::string> centreLine(const std::string& x, const std::string& y)
{
    if (x.find_first_of("\r\n") != std::string::npos || y.find_first_of("\r\n") != std::string::npos)
        return std::nullopt; // a line of its own
    const std::optional<std::string> xs[] = {x, quoted(x)};
    const std::optional<std::string> ys[] = {y, quoted(y)};
    for (int k = 0; k < 4; ++k) {
        const std::optional<std::string>& first = xs[k & 1];
        const std::optional<std::string>& second = ys[k >> 1];
        if (!first || !second)
            continue;
        std::string line = PrintLine().add(*first).nextZone().add(*second).str();
        ItemReader reader(line);
        const auto readX = reader.next();
        const auto readY = reader.next();
        if (readX && readY && reader.atEnd() && standsFor(*readX, x) && standsFor(*readY, y))
            return line;
    }
    return std::nullopt;
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

std::optional<std::vector<std::string>> centreFileLines(const CellText& cell)
{
    std::vector<std::string> lines;
    for (int row = 1; row <= static_cast<int>(kMostCentres); ++row) {
        const std::string x = cell(row, 1);
        const std::string y = cell(row, 2);
        if (isBlankCell(x) || isBlankCell(y))
            break;
        std::optional<std::string> line = centreLine(x, y);
        if (!line)
            return std::nullopt;
        lines.push_back(std::move(*line));
    }
    return lines;
}

} // namespace kv
