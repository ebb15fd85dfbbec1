// Number texts. The lenient reader takes any text and reads a number item as
// the item reader does; the whole-number and single conversions agree with
// the value they convert; a number's cell text, print text and display-mask
// text read back as the number they show. Values come from the input read as
// text and, for the extremes that text rarely reaches, from its first bytes
// taken as a double and as a float.
#include "fuzz/fuzz_check.h"
#include "platform/text/item_reader.h"
#include "platform/text/number_text.h"
#include "platform/text/text_file.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

using kv::fuzz::check;

namespace {

void wholeNumbers(double x)
{
    const auto nearest = kv::roundHalfEven(x);
    if (std::isfinite(x) && std::fabs(x) < 0x1p62)
        check(nearest.has_value(), "a finite value well inside 64 bits has a nearest whole number");
    if (nearest) {
        const double off = std::fabs(static_cast<double>(*nearest) - x);
        check(off <= 0.5, "the nearest whole number is at most a half away");
        if (off == 0.5)
            check(*nearest % 2 == 0, "a half goes to the even neighbour");
    }
    const auto small = kv::roundToInt16(x);
    const bool fits16 = nearest && *nearest >= -32768 && *nearest <= 32767;
    check(small.has_value() == fits16, "16-bit conversion exactly when the nearest whole number fits");
    if (small)
        check(*small == *nearest, "16-bit conversion agrees with the wide one");
}

void singlePrecision(double x)
{
    const auto single = kv::toSinglePrecision(x);
    if (!std::isfinite(x) || std::fabs(x) >= 0x1.ffffffp+127) {
        check(!single, "no single for what rounds beyond the largest single");
        return;
    }
    check(single.has_value(), "a single for every value that rounds within range");
    check(std::isfinite(*single), "the single is finite");
    const double off = std::fabs(static_cast<double>(*single) - x);
    check(off <= std::fmax(std::fabs(x) * 0x1p-24, 0x1p-150), "the single is the nearest one");
}

// The number a text shows, as the table's reader and the record writer read it.
void readsBackAs(const std::string& text, const std::string& cell, const char* what)
{
    const double back = kv::leadingNumber(text);
    check(std::isfinite(back), what);
    check(kv::cellText(back) == cell, what);
}

void textsOfDouble(double x)
{
    if (!std::isfinite(x))
        return;
    const std::string cell = kv::cellText(x);
    readsBackAs(cell, cell, "a cell text reads back as the number it shows");
    readsBackAs(kv::printText(x), cell, "a print text reads back as the cell text's number");

    // The item reader takes a cell text written to a file as the same number.
    kv::ItemReader reader(cell);
    const auto item = reader.next();
    check(item && item->number && kv::cellText(*item->number) == cell,
          "the item reader reads a cell text as the number it shows");
    check(reader.atEnd(), "a cell text is one item");

    if (std::fabs(x) < 1e15) {
        const struct {
            const char* mask;
            double scale;
            double halfStep;
        } masks[] = {
            {"#0.0", 1, 0.05}, {"#0.00", 1, 0.005}, {"0.00", 1, 0.005}, {"000.0", 1, 0.05},
            {"00.0", 1, 0.05}, {"0.00%", 100, 0.005}, {"#0.0%", 100, 0.05}, {"0", 1, 0.5},
        };
        for (const auto& m : masks) {
            const std::string shown = kv::formatMask(x, m.mask);
            const double back = kv::leadingNumber(shown);
            const double target = x * m.scale;
            check(std::fabs(back - target) <= m.halfStep * (1 + 1e-9) + std::fabs(target) * 1e-13,
                  "a display mask shows the value rounded to its places");
        }
    }
}

void textsOfSingle(float f)
{
    if (!std::isfinite(f))
        return;
    const std::string cell = kv::cellText(f);
    const auto back = kv::toSinglePrecision(kv::leadingNumber(cell));
    check(back.has_value(), "a single's cell text reads back as a single");
    const auto again = kv::toSinglePrecision(kv::leadingNumber(kv::cellText(*back)));
    check(again && *again == *back, "a single's cell text read back is a fixed point");
    const auto printed = kv::toSinglePrecision(kv::leadingNumber(kv::printText(f)));
    check(printed && *printed == *back, "a single's print text reads back as its cell text");
    if (std::fabs(f) < 1e15f) {
        const std::string shown = kv::formatMaskSingle(f, "0.00");
        check(std::fabs(kv::leadingNumber(shown) - static_cast<double>(f)) <= 0.005 * (1 + 1e-6) + std::fabs(f) * 1e-6,
              "a single's display mask shows it rounded to its places");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const double read = kv::leadingNumber(text);
    check(!std::isnan(read), "the lenient reader never gives not-a-number");

    // A file's item and a cell's text are the same number to both readers.
    kv::ItemReader reader{std::string(text)};
    if (const auto item = reader.next(); item && item->number && reader.atEnd())
        check(kv::leadingNumber(item->text) == *item->number, "the item reader and the lenient reader agree");

    double values[3] = {read, 0, 0};
    int count = 1;
    if (size >= sizeof(double)) {
        std::memcpy(&values[count++], data, sizeof(double));
        float f = 0;
        std::memcpy(&f, data, sizeof f);
        values[count++] = static_cast<double>(f);
    }
    for (int i = 0; i < count; ++i) {
        const double x = values[i];
        wholeNumbers(x);
        singlePrecision(x);
        textsOfDouble(x);
        if (const auto single = kv::toSinglePrecision(x))
            textsOfSingle(*single);
    }

    // Any mask text, as a later tool might pass one: nothing but the value's
    // digits and the mask's own characters may come out.
    if (size <= 64) {
        const std::string shown = kv::formatMask(read, text);
        check(shown.size() <= size + 400, "a mask's text is bounded by the mask and the digits");
    }
    kv::PrintLine line;
    line.add(text).nextZone();
    check(kv::printWidth(line.str()) % 14 == 0, "the next item starts at a print zone");
    return 0;
}
