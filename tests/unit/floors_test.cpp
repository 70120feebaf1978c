// The floors of the code: every include points down a floor (or stays in its own folder),
// the toolkit stays out of the floors that must build without it, and only the engine
// floor sees the web engine. Checked over the source tree, so no change breaks it quietly.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// base 1; favorites and browse 2, side by side but apart; engine 3; app 4.
const std::map<std::string, int> kFloors = {
    {"base", 1}, {"favorites", 2}, {"browse", 2}, {"engine", 3}, {"app", 4},
};

struct Include {
    std::string file; // relative to the tree
    int line;
    std::string target;
    bool system; // <...> rather than "..."
};

std::vector<Include> includesUnder(const fs::path& root, const std::string& folder)
{
    static const std::regex include(R"(^\s*#\s*include\s*([<"])([^>"]+)[>"])");
    std::vector<Include> found;
    for (const auto& entry : fs::recursive_directory_iterator(root / folder)) {
        const std::string ext = entry.path().extension().string();
        if (ext != ".h" && ext != ".cpp")
            continue;
        std::ifstream in(entry.path());
        std::string text;
        for (int number = 1; std::getline(in, text); ++number) {
            std::smatch m;
            if (std::regex_search(text, m, include))
                found.push_back({fs::relative(entry.path(), root).string(), number, m[2], m[1] == "<"});
        }
    }
    return found;
}

bool startsWithAny(const std::string& text, std::initializer_list<const char*> prefixes)
{
    for (const char* prefix : prefixes)
        if (text.rfind(prefix, 0) == 0)
            return true;
    return false;
}

std::string where(const Include& i) { return i.file + ":" + std::to_string(i.line) + " includes " + i.target; }

TEST(Floors, IncludesPointDownAndTheToolkitStaysWhereItBelongs)
{
    const fs::path root = ZEMORA_SOURCE_DIR;
    std::size_t checked = 0;
    for (const auto& [folder, level] : kFloors) {
        for (const Include& i : includesUnder(root, folder)) {
            ++checked;
            if (!i.system) {
                const std::string targetFolder = i.target.substr(0, i.target.find('/'));
                const auto target = kFloors.find(targetFolder);
                ASSERT_NE(target, kFloors.end()) << where(i) << ": not a floor of the tree";
                EXPECT_TRUE(targetFolder == folder || target->second < level)
                    << where(i) << ": includes point down a floor, never up or sideways";
                continue;
            }
            const bool toolkit = startsWithAny(i.target, {"wx/", "gtk/", "gdk/", "glib", "X11/"});
            const bool engine = startsWithAny(i.target, {"webkit2/", "JavaScriptCore/", "libsoup/"});
            if (folder == "base" || folder == "favorites" || folder == "browse") {
                EXPECT_FALSE(toolkit || engine) << where(i) << ": this floor builds without the toolkit";
            }
            if (folder != "engine") {
                EXPECT_FALSE(engine) << where(i) << ": only engine/ sees the web engine";
            }
            if (folder == "app" && startsWithAny(i.target, {"gtk/", "gdk/"})) {
                EXPECT_TRUE(i.file.starts_with("app/gtk/")) << where(i) << ": native calls live in app/gtk/";
            }
        }
    }
    EXPECT_GT(checked, 50u) << "the tree was found and read";
}

} // namespace
