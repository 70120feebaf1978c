// The favorites drop-down and "add", with a fake dialog and a fake browser control.
#include <clocale>
#include <filesystem>
#include <fstream>

#include <wx/combobox.h>
#include <wx/textctrl.h>

#include "favorites/FavoritesFolder.h"
#include "tests/support/FavoritesFixture.h"

using namespace zemora;
using zemora::test::FavoritesFixture;
namespace fs = std::filesystem;

namespace {

using Favorites = FavoritesFixture;

const wxString kPrompt = wxString::FromUTF8("点击收藏夹，再请选择你要访问的网站");

} // namespace

TEST_F(Favorites, MissingOrEmptyFolderLeavesTheDropDownAsCreated)
{
    handle(&Form1::Form_Load);
    EXPECT_EQ(form->FavoritesPath, wxString::FromUTF8(folder));
    EXPECT_EQ(form->Combo2->Text(), kPrompt);
    fs::create_directories(folder + "/sub.url");
    writeFile("sub.url/inner.url", "[InternetShortcut]\r\nURL=http://a/\r\n");
    writeFile("notes.txt", "");
    handle(&Form1::LoadFavoritesList);
    EXPECT_EQ(form->Combo2->Text(), kPrompt);
    EXPECT_EQ(form->Combo2->ListCount(), 0);
    EXPECT_TRUE(reports.empty());
}

TEST_F(Favorites, FilesAreListedInTheFileSystemsOrderWithTheirExtensions)
{
    for (const char* name : {"新闻.url", "B.URL", "c.url", "d.txt", ".hidden.url"})
        writeFile(name, "[InternetShortcut]\r\nURL=http://x/\r\n");
    handle(&Form1::Form_Load);
    const std::vector<std::string> expected = listShortcutFiles(folder);
    ASSERT_EQ(form->Combo2->ListCount(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(form->Combo2->List(i), wxString::FromUTF8(expected[static_cast<std::size_t>(i)]));
    EXPECT_EQ(form->Combo2->Text(), "") << "the prompt is cleared with the list";
    EXPECT_EQ(browser->calls.back(), "NavigateTo http://www.baidu.com");
}

TEST_F(Favorites, UnlistableFolderIsReportedAndStartUpGoesOn)
{
    std::ofstream(folder) << "not a folder"; // the Favorites path is a file
    handle(&Form1::Form_Load);
    EXPECT_EQ(reports.size(), 1u);
    EXPECT_EQ(form->CtlCount, 12);
    EXPECT_EQ(browser->calls.back(), "NavigateTo http://www.baidu.com");
}

TEST_F(Favorites, ChoosingAFavoriteOpensItsAddressWithoutTouchingTheHistory)
{
    writeFile("a.url", "[DEFAULT]\nBASEURL=http://wrong/\n[InternetShortcut]\nURL= http://right/page \n");
    handle(&Form1::Form_Load);
    browser->calls.clear();
    choose(0);
    EXPECT_EQ(form->Combo1->Text(), "http://right/page");
    EXPECT_EQ(browser->calls, std::vector<wxString>{"NavigateTo http://right/page"});
    EXPECT_EQ(form->Combo1->ListCount(), 0);
    EXPECT_TRUE(reports.empty());
}

TEST_F(Favorites, UnreadableOrAddresslessFavoriteIsReportedAndOpensNothing)
{
    writeFile("gone.url", "[InternetShortcut]\r\nURL=http://a/\r\n");
    writeFile("empty.url", "[InternetShortcut]\r\nURL=\r\n");
    handle(&Form1::Form_Load);
    fs::remove(folder + "/gone.url");
    form->Combo1->SetText("typed");
    browser->calls.clear();
    for (int i = 0; i < 2; ++i)
        choose(i);
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_NE(reports[0].find(".url"), std::string::npos) << reports[0];
    EXPECT_NE(reports[1].find(".url"), std::string::npos) << reports[1];
    EXPECT_EQ(form->Combo1->Text(), "typed");
    EXPECT_TRUE(browser->calls.empty());
}

TEST_F(Favorites, ConfirmedAddWritesTheShortcutAndShowsTheFinalName)
{
    handle(&Form1::Form_Load);
    const std::string path = folder + "/Kept.url";
    fs::create_directories(folder);
    dialogAnswer = AddFavoriteChoice{path, "Kept"};
    pageLoaded("Page", "http://example.test/a?b=1");
    clickAdd();
    ASSERT_EQ(dialogCalls.size(), 1u);
    EXPECT_EQ(dialogCalls[0].owner, form);
    EXPECT_EQ(dialogCalls[0].name, "Page");
    EXPECT_EQ(dialogCalls[0].folder, folder);
    EXPECT_EQ(readFile(path), "[InternetShortcut]\r\nURL=http://example.test/a?b=1\r\n");
    EXPECT_EQ(form->Text1->GetValue(), "Kept");
    EXPECT_EQ(form->Combo2->ListCount(), 0) << "listed from the next start";
    EXPECT_TRUE(reports.empty());

    // Adding again over the same file sets only its URL key.
    std::ofstream(path, std::ios::binary) << "[InternetShortcut]\r\nURL=old\r\nIconIndex=1\r\n";
    pageLoaded("Page", "http://example.test/new");
    clickAdd();
    EXPECT_EQ(readFile(path), "[InternetShortcut]\r\nURL=http://example.test/new\r\nIconIndex=1\r\n");
}

TEST_F(Favorites, CancelledAddWritesNothing)
{
    pageLoaded("Page", "http://example.test/");
    clickAdd();
    EXPECT_EQ(dialogCalls.size(), 1u);
    EXPECT_FALSE(fs::exists(folder));
    EXPECT_EQ(form->Text1->GetValue(), "Page");
    EXPECT_TRUE(reports.empty());
}

TEST_F(Favorites, FailedWriteIsReportedAndKeepsTheOldFile)
{
    dialogAnswer = AddFavoriteChoice{folder + "/missing/x.url", "x"};
    pageLoaded("Page", "http://example.test/");
    clickAdd();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(form->Text1->GetValue(), "Page");

    fs::create_directories(folder + "/dir.url"); // a folder where the file should be
    dialogAnswer = AddFavoriteChoice{folder + "/dir.url", "dir"};
    clickAdd();
    EXPECT_EQ(reports.size(), 2u);
    EXPECT_TRUE(fs::is_directory(folder + "/dir.url"));
}

TEST_F(Favorites, AddBeforeAnyPageTellsTheUserAndShowsNoDialog)
{
    clickAdd();
    pageLoaded("Name", "");
    clickAdd();
    EXPECT_TRUE(dialogCalls.empty());
    EXPECT_EQ(told.size(), 2u);
    EXPECT_TRUE(reports.empty());
}

TEST_F(Favorites, AddressTheCodePageCannotCarryIsStoredPercentEncoded)
{
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    std::setlocale(LC_ALL, "C"); // ASCII only
    fs::create_directories(folder);
    dialogAnswer = AddFavoriteChoice{folder + "/n.url", "n"};
    pageLoaded("Page", wxString::FromUTF8("http://example.test/新闻"));
    clickAdd();
    std::setlocale(LC_ALL, saved.c_str());
    EXPECT_EQ(readFile(folder + "/n.url"),
              "[InternetShortcut]\r\nURL=http://example.test/%E6%96%B0%E9%97%BB\r\n");
}
