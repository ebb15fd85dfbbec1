// The header items of the preferred-orientation and petrofabric data files,
// read and written so that the program reads back its own files.
//
// The records after the header are read by ItemReader and readRecords (frame
// core); the header needs text items read as texts: "2020 东山" is one
// description, where ItemReader would split a leading number off at the blank.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kv {

class HeaderItemReader {
public:
    explicit HeaderItemReader(std::string_view text) : text_(text) {}

    // A text item: blanks before it skipped; an empty line is an empty item;
    // an unquoted item runs to the next comma or line end and is taken without
    // the blanks around it; a quoted item runs to the first double quote that
    // is followed (after blanks) by a comma, a line end or the end of the text
    // (or to the line end when there is none). Empty at the end of the text.
    std::optional<std::string> text();

    struct Number {
        std::string text;             // the item as written
        std::optional<double> number; // set when the whole item is a number
    };
    // A number item: blanks and empty lines before it skipped; a number ends at
    // a blank, a comma or a line end; anything else is taken as a text item.
    // Empty at the end of the text.
    std::optional<Number> number();

    // What follows the items read so far.
    std::string rest() const { return text_.substr(pos_); }

private:
    void skipBlanks();
    void takeSeparator(); // one comma, or one line end
    std::string text_;
    std::size_t pos_ = 0;
};

// A header text as the file writes it: in double quotes when it holds a
// comma, starts with a double quote or has blanks at either end, else as it
// is. Empty when it cannot be read back whole: it holds both a comma and a
// double quote, or a line end.
std::optional<std::string> headerTextItem(std::string_view text);

// A text item of a record, read back by ItemReader: as it is when it reads back
// as the same cell text, else in double quotes ("n,s", " w", "5 x", "045");
// empty when it would need quotes and holds a double quote (ItemReader's
// quoted item ends at the first one), or holds a line end.
std::optional<std::string> recordTextItem(std::string_view text);

} // namespace kv
