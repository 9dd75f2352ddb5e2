#include "record/itemreader.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

using tessaly::record::decodeText;
using tessaly::record::ItemReader;
using tessaly::record::parseNumberItem;
using tessaly::record::quotedItem;

namespace {

std::vector<std::string> items(std::string_view text)
{
    ItemReader r(text);
    std::vector<std::string> out;
    while (auto item = r.next())
        out.push_back(*item);
    return out;
}

TEST(ItemReader, SplitsAtCommasAndEveryKindOfLineEnd)
{
    EXPECT_EQ(items("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(items("1,2, 3\r\n"), (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(items("  x y \n"), (std::vector<std::string>{"x y "}));
    EXPECT_EQ(items("a\n\nb"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(items(""), std::vector<std::string>{});
}

TEST(ItemReader, QuotedItemsKeepCommasAndDoubledQuotes)
{
    EXPECT_EQ(items("\"a,b\"\r\n\"say \"\"hi\"\"\"\r\n"), (std::vector<std::string>{"a,b", "say \"hi\""}));
    EXPECT_EQ(items("\"abc\"junk,next"), (std::vector<std::string>{"abc", "next"}));
    EXPECT_EQ(items("  \"\"\n"), (std::vector<std::string>{""}));
}

TEST(ItemReader, AQuoteThatNeverClosesFails)
{
    ItemReader r("\"ok\"\n\"open");
    EXPECT_EQ(r.next(), "ok");
    EXPECT_FALSE(r.next().has_value());
    EXPECT_TRUE(r.failed());
    EXPECT_EQ(r.line(), 2);
}

TEST(ItemReader, QuotedItemsRoundTrip)
{
    for (const std::string text : {"", "plain", "a\"b", "\"\"", "x,y", "pi/3*x*sin(x)*tanh(x)"}) {
        const std::string written = quotedItem(text);
        ItemReader r(written);
        EXPECT_EQ(r.next(), text);
    }
    EXPECT_EQ(quotedItem("a=2.37"), "\"a=2.37\"");
    EXPECT_EQ(quotedItem("a\"b"), "\"a\"\"b\"");
}

TEST(ItemReader, NumberItemsMustBeWholeNumbers)
{
    const std::pair<const char*, std::optional<double>> rows[] = {
        {"8", 8.0},         {"-8", -8.0},   {" .01 ", 0.01}, {"+2.5", 2.5}, {"1E+15", 1e15},
        {"1.5e-3", 1.5e-3}, {"2D2", 200.0}, {"\t7\t", 7.0},  {"8abc", {}},  {"eight", {}},
        {"inf", {}},        {"nan", {}},    {"", {}},        {"   ", {}},   {"-", {}},
        {"1 000", {}},      {"1,5", {}},    {"&HFF", {}},    {"1E400", {}}, {"1e", {}},
    };
    for (const auto& [text, value] : rows)
        EXPECT_EQ(parseNumberItem(text), value) << "\"" << text << "\"";
}

TEST(DecodeText, Utf8StaysByteOrderMarkGoesLatin1IsConverted)
{
    EXPECT_EQ(decodeText("abc"), "abc");
    EXPECT_EQ(decodeText("\xEF\xBB\xBF"
                         "abc"),
              "abc");
    EXPECT_EQ(decodeText("\xCF\x80=3"), "\xCF\x80=3");
    EXPECT_EQ(decodeText("caf\xE9"), "caf\xC3\xA9");                    // Latin-1 é
    EXPECT_EQ(decodeText("\xC0\xAF"), "\xC3\x80\xC2\xAF");              // an overlong form is not UTF-8
    EXPECT_EQ(decodeText("\xED\xA0\x80"), "\xC3\xAD\xC2\xA0\xC2\x80");  // nor is a surrogate
}

}  // namespace
