#include <gtest/gtest.h>

#include <set>

#include "browse/CommandLine.h"

using namespace zemora;
using Action = CommandLine::Action;

namespace {

// /home/u/pages is the current folder; page.html and index.htm exist there.
CommandLine parse(std::vector<std::string> args)
{
    const std::set<std::string> files = {"/home/u/pages/page.html", "/home/u/pages/index.htm"};
    CommandLineContext context;
    context.currentDir = "/home/u/pages";
    context.isFile = [files](const std::string& path) { return files.count(path) > 0; };
    context.toolkitOptions = {"--display", "--class"};
    context.toolkitFlags = {"--g-fatal-warnings"};
    return parseCommandLine(args, context);
}

struct Opens {
    const char* arg;
    const char* address;
    const char* shortcutFile;
};

} // namespace

TEST(CommandLine, NoArgumentOrAnEmptyOneOpensTheStartPage)
{
    for (const auto& args : {std::vector<std::string>{}, std::vector<std::string>{""}}) {
        const CommandLine line = parse(args);
        EXPECT_EQ(line.action, Action::Open);
        EXPECT_EQ(line.start.address, "");
        EXPECT_EQ(line.start.shortcutFile, "");
    }
}

TEST(CommandLine, OneArgumentIsAnAddressOrAShortcutFile)
{
    const Opens cases[] = {
        // Addresses with a scheme are kept exactly, query and all.
        {"https://example.com/a?b=1&c=-2#top", "https://example.com/a?b=1&c=-2#top", ""},
        {"HTTP://EXAMPLE.COM", "HTTP://EXAMPLE.COM", ""},
        {"about:blank", "about:blank", ""},
        // Host names, with or without port and path, get http://.
        {"example.com", "http://example.com", ""},
        {"localhost", "http://localhost", ""},
        {"localhost:8080", "http://localhost:8080", ""},
        {"example.com:81/x?q=a:b", "http://example.com:81/x?q=a:b", ""},
        {"127.0.0.1:8000/", "http://127.0.0.1:8000/", ""},
        // A web address ending in .url is still a web address.
        {"http://example.com/x.url", "http://example.com/x.url", ""},
        // Local files.
        {"/tmp/a page.html", "file:///tmp/a%20page.html", ""},
        {"/tmp/中文.html", "file:///tmp/%E4%B8%AD%E6%96%87.html", ""},
        {"/tmp/50%#?.html", "file:///tmp/50%25%23%3F.html", ""},
        {"page.html", "file:///home/u/pages/page.html", ""},
        {"./missing.html", "file:///home/u/pages/missing.html", ""},
        {"../up.html", "file:///home/u/up.html", ""},
        {"file:///tmp/page.html", "file:///tmp/page.html", ""},
        {"missing.html", "http://missing.html", ""}, // no such file: a host name
        // Shortcut files, as paths and as the URIs file managers hand over.
        {"/tmp/Fav.URL", "", "/tmp/Fav.URL"},
        {"fav.url", "", "/home/u/pages/fav.url"},
        {"sub/../fav.url", "", "/home/u/pages/fav.url"},
        {"file:///tmp/my%20fav.url", "", "/tmp/my fav.url"},
        {"file://localhost/tmp/%E4%B8%AD.url", "", "/tmp/中.url"},
        {"file:/tmp/bad%zz.url", "", "/tmp/bad%zz.url"},
        // Another machine's file is left to the engine.
        {"file://server/share/x.url", "file://server/share/x.url", ""},
    };
    for (const Opens& c : cases) {
        SCOPED_TRACE(c.arg);
        const CommandLine line = parse({c.arg});
        ASSERT_EQ(line.action, Action::Open) << line.message;
        EXPECT_EQ(line.start.address, c.address);
        EXPECT_EQ(line.start.shortcutFile, c.shortcutFile);
    }
    // After "--" a leading "-" is part of the name.
    EXPECT_EQ(parse({"--", "-x.url"}).start.shortcutFile, "/home/u/pages/-x.url");
}

TEST(CommandLine, ToolkitOptionsAreHandedOnWithTheirValuesAndKeptApartFromTheAddress)
{
    const CommandLine line = parse({"--display=:1", "--class", "-x.url", "--g-fatal-warnings", "example.com"});
    ASSERT_EQ(line.action, Action::Open) << line.message;
    EXPECT_EQ(line.toolkitArgs, (std::vector<std::string>{"--display=:1", "--class", "-x.url", "--g-fatal-warnings"}));
    EXPECT_EQ(line.start.address, "http://example.com");
    EXPECT_EQ(parse({"--display"}).action, Action::Refuse) << "a value is missing";
    EXPECT_EQ(parse({"--", "--display=:1"}).start.address, "http://--display=:1");
}

TEST(CommandLine, HelpAndVersionWinWhereTheyStand)
{
    for (const char* option : {"--help", "-h"}) {
        const CommandLine line = parse({"example.com", option, "--bogus"});
        EXPECT_EQ(line.action, Action::Help);
        EXPECT_NE(line.message.find("Usage: zemora [ADDRESS | FILE.url]"), std::string::npos);
    }
    EXPECT_EQ(parse({"--version", "a", "b"}).action, Action::Version);
    EXPECT_EQ(parse({"--bogus", "--help"}).action, Action::Refuse);
}

TEST(CommandLine, UnknownOptionsAndASecondAddressAreRefused)
{
    for (const std::vector<std::string>& args : {std::vector<std::string>{"--bogus"},
                                                 {"-x"},
                                                 {"-"},
                                                 {"example.com", "--new-window"},
                                                 {"--help=me"},
                                                 {"--version2"}}) {
        const CommandLine line = parse(args);
        EXPECT_EQ(line.action, Action::Refuse) << args.back();
        EXPECT_NE(line.message.find("unknown option '" + args.back() + "'"), std::string::npos) << line.message;
    }
    const CommandLine two = parse({"a.com", "b.com"});
    EXPECT_EQ(two.action, Action::Refuse);
    EXPECT_NE(two.message.find("'a.com' and 'b.com'"), std::string::npos) << two.message;
    EXPECT_NE(two.message.find("--help"), std::string::npos) << "says where to look";
}

TEST(CommandLine, AFileAddressWithANulIsRefusedRatherThanCutShort)
{
    // Cut at the NUL, "/tmp/a%00.html.url" would read a different file than it names.
    EXPECT_EQ(parse({"file:///tmp/a%00.html.url"}).action, Action::Refuse);
}
