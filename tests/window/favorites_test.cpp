// The favorites drop-down and "add", with a fake dialog and a fake browser control.
#include <chrono>
#include <clocale>
#include <filesystem>
#include <fstream>
#include <set>

#include <wx/combobox.h>
#include <wx/textctrl.h>

#include "base/Texts.h"
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
    fs::create_directories(folder + "/.sub.url");
    writeFile(".sub.url/inner.url", "[InternetShortcut]\r\nURL=http://a/\r\n");
    fs::create_directories(folder + "/empty.url");
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
    const std::vector<std::string> expected = listFavorites(folder).entries;
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

    // A bare host name in the file is shown as it stands and opened as a web address.
    writeFile("b.url", "[InternetShortcut]\r\nURL=www.example.com/x\r\n");
    form->RefreshFavoritesList();
    browser->calls.clear();
    choose(form->Combo2->Window()->FindString("b.url"));
    EXPECT_EQ(form->Combo1->Text(), "www.example.com/x");
    EXPECT_EQ(browser->calls, std::vector<wxString>{"NavigateTo http://www.example.com/x"});
}

TEST_F(Favorites, UnreadableOrAddresslessFavoriteIsReportedAndOpensNothing)
{
    writeFile("huge.url", "[InternetShortcut]\r\nURL=http://a/\r\n" + std::string(1 << 20, ' '));
    writeFile("empty.url", "[InternetShortcut]\r\nURL=\r\n");
    handle(&Form1::Form_Load);
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
    ASSERT_EQ(form->Combo2->ListCount(), 1) << "listed at once";
    EXPECT_EQ(form->Combo2->List(0), "Kept.url");
    EXPECT_TRUE(reports.empty());

    // Adding again over the same file sets only its URL key.
    std::ofstream(path, std::ios::binary) << "[InternetShortcut]\r\nURL=old\r\nIconIndex=1\r\n";
    pageLoaded("Page", "http://example.test/new");
    clickAdd();
    EXPECT_EQ(readFile(path), "[InternetShortcut]\r\nURL=http://example.test/new\r\nIconIndex=1\r\n");
}

TEST_F(Favorites, AScriptAddressFromThePageIsNeverKept)
{
    handle(&Form1::Form_Load);
    for (const char* script : {"javascript:alert(document.cookie)", " JavaScript:x", "java\tscript:x"}) {
        SCOPED_TRACE(script);
        told.clear();
        pageLoaded("Page", script);
        clickAdd();
        EXPECT_TRUE(dialogCalls.empty());
        ASSERT_EQ(told.size(), 1u);
        EXPECT_EQ(told[0], bilingual(kScriptNotAdded));
    }
    EXPECT_FALSE(fs::exists(folder));
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
    EXPECT_EQ(readFile(folder + "/n.url"), "[InternetShortcut]\r\nURL=http://example.test/%E6%96%B0%E9%97%BB\r\n");
}

TEST_F(Favorites, AFavoriteAddedIntoASubFolderCanBeChosenAtOnce)
{
    writeFile("top.url", "[InternetShortcut]\r\nURL=http://top/\r\n");
    handle(&Form1::Form_Load);
    fs::create_directories(folder + "/新闻/国内");
    dialogAnswer = AddFavoriteChoice{folder + "/新闻/国内/Kept.url", "Kept"};
    pageLoaded("Page", "http://example.test/kept");
    form->Combo2->SetText("half-typed");
    clickAdd();
    ASSERT_EQ(form->Combo2->ListCount(), 2);
    EXPECT_EQ(form->Combo2->List(0), "top.url") << "the folder's own files first";
    EXPECT_EQ(form->Combo2->List(1), wxString::FromUTF8("新闻/国内/Kept.url"));
    EXPECT_EQ(form->Combo2->Text(), "half-typed");
    browser->calls.clear();
    choose(1);
    EXPECT_EQ(browser->calls, std::vector<wxString>{"NavigateTo http://example.test/kept"});
    EXPECT_TRUE(reports.empty());
}

namespace {

// What the drop-down lists, in order.
std::vector<wxString> listed(const ComboBox& box)
{
    std::vector<wxString> entries;
    for (int i = 0; i < box.ListCount(); ++i)
        entries.push_back(box.List(i));
    return entries;
}

// The drop-down's list as the native control holds it.
std::vector<wxString> nativeList(wxComboBox* box)
{
    std::vector<wxString> entries;
    for (unsigned i = 0; i < box->GetCount(); ++i)
        entries.push_back(box->GetString(i));
    return entries;
}

} // namespace

