#include <gtest/gtest.h>

#include "base/PercentEncoding.h"
#include "base/Utf8.h"

using namespace zemora;

TEST(Utf8, SequencesAreWellFormedOrRefused)
{
    const std::pair<std::string_view, std::size_t> rows[] = {
        {"a", 1},
        {"\xC3\xA9", 2},         // é
        {"\xE6\x96\x87", 3},     // 文
        {"\xF0\x9F\x98\x80", 4}, // U+1F600
        {"\xC0\xAF", 0},         // overlong "/"
        {"\xE0\x80\xAF", 0},     // overlong "/" in three bytes
        {"\xED\xA0\x80", 0},     // a surrogate
        {"\xF4\x90\x80\x80", 0}, // past U+10FFFF
        {"\xE6\x96", 0},         // cut short
        {"\x80", 0},             // a stray continuation byte
        {"\xE6\x41\x87", 0},     // a continuation byte missing
        {"", 0},
    };
    for (const auto& [text, length] : rows)
        EXPECT_EQ(utf8SequenceLength(text), length) << testing::PrintToString(std::string(text));
}

TEST(Utf8, CodePointsSurviveEncodingAndDecoding)
{
    for (const char32_t code : {U'\0', U'A', U'\x7F', U'\x80', U'é', U'\x7FF', U'\x800', U'文', U'\xFFFD', U'\x10000',
                                U'\x1F600', U'\x10FFFF'}) {
        std::string bytes;
        appendUtf8(bytes, code);
        const std::size_t length = code == 0 ? 1 : utf8SequenceLength(bytes);
        ASSERT_EQ(length, bytes.size()) << static_cast<unsigned>(code);
        EXPECT_EQ(utf8CodePoint(bytes, length), code);
    }
    EXPECT_EQ(replaceInvalidUtf8("a\xC0\xAF文\xE6\x96"), "a??文??");
}

TEST(PercentEncoding, EncodesAllButTheUnreservedAndDecodesBack)
{
    EXPECT_EQ(percentEncoded("a b/文~"), "a%20b%2F%E6%96%87~");
    EXPECT_EQ(percentEncoded("/a b:c", "/:"), "/a%20b:c");
    EXPECT_EQ(percentDecoded("a%20b%2f%E6%96%87"), "a b/文");
    // A "%" that starts no escape stays, even at the very end.
    EXPECT_EQ(percentDecoded("100%"), "100%");
    EXPECT_EQ(percentDecoded("%4"), "%4");
    EXPECT_EQ(percentDecoded("%zz%41"), "%zzA");
    EXPECT_EQ(percentDecoded("%41"), "A");
    EXPECT_EQ(percentDecoded("%2541"), "%41") << "decoded once only";
    EXPECT_EQ(percentDecoded("a%00b"), std::string("a\0b", 3));
    std::string everyByte;
    for (int b = 0; b < 256; ++b)
        everyByte += static_cast<char>(b);
    EXPECT_EQ(percentDecoded(percentEncoded(everyByte)), everyByte);
}
