#include "favorites/NewFavorite.h"

#include "base/Failure.h"

#include "tests/support/Files.h"

#include <gtest/gtest.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

namespace zemora {
namespace {

namespace fs = std::filesystem;
using test::TempFolder;
using Verdict = FavoriteTarget::Verdict;
using Names = std::vector<std::string>;

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(NewFavorite, OffersRealVisibleSubfoldersInByteOrder)
{
    TempFolder folder;
    for (const char* name : {"新闻/体育", "b", "B", "Z", ".cache/inner", "odd\xff"})
        fs::create_directories(folder / name);
    test::writeFile(folder / "搜狐.url", "[InternetShortcut]\n");
    fs::create_directory_symlink(".", folder / "loop");
    fs::create_directory_symlink("..", folder / "up");
    fs::create_symlink("missing", folder / "dangling");

    EXPECT_EQ(subfolderNames(folder.path()), (Names{"B", "Z", "b", "odd\xff", "新闻"}))
        << "files, links and hidden folders left out; names kept byte for byte";
    EXPECT_EQ(subfolderNames(folder / "新闻"), Names{"体育"});
    EXPECT_TRUE(subfolderNames(folder / "missing").empty());
    EXPECT_TRUE(subfolderNames(folder / "搜狐.url").empty());
}

TEST(NewFavorite, NamesLoseWhatNoFileNameCanHold)
{
    const struct {
        std::u32string typed;
        std::string clean;
    } rows[] = {
        {U"新浪首页", "新浪首页"},
        {U"  a/b\\c:d*e?f\"g<h>i|j\tk\x7fl 新闻  ", "a_b_c_d_e_f_g_h_i_j_k_l 新闻"},
        {U"\t\n\v\f\r x \r\n", "x"}, // the blanks trimmed, only at the ends
        {U"a\nb\x01", "a_b_"},
        {U"a\x1F b\x20", "a_ b"},                      // the last control character; the space trimmed
        {U"\x1Fx\x1C", "_x_"},                         // control characters that are no blanks stay, as "_"
        {U"\x80\xA0 x\u3000", "\u0080\u00A0 x\u3000"}, // blanks outside ASCII are kept
        {U"..", "_."},                                 // a leading dot would hide the file
        {U" .x", "_x"},                                // the dot that leads once trimmed
        {U"\U0001F600", "\U0001F600"},
        {U" \t ", ""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(sanitizeName(row.typed), row.clean) << row.clean;

    // Values no UTF-8 can say: a lone surrogate, and past U+10FFFF.
    EXPECT_EQ(sanitizeName(std::u32string{0xD800, U'x', 0xDFFF}), "_x_");
    EXPECT_EQ(sanitizeName(std::u32string{U'x', 0x110000, 0x7FFFFFFF}), "x__");
}

TEST(NewFavorite, NewFolderIsMadeWithItsParentsOrTheFailureSaysWhichFolder)
{
    TempFolder folder;
    const std::string parent = folder / "not/yet/Favorites";
    EXPECT_EQ(makeFolderIn(parent, "新闻"), parent + "/新闻");
    EXPECT_TRUE(fs::is_directory(parent + "/新闻"));
    EXPECT_EQ(makeFolderIn(parent, "新闻"), parent + "/新闻") << "one already there is the one wanted";

    test::writeFile(folder / "taken", "a file");
    try {
        makeFolderIn(folder.path(), "taken");
        ADD_FAILURE() << "a file is in the way";
    } catch (const Failure& failure) {
        EXPECT_TRUE(contains(failure.what(), "无法创建文件夹“" + folder / "taken" + "”")) << failure.what();
        EXPECT_TRUE(contains(failure.what(), "cannot create folder \"" + folder / "taken" + "\"")) << failure.what();
    }
    try {
        makeFolderIn(folder / "taken/Favorites", "x");
        ADD_FAILURE() << "the parent cannot be made";
    } catch (const Failure& failure) {
        EXPECT_TRUE(contains(failure.what(), "“" + folder / "taken/Favorites" + "”")) << failure.what();
    }
}

TEST(NewFavorite, AFreeNameIsSavedAndAMissingFolderMade)
{
    TempFolder folder;
    const std::string favorites = folder / "not/yet/Favorites";
    const FavoriteTarget target = checkFavoriteTarget(favorites, "新浪首页");
    EXPECT_EQ(target.verdict, Verdict::Free);
    EXPECT_EQ(target.path, favorites + "/新浪首页.url");
    EXPECT_EQ(target.message, "");
    EXPECT_TRUE(fs::is_directory(favorites));

    test::writeFile(folder / "file", "in the way");
    const FavoriteTarget blocked = checkFavoriteTarget(folder / "file/Favorites", "x");
    EXPECT_EQ(blocked.verdict, Verdict::CannotMakeFolder);
    EXPECT_TRUE(contains(blocked.message, "无法创建文件夹“" + folder / "file/Favorites" + "”")) << blocked.message;
}

TEST(NewFavorite, WhatHasTheNameAlreadyDecidesBetweenAskingAndRefusing)
{
    TempFolder folder;
    test::writeFile(folder / "Example.url", "[InternetShortcut]\nURL=http://old/\n");
    fs::create_directories(folder / "Folder.url");
    fs::create_directory_symlink("Folder.url", folder / "Linked.url");
    fs::create_symlink("missing.url", folder / "Dangling.url");

    const FavoriteTarget taken = checkFavoriteTarget(folder.path(), "Example");
    EXPECT_EQ(taken.verdict, Verdict::Taken);
    EXPECT_EQ(taken.path, folder / "Example.url");
    EXPECT_EQ(taken.message,
              "收藏“Example.url”已存在。要替换它吗？ (favorite \"Example.url\" already exists. Replace it?)");
    EXPECT_EQ(checkFavoriteTarget(folder.path(), "Dangling").verdict, Verdict::Taken);

    for (const char* name : {"Folder", "Linked"}) {
        const FavoriteTarget folderThere = checkFavoriteTarget(folder.path(), name);
        EXPECT_EQ(folderThere.verdict, Verdict::IsAFolder) << name;
        EXPECT_TRUE(contains(folderThere.message, "收藏“" + std::string(name) + ".url”是一个文件夹"))
            << folderThere.message;
    }
}

TEST(NewFavorite, NamesAndPathsTooLongAreRefusedBeforeAnyFolderIsMade)
{
    TempFolder folder;
    const std::string favorites = folder / "Favorites";
    const std::string longest(NAME_MAX - 4, 'n'); // with ".url", just what a file name holds
    EXPECT_EQ(checkFavoriteTarget(favorites, longest).verdict, Verdict::Free);
    const FavoriteTarget tooLong = checkFavoriteTarget(favorites + "/more", longest + "n");
    EXPECT_EQ(tooLong.verdict, Verdict::NameTooLong);
    EXPECT_TRUE(contains(tooLong.message, "名称太长") && contains(tooLong.message, std::to_string(NAME_MAX)))
        << tooLong.message;
    EXPECT_FALSE(fs::exists(favorites + "/more"));

    // A folder whose favorite "x.url" makes a path one byte short of PATH_MAX.
    std::string deep = favorites;
    while (deep.size() + 200 < PATH_MAX - 7)
        deep += "/" + std::string(199, 'd');
    deep += "/" + std::string(PATH_MAX - 7 - deep.size() - 1, 'e');
    ASSERT_EQ(deep.size() + 6, PATH_MAX - 1u);
    const FavoriteTarget atLimit = checkFavoriteTarget(deep, "x");
    EXPECT_EQ(atLimit.verdict, Verdict::Free);
    EXPECT_EQ(atLimit.path.size(), PATH_MAX - 1u);
    const FavoriteTarget over = checkFavoriteTarget(deep + "f", "x");
    EXPECT_EQ(over.verdict, Verdict::PathTooLong);
    EXPECT_TRUE(contains(over.message, "路径太长") && contains(over.message, std::to_string(PATH_MAX - 1)))
        << over.message;
    EXPECT_FALSE(fs::exists(deep + "f"));
}

} // namespace
} // namespace zemora
