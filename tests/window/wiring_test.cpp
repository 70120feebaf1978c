// Each way the user reaches the window, through the widget's own signal or key event, so
// a handler bound to the wrong widget, event or slot fails here.
#include <clocale>
#include <cstdlib>
#include <filesystem>

#include <gdk/gdkkeysyms.h>
#include <unistd.h>
#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/textctrl.h>
#include <wx/toolbar.h>

#include "app/Startup.h"
#include "base/Commands.h"
#include "base/Limits.h"
#include "base/Texts.h"
#include "tests/support/FavoritesFixture.h"
#include "tests/support/UserActions.h"

using namespace zemora;
using namespace zemora::test;
namespace fs = std::filesystem;

namespace {

using Wiring = FavoritesFixture;

TEST_F(Wiring, EnterKeypadEnterAndGoOpenTheTypedAddress)
{
    form->Combo1->SetText("sina");
    pressKey(form->Combo1->Window(), GDK_KEY_Return);
    form->Combo1->SetText("163.com");
    pressKey(form->Combo1->Window(), GDK_KEY_KP_Enter);
    form->Combo1->SetText("sohu");
    clickButton(form->Command1);
    EXPECT_EQ(browser->calls, (std::vector<wxString>{"NavigateTo http://www.sina.com", "NavigateTo http://163.com",
                                                     "NavigateTo http://www.sohu.com"}));
    EXPECT_EQ(form->Combo1->ListCount(), 3);
}

TEST_F(Wiring, ChoicesFromTheHistoryAndTheFavoritesOpenTheirAddresses)
{
    form->Combo1->SetText("first");
    clickButton(form->Command1);
    form->Combo1->SetText("second");
    clickButton(form->Command1);
    writeFile("fav.url", "[InternetShortcut]\r\nURL=http://fav.example/\r\n");
    handle(&Form1::LoadFavoritesList);
    browser->calls.clear();

    chooseFromList(form->Combo1->Window(), 0);
    choose(0);
    EXPECT_EQ(browser->calls,
              (std::vector<wxString>{"NavigateTo http://www.first.com", "NavigateTo http://fav.example/"}));
    EXPECT_EQ(form->Combo1->ListCount(), 2) << "a choice adds no history";
}

TEST_F(Wiring, AutoRefreshSetsItsIntervalBeforeOpeningAndTheTimerTickRefreshes)
{
    std::vector<int> intervalAtCall;
    browser->onCall = [&](const wxString&) { intervalAtCall.push_back(form->Timer1.Interval()); };
    form->Combo1->SetText("http://a.example/");
    clickButton(form->autofresh);
    EXPECT_EQ(intervalAtCall, std::vector<int>{kRefreshInterval}) << "set before its navigation";
    ASSERT_TRUE(form->Timer1.IsRunning());

    // The minute is shortened here; what is tested is that the timer's tick reaches the reload.
    browser->calls.clear();
    form->Timer1.Start(5);
    EXPECT_TRUE(runEventsUntil([&] { return browser->calls.size() >= 2; }));
    EXPECT_EQ(browser->calls[0], "Refresh");
    form->Timer1.Stop();
    browser->onCall = nullptr;
}

TEST_F(Wiring, ATickDuringALoadReloadsOnceTheLoadHasEnded)
{
    clickButton(form->autofresh);
    // The user has just asked for a page, which is still loading when the minute falls due.
    browser->loading = true;
    browser->LoadingChange(true);
    browser->calls.clear();
    const auto tick = [this] {
        const int reads = browser->loadingReads;
        const std::size_t calls = browser->calls.size();
        form->Timer1.Start(5, wxTIMER_ONE_SHOT);
        return runEventsUntil([&] { return browser->loadingReads > reads || browser->calls.size() > calls; });
    };
    ASSERT_TRUE(tick());
    EXPECT_TRUE(browser->calls.empty()) << "no reload cuts the load short";

    browser->loading = false;
    browser->LoadingChange(false);
    runPendingEvents();
    EXPECT_EQ(browser->calls, std::vector<wxString>{"Refresh"}) << "the page shown, once loaded";
    browser->LoadingChange(true);
    browser->LoadingChange(false);
    runPendingEvents();
    EXPECT_EQ(browser->calls.size(), 1u) << "a load with no tick during it is not followed by a reload";

    // A load that is still going at the next tick is stuck: that tick reloads.
    browser->loading = true;
    ASSERT_TRUE(tick());
    ASSERT_TRUE(tick());
    EXPECT_EQ(browser->calls.size(), 2u);
    EXPECT_EQ(browser->calls.back(), "Refresh");
    browser->loading = false;
    browser->LoadingChange(false);
    runPendingEvents();
    EXPECT_EQ(browser->calls.size(), 2u) << "that reload settled the tick";
    form->Timer1.Stop();
    EXPECT_TRUE(reports.empty());
}

TEST_F(Wiring, ResizingTheWindowReachesTheLayout)
{
    handle(&Form1::Form_Load);
    const wxRect before = form->Command1->GetRect();
    form->SetClientSize(form->GetClientSize().x * 2, form->GetClientSize().y);
    EXPECT_TRUE(runEventsUntil([&] { return form->Command1->GetRect().x == 2 * before.x; }))
        << form->Command1->GetRect().x;
    EXPECT_EQ(form->Command1->GetRect().width, 2 * before.width);
}

TEST_F(Wiring, AddingWithoutAFavoritesFolderIsReportedAsListingIs)
{
    favoritesFolder.reset();
    pageLoaded("Page", "http://example.test/");
    clickTool(form->Toolbar1->Window(), slotOf("add"));
    EXPECT_TRUE(dialogCalls.empty());
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0], bilingual(kNoFavoritesFolder));
}

