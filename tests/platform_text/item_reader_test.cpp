// The free-format item reader: items split at commas, line ends and blanks after numbers.
#include "platform/text/item_reader.h"
#include "platform/text/text_file.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

using kv::ItemReader;

namespace {

// Reads every item; numbers are written as their value, other items in brackets.
std::vector<std::string> itemsOf(const std::string& text)
{
    ItemReader reader(text);
    std::vector<std::string> items;
    while (!reader.atEnd()) {
        std::optional<ItemReader::Item> item = reader.next();
        if (!item) {
            items.push_back("<missing>");
            break;
        }
        if (item->number) {
            std::ostringstream number;
            number << *item->number;
            items.push_back(number.str());
        } else {
            items.push_back("[" + item->text + "]");
        }
    }
    EXPECT_FALSE(reader.next());
    return items;
}

TEST(ItemReader, SplitsItemsAtCommasLineEndsAndBlanksAfterNumbers)
{
    using Items = std::vector<std::string>;
    const std::pair<const char*, Items> cases[] = {
        {"135,45\r\n", {"135", "45"}},
        {"135 45", {"135", "45"}},
        {" 135          45 \r\n 20 , 30\r\n", {"135", "45", "20", "30"}},
        {"135\r\n45\r\n", {"135", "45"}},        // a record spanning lines
        {"\"a, b\" , \"\",x\r\n", {"[a, b]", "[]", "[x]"}},
        {"\"open, to the end\r\n1", {"[open, to the end\r\n1]"}},
        {"045,.5,-.25,1E2,1d2,+7", {"45", "0.5", "-0.25", "100", "100", "7"}},
        {"&H1F,&o17,&HFFFF,&H10000", {"31", "15", "-1", "65536"}},
        {"&HFFFFFFFF,&O37777777777,&H100000000", {"-1", "-1", "[&H100000000]"}},
        {"1E999,1E-999", {"[1E999]", "0"}},
        // Every exponent letter alike, out of range too.
        {"0.5e400,45,1e-400,1d999,1D-999,2e1", {"[0.5e400]", "45", "0", "[1d999]", "0", "20"}},
        {"abc , 12abc,1E, 1 2x", {"[abc]", "[12abc]", "[1E]", "1", "[2x]"}},
        {"a b\tc\t,d", {"[a b\tc]", "[d]"}},
        {"1,,2", {"1", "[]", "2"}},
        {",", {"[]"}},
        {"1,\r\n2", {"1", "2"}},             // no empty item before a line end
        {"10,20\r\n\r\n  \r\n\t\n", {"10", "20"}}, // trailing empty lines end the file
        {"10,20\r\n30\r\n", {"10", "20", "30"}},   // last record lacking its dip
        {"\r\n\r\n", {}},
        {"1\r2\n3", {"1", "2", "3"}},
        {"序号,倾向 \r\n", {"[序号]", "[倾向]"}},
    };
    for (const auto& [text, items] : cases)
        EXPECT_EQ(itemsOf(text), items) << text;
}

TEST(ItemReader, KeepsTheNumberAsWritten)
{
    ItemReader reader(" 045 ,\"7\"");
    std::optional<ItemReader::Item> a = reader.next();
    ASSERT_TRUE(a && a->number);
    EXPECT_EQ(a->text, "045");
    EXPECT_EQ(*a->number, 45.0);
    std::optional<ItemReader::Item> b = reader.next(); // quoted: a text, not a number
    ASSERT_TRUE(b);
    EXPECT_EQ(b->text, "7");
    EXPECT_FALSE(b->number);
}

TEST(ItemReader, HeaderNumbersEndAtABlankHeaderTextsDoNot)
{
    ItemReader reader(" 12 \r\n 0             45.5 \r\n2020 东山, x\r\n\r\n\"7\",8");
    EXPECT_EQ(reader.nextNumberOrText()->number, 12.0);
    EXPECT_EQ(reader.nextNumberOrText()->number, 0.0);
    EXPECT_EQ(reader.nextNumberOrText()->number, 45.5);
    EXPECT_EQ(reader.nextText(), std::string("2020 东山"));
    EXPECT_EQ(reader.nextText(), std::string("x"));
    EXPECT_EQ(reader.nextText(), std::string(""));
    const std::optional<ItemReader::Item> quoted = reader.nextNumberOrText(); // a text, not a number
    ASSERT_TRUE(quoted);
    EXPECT_EQ(quoted->text, "7");
    EXPECT_FALSE(quoted->number);
    EXPECT_EQ(reader.next()->number, 8.0); // records follow the header in the same reader
    EXPECT_FALSE(reader.nextText());

    // An item that only starts with a number is a text, whole.
    for (const char* text : {"&O19", "&H1G", "12abc"}) {
        ItemReader header(std::string(" ") + text + " ,7");
        const std::optional<ItemReader::Item> item = header.nextNumberOrText();
        ASSERT_TRUE(item) << text;
        EXPECT_EQ(item->text, text);
        EXPECT_FALSE(item->number) << text;
        EXPECT_EQ(header.nextNumberOrText()->number, 7.0) << text;
    }
}

TEST(ItemReader, ReadsHeaderLinesThenRecords)
{
    ItemReader reader("desc, with comma\r\nP\n10,20\r\n 30 40 \r\n\r\n");
    EXPECT_EQ(reader.nextLine(), "desc, with comma");
    EXPECT_EQ(reader.nextLine(), "P");
    std::vector<std::string> items;
    while (!reader.atEnd())
        items.push_back(reader.next()->text);
    EXPECT_EQ(items, (std::vector<std::string>{"10", "20", "30", "40"}));

    ItemReader mixed("1, rest of line\r\n\r\nlast");
    EXPECT_EQ(mixed.next()->text, "1");
    EXPECT_EQ(mixed.nextLine(), " rest of line");
    EXPECT_EQ(mixed.nextLine(), "");
    EXPECT_EQ(mixed.nextLine(), "last");
    EXPECT_FALSE(mixed.nextLine());
    EXPECT_TRUE(mixed.atEnd());
}

TEST(ItemReader, SurvivesRandomBytes)
{
    std::mt19937 random(12345);
    const std::string alphabet = "0123456789+-.,\"&HhOoEeDd \t\r\nab\x80\xD0";
    for (int round = 0; round < 4000; ++round) {
        std::string bytes(random() % 64, '\0');
        for (char& c : bytes)
            c = round % 2 ? static_cast<char>(random()) : alphabet[random() % alphabet.size()];
        std::optional<std::string> decoded = kv::decodeCodePage(bytes);
        const std::string text = decoded ? *decoded : bytes;
        ItemReader reader(text);
        // Every call moves on, so the reader must be done within one call per byte.
        std::size_t calls = 0;
        while (!reader.atEnd() && calls <= text.size()) {
            const std::size_t left = reader.rest().size();
            bool gotSomething = false;
            switch (random() % 4) {
            case 0: gotSomething = bool(reader.nextLine()); break;
            case 1: gotSomething = bool(reader.nextText()); break;
            case 2: gotSomething = bool(reader.nextNumberOrText()); break;
            default: gotSomething = bool(reader.next()); break;
            }
            ASSERT_TRUE(gotSomething);
            ASSERT_LT(reader.rest().size(), left);
            ++calls;
        }
        ASSERT_TRUE(reader.atEnd()) << round;
    }
}

} // namespace
