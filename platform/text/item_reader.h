// Free-format reading of a decoded data file, item by item or line by line.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kv {

// Free-format reader over a decoded text, item by item (the way the data files
// are written: items in print zones or separated by commas), or line by line.
//  - Items are separated by commas and line ends; blanks and tabs before an
//    item are skipped; an unquoted item ends at a comma or line end, and a
//    number also ends at a blank (so "135 45" gives two items).
//  - An item in double quotes is taken without the quotes and may hold commas.
//  - atEnd() is true when nothing but blanks and line ends is left, so empty
//    lines at the end of a file are the end of the file.
// A file's header items are read as texts (nextText, nextNumberOrText): a
// description such as "2020 东山" is one item, where next() would split the
// leading number off at the blank.
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
    // The next item read as a text: blanks before it skipped; an empty line is
    // an empty item; an unquoted item runs to the next comma or line end and is
    // taken without the blanks around it; a quoted item runs to the first
    // double quote that is followed (after blanks) by a comma, a line end or
    // the end of the text (or to the line end when there is none). Empty at the
    // end of the text.
    std::optional<std::string> nextText();
    // The next item as a number when the whole of it is one (blanks and empty
    // lines before it skipped; a number ends at a blank, a comma or a line
    // end), else as nextText() reads it. Empty at the end of the text.
    std::optional<Item> nextNumberOrText();
    // What follows the items read so far.
    std::string_view rest() const { return std::string_view(text_).substr(pos_); }
    // The rest of the current line (or the next line when at a line start),
    // without its line end; empty when the text is at its end.
    std::optional<std::string> nextLine();

private:
    void skipBlanks();
    void takeSeparator(); // one comma, or one line end (CR LF, LF or CR)
    std::string text_;
    std::size_t pos_ = 0;
};

} // namespace kv
