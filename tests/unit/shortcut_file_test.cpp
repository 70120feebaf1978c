#include "favorites/ShortcutFile.h"

#include "base/Failure.h"
#include "favorites/Utf7.h"

#include "base/Limits.h"
#include "tests/support/Files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <optional>

namespace zemora {
namespace {

using test::ScopedLocale;
using test::TempFolder;

struct ReadCase {
    const char* name;
    std::string bytes;
    std::optional<std::string> url;
};

const std::string kBom = "\xEF\xBB\xBF";

// Read in the C locale, whose code page is ASCII, so that conversion shows.
const ReadCase kFiles[] = {
    {"CR LF", "[InternetShortcut]\r\nURL=http://a/\r\n", "http://a/"},
    {"LF", "[InternetShortcut]\nURL=http://a/\n", "http://a/"},
    {"CR", "[InternetShortcut]\rURL=http://a/\rIconIndex=0\r", "http://a/"},
    {"no final line break", "[InternetShortcut]\r\nURL=http://a/", "http://a/"},
    {"DEFAULT section first", "[DEFAULT]\r\nBASEURL=http://base/\r\n[InternetShortcut]\r\nURL=http://a/\r\n",
     "http://a/"},
    {"URL of another section first", "[Other]\r\nURL=http://other/\r\n[InternetShortcut]\r\nURL=http://a/\r\n",
     "http://a/"},
    {"longer key ending in URL", "[InternetShortcut]\r\nBASEURL=http://b/\r\nURL=http://a/\r\n", "http://a/"},
    {"case and blanks in names", "  [ internetshortcut ]\t\r\n  url\t=  http://a/ \t\r\n", "http://a/"},
    {"double quotes", "[InternetShortcut]\r\nURL= \"http://a/\" \r\n", "http://a/"},
    {"unmatched quotes stay", "[InternetShortcut]\r\nURL='http://a/=\"\r\n", "'http://a/=\""},
    {"comment is no key", "[InternetShortcut]\r\n;URL=http://c/\r\n  ; URL=http://d/\r\nURL=http://a/\r\n",
     "http://a/"},
    {"key before any section", "URL=http://none/\r\n[InternetShortcut]\r\nURL=http://a/\r\n", "http://a/"},
    {"first key wins", "[InternetShortcut]\r\nURL=http://a/\r\nURL=http://b/\r\n", "http://a/"},
    {"first section only", "[InternetShortcut]\r\nIconIndex=0\r\n[InternetShortcut]\r\nURL=http://b/\r\n",
     std::nullopt},
    {"no URL key", "[InternetShortcut]\r\nIconIndex=0\r\n", std::nullopt},
    {"blank URL", "[InternetShortcut]\r\nURL=  \"\"  \r\n", std::nullopt},
    {"ANSI byte outside the set", "[InternetShortcut]\r\nURL=http://a/caf\xE9\r\n", "http://a/caf?"},
    {"BOM means UTF-8", kBom + "[InternetShortcut]\r\nURL=http://a/café\r\n", "http://a/café"},
    {"W section wins", "[InternetShortcut]\r\nURL=http://a/?\r\n[InternetShortcut.W]\r\nURL=http://a/+Ti0-\r\n",
     "http://a/中"},
    {"W section first, surrogate pair",
     "[InternetShortcut.W]\nURL=http://a/+2D3eAA-\n[InternetShortcut]\nURL=http://a/?\n", "http://a/😀"},
    {"broken W falls back", "[InternetShortcut]\r\nURL=http://a/\r\n[InternetShortcut.W]\r\nURL=+2D0-\r\n",
     "http://a/"},
    {"empty W falls back", "[InternetShortcut]\r\nURL=http://a/\r\n[InternetShortcut.W]\r\nURL=\r\n", "http://a/"},
    {"W with encoded line breaks falls back",
     "[InternetShortcut]\r\nURL=http://a/\r\n[InternetShortcut.W]\r\nURL=http://a/+AA0ACg-x\r\n", "http://a/"},
    {"W with an encoded CR only, no plain URL", "[InternetShortcut.W]\nURL=+AA2xxxxx\n", std::nullopt},
};

TEST(ShortcutUrl, ReadsWhatTheProfileReaderWould)
{
    ScopedLocale locale("C");
    for (const ReadCase& c : kFiles) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(shortcutUrl(c.bytes), c.url);
    }
}

TEST(Utf7, DecodesAndRefusesGarbage)
{
    const std::pair<std::string, std::optional<std::string>> cases[] = {
        {"+AGEAYgBj-", "abc"},
        {"1 +- 1", "1 + 1"},
        {"A+ImIDkQ.", "A≢Α."}, // a run closed by a character outside base64
        {"Hi Mom -+Jjo--!", "Hi Mom -☺-!"},
        {"+2D0-", std::nullopt},      // high surrogate alone
        {"+2D0-+3gA-", std::nullopt}, // a pair split over two runs
        {"+Ti1-", std::nullopt},      // left-over bits not zero
        {"+", std::nullopt},
        {"+AAA-", std::nullopt}, // U+0000
        {"caf\xE9", std::nullopt},
    };
    for (const auto& [encoded, decoded] : cases) {
        SCOPED_TRACE(encoded);
        EXPECT_EQ(decodeUtf7(encoded), decoded);
    }
}

TEST(ReadShortcutAddress, ReadsOrFailsNamingTheFavoriteAndLeavesNothingOpen)
{
    TempFolder folder;
    test::writeFile(folder / "a.url", "[InternetShortcut]\nURL=http://a/\n");
    EXPECT_EQ(readShortcutAddress(folder / "a.url"), "http://a/");
    // The limit itself is allowed; one byte more is not.
    const std::string head = "[InternetShortcut]\r\nURL=http://a/\r\n";
    test::writeFile(folder / "limit.url", head + std::string(kMaxSmallFileSize - head.size(), ';'));
    EXPECT_EQ(readShortcutAddress(folder / "limit.url"), "http://a/");
    test::writeFile(folder / "empty.url", "[InternetShortcut]\r\nURL=\r\n");
    test::writeFile(folder / "large.url",
                    "[InternetShortcut]\r\nURL=http://a/\r\n" + std::string(kMaxSmallFileSize - head.size() + 1, ';'));
    ASSERT_EQ(::mkdir((folder / "folder.url").c_str(), 0755), 0);
    ASSERT_EQ(::mkfifo((folder / "fifo.url").c_str(), 0644), 0); // would block a plain open
    const std::pair<const char*, const char*> cases[] = {
        {"missing.url", "No such file"},      {"empty.url", "holds no address"},  {"large.url", "larger than 1 MiB"},
        {"folder.url", "not a regular file"}, {"fifo.url", "not a regular file"},
    };
    const std::size_t filesBefore = test::openFileCount();
    for (const auto& [name, reason] : cases) {
        SCOPED_TRACE(name);
        try {
            readShortcutAddress(folder / name);
            ADD_FAILURE() << "no failure";
        } catch (const Failure& failure) {
            const std::string message = failure.what();
            EXPECT_NE(message.find(std::string("收藏“") + name + "”"), std::string::npos) << message;
            EXPECT_NE(message.find(reason), std::string::npos) << message;
        }
    }
    EXPECT_EQ(test::openFileCount(), filesBefore);
}

} // namespace
} // namespace zemora
