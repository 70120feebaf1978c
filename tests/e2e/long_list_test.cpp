// A favorites list of hundreds opened as a person opens it: a real click on its arrow
// through the X server shows our list alone, and a click on an entry opens it.
#include <gtk/gtk.h>
#include <wx/combobox.h>
#include <wx/display.h>

#include "base/Limits.h"
#include "tests/support/FavoritesFixture.h"
#include "tests/support/PageActions.h"
#include "tests/support/UserActions.h"

using namespace zemora;
using namespace zemora::test;
using namespace std::chrono_literals;

using LongList = FavoritesFixture;

TEST_F(LongList, AClickOnTheArrowOpensOurListAloneAndAClickChoosesFromIt)
{
    DisplayLock alone;
    for (int i = 0; i < kLongListEntries + 100; ++i)
        writeFile("site" + std::to_string(i) + ".url",
                  "[InternetShortcut]\nURL=http://site" + std::to_string(i) + ".test/\n");
    form->runHandler([this] { form->LoadFavoritesList(); });
    form->Raise();
    settle(300ms);
    wxComboBox* box = form->Combo2->Window();
    const wxSize size = box->GetSize();
    // The arrow sits at the right end of the box.
    clickAt(box, size.x - size.y / 2, size.y / 2);
    ASSERT_TRUE(runEventsUntil([] { return !shownPopups().empty(); }, 5s));
    settle(500ms);
    const std::vector<int> popups = shownPopups();
    ASSERT_EQ(popups.size(), 1u) << "the toolkit's own list stays shut";
    EXPECT_LE(popups[0], wxDisplay(form).GetGeometry().height);
    // The third row; not raising our window, which would cover the list.
    browser->calls.clear();
    const wxPoint row = box->ClientToScreen(wxPoint(size.x / 2, 0));
    const std::string click = "xdotool mousemove " + std::to_string(row.x) + " "
                              + std::to_string(row.y + size.y + size.y * 5 / 2) + " sleep 0.2 click 1";
    ASSERT_EQ(std::system(click.c_str()), 0);
    ASSERT_TRUE(runEventsUntil([&] { return !browser->calls.empty(); }, 5s));
    EXPECT_EQ(browser->calls.back(),
              wxString("NavigateTo ") + "http://" + form->Combo2->List(2).BeforeLast('.') + ".test/");
    EXPECT_TRUE(shownPopups().empty());
}

TEST_F(LongList, EscClosesItAndTypedLettersFindTheirEntry)
{
    DisplayLock alone;
    for (int i = 0; i < kLongListEntries + 100; ++i)
        writeFile("site" + std::to_string(i) + ".url",
                  "[InternetShortcut]\nURL=http://site" + std::to_string(i) + ".test/\n");
    writeFile("Zebra.url", "[InternetShortcut]\nURL=http://zebra.test/\n");
    form->runHandler([this] { form->LoadFavoritesList(); });
    form->Raise();
    settle(300ms);
    wxComboBox* box = form->Combo2->Window();
    const wxSize size = box->GetSize();
    const auto openList = [&] {
        clickAt(box, size.x - size.y / 2, size.y / 2);
        return runEventsUntil([] { return !shownPopups().empty(); }, 5s);
    };
    ASSERT_TRUE(openList());
    settle(300ms);
    ASSERT_EQ(std::system("xdotool key Escape"), 0);
    EXPECT_TRUE(runEventsUntil([] { return shownPopups().empty(); }, 5s)) << "Esc closes the list";

    struct Row {
        const char* typed;
        const char* opens;
    };
    for (const Row& row : {Row{"z", "http://zebra.test/"}, Row{"site42", "http://site42.test/"}}) {
        SCOPED_TRACE(row.typed);
        ASSERT_TRUE(openList());
        settle(300ms);
        browser->calls.clear();
        ASSERT_EQ(std::system(("xdotool type --delay 50 " + std::string(row.typed)).c_str()), 0);
        ASSERT_EQ(std::system("xdotool key Return"), 0);
        ASSERT_TRUE(runEventsUntil([&] { return !browser->calls.empty(); }, 5s));
        EXPECT_EQ(browser->calls.back(), wxString("NavigateTo ") + row.opens);
    }
}
