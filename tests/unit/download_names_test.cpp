#include "base/Texts.h"
#include "browse/DownloadNames.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace zemora {
namespace {

bool validUtf8(const std::string& s)
{
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        const std::size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        if (n == 0 || i + n > s.size())
            return false;
        for (std::size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80)
                return false;
        i += n;
    }
    return true;
}

struct NameCase {
    const char* name;
    std::string suggested;
    std::string address;
    std::string expected;
};

const NameCase kNames[] = {
    {"plain", "report.txt", "http://h/x", "report.txt"},
    {"folder parts climbing out", "../../escape.txt", "http://h/x", "escape.txt"},
    {"absolute path", "/etc/passwd", "http://h/x", "passwd"},
    {"backslash folders", "..\\..\\win.ini", "http://h/x", "win.ini"},
    {"leading dots", "..hidden", "http://h/x", "hidden"},
    {"dot file", ".bashrc", "http://h/x", "bashrc"},
    {"control characters", "a\tb\nc\x7f\x01.txt", "http://h/x", "abc.txt"},
    {"C1 control character",
     "a\xc2\x85"
     "b",
     "http://h/x", "ab"},
    {"broken UTF-8", "a\xff\xc3(b.txt", "http://h/x", "a(b.txt"},
    {"Chinese kept", "报告 2026.pdf", "http://h/x", "报告 2026.pdf"},
    {"no suggestion: address segment", "", "http://h/files/data%20set.csv?x=1#y", "data set.csv"},
    {"suggestion of dots only: address", "..", "http://h/a/b.zip", "b.zip"},
    {"encoded slash in address", "", "http://h/a/..%2F..%2Fevil.sh", "evil.sh"},
    {"nothing at all", "", "http://h/", std::string(kDefaultDownloadName)},
    {"only dots and blanks", " . . ", "http://h", std::string(kDefaultDownloadName)},
    {"only a folder", "dir/", "", std::string(kDefaultDownloadName)},
};

TEST(DownloadNames, SuggestionBecomesAPlainFileName)
{
    for (const NameCase& c : kNames)
        EXPECT_EQ(plainFileName(c.suggested, c.address), c.expected) << c.name;
}

TEST(DownloadNames, LongNamesAreCutOnACharacterBoundaryKeepingTheExtension)
{
    const std::string ascii = plainFileName(std::string(300, 'a') + ".tar", "");
    EXPECT_EQ(ascii, std::string(kMaxFileNameBytes - 4, 'a') + ".tar");

    std::string chinese;
    for (int i = 0; i < 100; ++i)
        chinese += "文"; // 3 bytes each: 300 bytes
    const std::string cut = plainFileName(chinese + ".txt", "");
    EXPECT_LE(cut.size(), kMaxFileNameBytes);
    EXPECT_TRUE(validUtf8(cut));
    EXPECT_TRUE(cut.ends_with(".txt"));
    EXPECT_EQ(cut.size(), 4 + (kMaxFileNameBytes - 4) / 3 * 3);

    // The cut leaves no blank behind the name.
    EXPECT_EQ(plainFileName(std::string(250, 'x') + "     yyyyy", ""), std::string(250, 'x'));

    // An "extension" too long to be one is cut like the rest.
    const std::string noExtension = plainFileName("a." + std::string(300, 'b'), "");
    EXPECT_EQ(noExtension.size(), kMaxFileNameBytes);
}

TEST(DownloadNames, NumberedNamesGoBeforeTheExtensionAndStayWithinTheLimit)
{
    EXPECT_EQ(numberedName("report.txt", 0), "report.txt");
    EXPECT_EQ(numberedName("report.txt", 1), "report (1).txt");
    EXPECT_EQ(numberedName("report.tar.gz", 12), "report.tar (12).gz");
    EXPECT_EQ(numberedName("README", 2), "README (2)");

    std::string chinese;
    for (int i = 0; i < 84; ++i)
        chinese += "文"; // 252 bytes
    const std::string name = plainFileName(chinese + ".txt", "");
    const std::string numbered = numberedName(name, 123);
    EXPECT_LE(numbered.size(), kMaxFileNameBytes);
    EXPECT_TRUE(validUtf8(numbered));
    EXPECT_TRUE(numbered.ends_with(" (123).txt")) << numbered;
    EXPECT_NE(numbered, numberedName(name, 124));

    // A name at the limit that already ends in its number is still another name.
    const std::string full = std::string(kMaxFileNameBytes - 4, 'x') + " (1)";
    EXPECT_NE(numberedName(full, 1), full);
    EXPECT_TRUE(numberedName(full, 1).ends_with(" (1)"));
    // ...also when the first cut leaves a dot and blank that give the name back again.
    const std::string dotted = std::string(247, 'x') + ". (57).";
    EXPECT_NE(numberedName(dotted, 57), dotted);
    EXPECT_LE(numberedName(dotted, 57).size(), kMaxFileNameBytes);
}

TEST(DownloadNames, DownloadFolderIsTheConfiguredOneUnlessItIsHome)
{
    EXPECT_EQ(downloadFolderFrom(std::nullopt, "/home/u"), "/home/u/Downloads");
    EXPECT_EQ(downloadFolderFrom("/srv/dl", "/home/u/"), "/srv/dl");
    EXPECT_EQ(downloadFolderFrom("/home/u/下载", "/home/u"), "/home/u/下载");
    // The desktop's way of saying "none of its own".
    EXPECT_EQ(downloadFolderFrom("/home/u", "/home/u/"), "/home/u/Downloads");
    EXPECT_EQ(downloadFolderFrom(std::nullopt, "/"), "/Downloads");
    EXPECT_EQ(downloadFolderFrom(std::nullopt, ""), "/Downloads");
}

TEST(DownloadNames, DownloadFolderOfThisProcessReadsItsConfigFolder)
{
    const std::string config = std::getenv("XDG_CONFIG_HOME");
    const std::string home = std::getenv("HOME");
    std::filesystem::remove(config + "/user-dirs.dirs");
    EXPECT_EQ(downloadFolder(), home + "/Downloads");
    std::ofstream(config + "/user-dirs.dirs") << "XDG_DOWNLOAD_DIR=\"$HOME/收到的文件\"\n";
    EXPECT_EQ(downloadFolder(), home + "/收到的文件");
    std::filesystem::remove(config + "/user-dirs.dirs");
}

} // namespace
} // namespace zemora
