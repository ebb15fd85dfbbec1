// Text files in the code page: any bytes either decode or are refused; bytes
// that decode are written back as the very same bytes; text that encodes reads
// back as itself; splitting into lines loses nothing but the line ends.
#include "fuzz/fuzz_check.h"
#include "platform/text/text_file.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

using kv::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    if (const auto text = kv::decodeCodePage(bytes)) {
        const auto again = kv::encodeCodePage(*text);
        check(again.has_value(), "decoded text can be encoded");
        check(again && *again == bytes, "decoded text encodes to the bytes it came from");
    }
    // The same bytes as UTF-8 text that a window would save.
    if (const auto encoded = kv::encodeCodePage(bytes)) {
        const auto back = kv::decodeCodePage(*encoded);
        check(back.has_value(), "encoded text can be decoded");
        check(back && *back == bytes, "encoded text decodes to the text it came from");
    }

    std::size_t lineEnds = 0;
    for (char c : bytes)
        lineEnds += c == '\r' || c == '\n';
    std::size_t kept = 0;
    const auto lines = kv::splitLines(bytes);
    for (const std::string& line : lines) {
        check(line.find_first_of("\r\n") == std::string::npos, "a line holds no line end");
        kept += line.size();
    }
    check(kept + lineEnds == size, "lines keep every byte but the line ends");
    check(lines.size() <= lineEnds + 1, "no more lines than line ends and one");
    return 0;
}
