#include "favorites/CodePage.h"

#include "tests/support/Files.h"

#include <gtest/gtest.h>

namespace zemora {
namespace {

using test::ScopedLocale;

struct ConversionCase {
    const char* locale;
    std::string input;
    std::string toAnsi;  // utf8ToAnsi(input)
    std::string toUtf8;  // ansiToUtf8(input)
    std::string encoded; // percentEncodeUnrepresentable(input)
};

// Rows alternate between locales on purpose: the cached converters must follow.
const ConversionCase kConversions[] = {
    {"C", "http://a/b?c=d", "http://a/b?c=d", "http://a/b?c=d", "http://a/b?c=d"},
    {"C.UTF-8", "中文", "中文", "中文", "中文"},
    {"C", "中", "?", "???", "%E4%B8%AD"},
    {"C.UTF-8",
     "\xFF"
     "a",
     "?a", "?a", "%FFa"},
    {"C", "a中b😀c", "a?b?c", "a???b????c", "a%E4%B8%ADb%F0%9F%98%80c"},
    {"C", "\xC3\xA9", "?", "??", "%C3%A9"},
    // Ill-formed UTF-8: a cut-off sequence, an overlong "/", a surrogate.
    {"C.UTF-8", "\xE4\xB8", "??", "??", "%E4%B8"},
    {"C", "\xC0\xAF", "??", "??", "%C0%AF"},
    {"C.UTF-8", "\xED\xA0\x80", "???", "???", "%ED%A0%80"},
    {"C", "http://x/%41 b", "http://x/%41 b", "http://x/%41 b", "http://x/%41 b"},
};

TEST(CodePage, ConvertsWithQuestionMarksForWhatTheSetLacks)
{
    for (const ConversionCase& c : kConversions) {
        SCOPED_TRACE(std::string(c.locale) + " \"" + c.input + "\"");
        ScopedLocale locale(c.locale);
        ASSERT_TRUE(locale.active());
        EXPECT_EQ(utf8ToAnsi(c.input), c.toAnsi);
        EXPECT_EQ(ansiToUtf8(c.input), c.toUtf8);
        EXPECT_EQ(percentEncodeUnrepresentable(c.input), c.encoded);
    }
}

TEST(CodePage, EightBitSetKeepsItsOwnCharacters)
{
    ScopedLocale locale("en_US.ISO-8859-1");
    if (!locale.active())
        GTEST_SKIP() << "no ISO-8859-1 locale installed";
    EXPECT_EQ(utf8ToAnsi("café 中"), "caf\xE9 ?");
    EXPECT_EQ(ansiToUtf8("caf\xE9"), "café");
    EXPECT_EQ(percentEncodeUnrepresentable("http://x/café/中"), "http://x/café/%E4%B8%AD");
}

} // namespace
} // namespace zemora