TEST_F(Wiring, AnExistingFavoriteThatCannotBeReadIsReportedAndKeptAsItWas)
{
    // A link loop refuses even root; a file without read permission refuses everyone else.
    fs::create_directories(folder);
    ASSERT_EQ(::symlink("loop-b.url", (folder + "/loop-a.url").c_str()), 0);
    ASSERT_EQ(::symlink("loop-a.url", (folder + "/loop-b.url").c_str()), 0);
    std::vector<std::string> names{"loop-a.url"};
    const std::string locked = "[InternetShortcut]\r\nURL=http://kept/\r\nIconIndex=3\r\n";
    if (::geteuid() != 0) {
        writeFile("locked.url", locked);
        ASSERT_EQ(::chmod((folder + "/locked.url").c_str(), 0200), 0);
        names.push_back("locked.url");
    }
    pageLoaded("Page", "http://example.test/");
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        reports.clear();
        dialogAnswer = AddFavoriteChoice{folder + "/" + name, "x"};
        clickTool(form->Toolbar1->Window(), slotOf("add"));
        ASSERT_EQ(reports.size(), 1u);
        EXPECT_NE(reports[0].find(name), std::string::npos) << reports[0];
        EXPECT_EQ(form->Text1->GetValue(), "Page") << "nothing taken from the dialog";
    }
    char target[64] = {};
    EXPECT_EQ(::readlink((folder + "/loop-a.url").c_str(), target, sizeof target - 1), 10);
    if (::geteuid() != 0) {
        ::chmod((folder + "/locked.url").c_str(), 0600);
        EXPECT_EQ(readFile(folder + "/locked.url"), locked);
    }
    std::set<std::string> left;
    for (const auto& entry : fs::directory_iterator(folder))
        left.insert(entry.path().filename().string());
    EXPECT_EQ(left.size(), names.size() + 1) << "no temporary file left";
}

// The program's own start, as main runs it: the locale from the environment, the
// favorites looked up before the window is shown, and the window shown at the end.
TEST(ProgramStart, SetsTheLocaleLoadsThenShowsTheWindow)
{
    const std::string savedLocale = std::setlocale(LC_ALL, nullptr);
    std::setlocale(LC_ALL, "C");
    const char* savedCtype = std::getenv("LC_ALL");
    ::setenv("LC_ALL", "C.UTF-8", 1);

    Form1* started = nullptr;
    std::vector<bool> shownAtLookup;
    std::vector<wxString> calls;
    Form1Seams seams;
    seams.createBrowser = [&](wxWindow* parent) {
        auto fake = std::make_unique<FakeBrowser>(parent);
        fake->onCall = [&](const wxString& what) { calls.push_back(what); };
        return fake;
    };
    seams.favoritesFolder = [&]() -> std::optional<std::string> {
        shownAtLookup.push_back(started && started->IsShown());
        return (testHome() / "Favorites").string();
    };
    std::vector<std::string> reports;
    seams.reportFailure = [&](const std::string& message) { reports.push_back(message); };
    seams.tellUser = seams.reportFailure;
    seams.addFavoriteDialog = [](wxWindow*, const wxString&, const std::string&) {
        return std::optional<AddFavoriteChoice>();
    };
    started = startProgram(std::move(seams));
    const std::string localeAfterStart = std::setlocale(LC_CTYPE, nullptr);

    savedCtype ? ::setenv("LC_ALL", savedCtype, 1) : ::unsetenv("LC_ALL");
    std::setlocale(LC_ALL, savedLocale.c_str());
    EXPECT_EQ(localeAfterStart, "C.UTF-8");
    EXPECT_EQ(shownAtLookup, std::vector<bool>{false});
    EXPECT_TRUE(started->IsShown());
    EXPECT_TRUE(started->TopRatio.exists()) << "layout captured";
    EXPECT_EQ(calls, std::vector<wxString>{"NavigateTo http://www.baidu.com"});
    EXPECT_TRUE(reports.empty());
    started->Destroy();
    runPendingEvents();
}

} // namespace
