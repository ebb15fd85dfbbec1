// Free-format reading of a decoded data file, item by item or line by line.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace kv {

// Free-format reader over a decoded text, item by item (the way the data files
// are written: items in print zones or separated by commas), or line by line.
//  - Items are separated by commas and line ends; blanks and tabs before an
//    item are skipped; an unquoted item ends at a comma or line end, and a
//    number also ends at a blank (so "135 45" gives two items).
//  - An item in double quotes is taken without the quotes and may hold commas.
//  - atEnd() is true when nothing but blanks and line ends is left, so empty
//    lines at the end of a file are the end of the file.
class ItemReader {
public:
    struct Item {
        std::string text;              // the item as written, without quotes or surrounding blanks
        std::optional<double> number;  // set when the whole item reads as a number
    };

    explicit ItemReader(std::string text);
    bool atEnd() const;
    // The next item; empty when the text is at its end.
    std::optional<Item> next();
    // The rest of the current line (or the next line when at a line start),
    // without its line end; empty when the text is at its end.
    std::optional<std::string> nextLine();

private:
    std::string text_;
    std::size_t pos_ = 0;
};

} // namespace kv
