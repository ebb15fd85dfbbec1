#include "strain/core/grid_data_file.h"

#include "platform/text/item_reader.h"
#include "platform/text/number_text.h"
#include "platform/text/text_file.h"

#include <array>
#include <optional>

namespace kv {

namespace {

std::optional<double> nextNumber(ItemReader& reader)
{
    const auto item = reader.next();
    if (!item || !item->number)
        return std::nullopt;
    return item->number;
}

// count, rows, cols
std::optional<std::array<std::int16_t, 3>> readHeader(ItemReader& reader)
{
    std::array<std::int16_t, 3> header{};
    for (std::int16_t& value : header) {
        const auto number = nextNumber(reader);
        const auto whole = number ? roundToInt16(*number) : std::nullopt;
        if (!whole)
            return std::nullopt;
        value = *whole;
    }
    return header;
}

std::optional<std::pair<float, float>> readPoint(ItemReader& reader)
{
    const auto x = nextNumber(reader);
    const auto y = x ? nextNumber(reader) : std::nullopt;
    const auto sx = x ? toSinglePrecision(*x) : std::nullopt;
    const auto sy = y ? toSinglePrecision(*y) : std::nullopt;
    if (!sx || !sy)
        return std::nullopt;
    return std::make_pair(*sx, *sy);
}

// rows x cols as the 16-bit product the files hold, or empty on overflow.
std::optional<std::int16_t> gridCount(std::int16_t rows, std::int16_t cols)
{
    const int product = static_cast<int>(rows) * cols;
    if (product < INT16_MIN || product > INT16_MAX)
        return std::nullopt;
    return static_cast<std::int16_t>(product);
}

std::optional<std::int16_t> tableWhole(const std::string& text)
{
    const auto number = numberOfCellText(text);
    return number ? roundToInt16(*number) : std::nullopt;
}

std::optional<float> tableCoordinate(const std::string& text)
{
    const auto number = numberOfCellText(text);
    return number ? toSinglePrecision(*number) : std::nullopt;
}

std::string pointLine(float x, float y) { return PrintLine().add(printText(x)).nextZone().add(printText(y)).str(); }

} // namespace

Notice gridDataNotice(GridDataRefusal)
{
    return {"数据有误，请检查！", "提示"};
}

GridDataRead parseGridDataPair(const std::string& initialText, const std::string& deformedText)
{
    GridDataRead out;
    ItemReader initial(initialText);
    ItemReader deformed(deformedText);
    const auto h1 = readHeader(initial);
    const auto h2 = readHeader(deformed);
    out.refusal = GridDataRefusal::BadData;
    if (!h1 || !h2)
        return out;
    const auto [count, rows, cols] = *h1;
    // A grid of no or negative rows matches its count as well (-1 x -1 = 1),
    // but no table can hold it and no computation take it.
    if (rows < 1 || cols < 1)
        return out;
    const auto product = gridCount(rows, cols);
    if (!product || count != *product || *h2 != *h1)
        return out;

    // From here the table takes what is read: the points before a fault stay.
    out.headerAccepted = true;
    out.data.rows = rows;
    out.data.cols = cols;
    for (int i = 0; i < count; ++i) {
        if (i == kGridTableLastRow)
            return out; // the table has no row for this point
        const auto before = readPoint(initial);
        const auto after = readPoint(deformed);
        if (!before || !after)
            return out;
        out.data.points.push_back({before->first, before->second, after->first, after->second});
    }
    out.refusal.reset();
    return out;
}

GridDataRead readGridDataPair(const std::string& initialPath, const std::string& deformedPath)
{
    const TextReadResult initial = readTextFile(initialPath);
    const TextReadResult deformed = readTextFile(deformedPath);
    for (const TextReadResult* read : {&initial, &deformed}) {
        GridDataRead out;
        if (read->error == FileError::BadEncoding)
            out.refusal = GridDataRefusal::BadData;
        else if (read->error != FileError::None)
            out.refusal = GridDataRefusal::CannotOpen;
        if (out.refusal)
            return out;
    }
    return parseGridDataPair(initial.text, deformed.text);
}

namespace {

std::variant<GridData, GridDataRefusal> wholeOrRefusal(GridDataRead read)
{
    if (read.refusal)
        return *read.refusal;
    return std::move(read.data);
}

} // namespace

std::variant<GridData, GridDataRefusal> parseGridDataFiles(const std::string& initialText,
                                                           const std::string& deformedText)
{
    return wholeOrRefusal(parseGridDataPair(initialText, deformedText));
}

std::variant<GridData, GridDataRefusal> readGridDataFiles(const std::string& initialPath,
                                                          const std::string& deformedPath)
{
    return wholeOrRefusal(readGridDataPair(initialPath, deformedPath));
}

std::string gridCountText(std::int16_t value) { return std::to_string(value); }

std::string gridCoordinateText(float value) { return cellText(value); }

std::variant<GridData, GridDataRefusal> gridDataFromTable(const CellText& cell)
{
    const auto rows = tableWhole(cell(1, 5));
    const auto cols = tableWhole(cell(1, 6));
    if (!rows || !cols || *rows < 1 || *cols < 1)
        return GridDataRefusal::BadData;
    const auto count = gridCount(*rows, *cols);
    if (!count || *count > kGridTableLastRow)
        return GridDataRefusal::BadData;

    GridData data;
    data.rows = *rows;
    data.cols = *cols;
    for (int row = 1; row <= *count; ++row) {
        std::array<float, 4> v{};
        for (int column = 1; column <= 4; ++column) {
            const auto value = tableCoordinate(cell(row, column));
            if (!value)
                return GridDataRefusal::BadData;
            v[static_cast<std::size_t>(column - 1)] = *value;
        }
        data.points.push_back({v[0], v[1], v[2], v[3]});
    }
    return data;
}

GridDataLines gridDataFileLines(const GridData& data)
{
    const int count = static_cast<int>(data.rows) * data.cols;
    const std::string header =
        PrintLine().add(printText(count)).nextZone().add(printText(static_cast<int>(data.rows))).nextZone()
            .add(printText(static_cast<int>(data.cols))).str();
    GridDataLines lines{{header}, {header}};
    for (const GridPointPair& p : data.points) {
        lines.initial.push_back(pointLine(p.x0, p.y0));
        lines.deformed.push_back(pointLine(p.x1, p.y1));
    }
    return lines;
}

std::optional<GridDataRefusal> writeGridDataFiles(const std::string& initialPath, const std::string& deformedPath,
                                                  const GridData& data)
{
    GridDataLines lines = gridDataFileLines(data);
    const FileError error =
        writeTextFileSet({{initialPath, std::move(lines.initial)}, {deformedPath, std::move(lines.deformed)}});
    if (error == FileError::None)
        return std::nullopt;
    return error == FileError::CannotEncode ? GridDataRefusal::BadData : GridDataRefusal::CannotWrite;
}

} // namespace kv