TEST_F(Favorites, TheListFollowsOtherProgramsWithinASecond)
{
    writeFile("a.url", "[InternetShortcut]\r\nURL=http://a/\r\n");
    handle(&Form1::Form_Load);
    const auto followsWithinASecond = [this](const std::set<wxString>& expected) {
        const auto start = std::chrono::steady_clock::now();
        const bool followed = test::runEventsUntil(
            [&] {
                const std::vector<wxString> now = listed(*form->Combo2);
                return std::set<wxString>(now.begin(), now.end()) == expected && now.size() == expected.size();
            },
            std::chrono::milliseconds(3000));
        const auto took =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
        EXPECT_TRUE(followed);
        EXPECT_LT(took.count(), 1000);
        EXPECT_EQ(nativeList(form->Combo2->Window()), listed(*form->Combo2)) << "the native list agrees";
    };

    writeFile("b.url", "[InternetShortcut]\r\nURL=http://b/\r\n");
    followsWithinASecond({"a.url", "b.url"});
    fs::rename(folder + "/a.url", folder + "/c.url");
    followsWithinASecond({"b.url", "c.url"});
    fs::create_directories(folder + "/new/deeper");
    writeFile("new/deeper/d.url", "[InternetShortcut]\r\nURL=http://d/\r\n");
    followsWithinASecond({"b.url", "c.url", "new/deeper/d.url"});
    // Sub-folders made since are watched too.
    fs::rename(folder + "/new/deeper/d.url", folder + "/new/deeper/e.url");
    followsWithinASecond({"b.url", "c.url", "new/deeper/e.url"});
    fs::remove_all(folder + "/new");
    fs::remove(folder + "/b.url");
    followsWithinASecond({"c.url"});

    browser->calls.clear();
    choose(0);
    EXPECT_EQ(browser->calls, std::vector<wxString>{"NavigateTo http://a/"}) << "c.url is a.url renamed";
    EXPECT_TRUE(reports.empty());
}

TEST_F(Favorites, ARefreshKeepsTheTypedTextAndClearsOnlyThePrompt)
{
    handle(&Form1::Form_Load);
    ASSERT_EQ(form->Combo2->Text(), kPrompt);
    writeFile("a.url", "[InternetShortcut]\r\nURL=http://a/\r\n");
    ASSERT_TRUE(test::runEventsUntil([&] { return form->Combo2->ListCount() == 1; }));
    EXPECT_EQ(form->Combo2->Text(), "") << "the prompt goes with the first entry, as at start-up";

    browser->calls.clear();
    // The user is typing into the box when another favorite arrives.
    wxComboBox* box = form->Combo2->Window();
    test::pressKey(box, 'n'); // into the box, which takes the focus
    test::typeKey(box, 'e');
    test::typeKey(box, 'w');
    box->SetInsertionPoint(1);
    writeFile("b.url", "[InternetShortcut]\r\nURL=http://b/\r\n");
    ASSERT_TRUE(test::runEventsUntil([&] { return form->Combo2->ListCount() == 2; }));
    EXPECT_EQ(form->Combo2->Text(), "new");
    EXPECT_EQ(box->GetInsertionPoint(), 1) << "the caret stays where it was";
    test::typeKey(box, 'x');
    EXPECT_EQ(form->Combo2->Text(), "nxew");

    // Everything removed: the list empties, the text stays.
    fs::remove(folder + "/a.url");
    fs::remove(folder + "/b.url");
    ASSERT_TRUE(test::runEventsUntil([&] { return form->Combo2->ListCount() == 0; }));
    EXPECT_EQ(nativeList(box), std::vector<wxString>{});
    EXPECT_EQ(form->Combo2->Text(), "nxew");
    EXPECT_TRUE(browser->calls.empty()) << "a refresh opens nothing";
}

TEST_F(Favorites, AnOpenListIsNotChangedUnderThePointer)
{
    writeFile("a.url", "[InternetShortcut]\r\nURL=http://a/\r\n");
    handle(&Form1::Form_Load);
    wxComboBox* box = form->Combo2->Window();
    const auto send = [box](wxEventType type) {
        wxCommandEvent event(type, box->GetId());
        event.SetEventObject(box);
        box->ProcessWindowEvent(event);
    };
    send(wxEVT_COMBOBOX_DROPDOWN);
    writeFile("b.url", "[InternetShortcut]\r\nURL=http://b/\r\n");
    // The folder's change shows within a second when the list is shut.
    test::nothingWithin(std::chrono::milliseconds(700), [&] { return form->Combo2->ListCount() != 1; });
    EXPECT_EQ(form->Combo2->ListCount(), 1);
    send(wxEVT_COMBOBOX_CLOSEUP);
    EXPECT_TRUE(test::runEventsUntil([&] { return form->Combo2->ListCount() == 2; }));
}
