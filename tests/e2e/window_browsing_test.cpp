// The program's window on the real engine, driven as a user would, against a local server.
#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/textctrl.h>

#include <gdk/gdkkeysyms.h>
#include <wx/stattext.h>
#include <wx/toolbar.h>

#include "base/Addresses.h"
#include "base/Commands.h"
#include "base/Limits.h"
#include "base/Texts.h"
#include "tests/support/PageActions.h"
#include "tests/support/RealFormFixture.h"
#include "tests/support/UserActions.h"

using namespace zemora;
using namespace zemora::test;

namespace {

class WindowBrowsing : public RealFormFixture {
protected:
    void SetUp() override
    {
        RealFormFixture::SetUp();
        Response moved;
        moved.status = 302;
        moved.location = server.url("/b.html");
        server.route("/moved", moved);
    }

    void typeAndPressEnter(const wxString& text)
    {
        form->Combo1->SetText(text);
        pressKey(form->Combo1->Window(), GDK_KEY_Return);
    }

    std::vector<wxString> history()
    {
        std::vector<wxString> items;
        for (int i = 0; i < form->Combo1->ListCount(); ++i)
            items.push_back(form->Combo1->List(i));
        return items;
    }
};

} // namespace

TEST_F(WindowBrowsing, TypedAddressOpensAndTheWindowFollowsThePage)
{
    const std::string host = "127.0.0.1:" + std::to_string(server.port());
    typeAndPressEnter(host + "/a.html");
    ASSERT_TRUE(captionIs("Page A"));
    ASSERT_TRUE(runEventsUntil([&] { return form->Text1->GetValue() == "Page A"; }, std::chrono::seconds(3)))
        << form->Text1->GetValue();
    EXPECT_EQ(form->Combo1->Text(), server.url("/a.html"));
    EXPECT_EQ(form->Text2->GetValue(), server.url("/a.html"));
    EXPECT_EQ(history(), std::vector<wxString>{server.url("/a.html")});
    EXPECT_FALSE(form->Toolbar1->Enabled(slotOf("back")));

    typeAndPressEnter(host + "/b.html");
    ASSERT_TRUE(captionIs("Page B"));
    EXPECT_TRUE(runEventsUntil([&] { return form->Toolbar1->Enabled(slotOf("back")); })) << "back enabled";
    EXPECT_FALSE(form->Toolbar1->Enabled(slotOf("forward")));

    clickTool(form->Toolbar1->Window(), slotOf("back"));
    ASSERT_TRUE(captionIs("Page A"));
    EXPECT_TRUE(runEventsUntil([&] { return form->Toolbar1->Enabled(slotOf("forward")); })) << "forward enabled";
    EXPECT_TRUE(runEventsUntil([&] { return form->Combo1->Text() == server.url("/a.html"); }));
    EXPECT_EQ(history().size(), 2u);
    EXPECT_TRUE(reports.empty());
}

TEST_F(WindowBrowsing, RedirectKeepsTheTypedHistoryEntryAndShowsTheFinalAddress)
{
    typeAndPressEnter("127.0.0.1:" + std::to_string(server.port()) + "/moved");
    ASSERT_TRUE(captionIs("Page B"));
    EXPECT_TRUE(runEventsUntil([&] { return form->Combo1->Text() == server.url("/b.html"); }));
    EXPECT_EQ(history(), std::vector<wxString>{server.url("/moved")});
}

TEST_F(WindowBrowsing, AutoRefreshReloadsTheShownPageOnEachTick)
{
    form->Combo1->SetText(server.url("/a.html"));
    clickButton(form->autofresh);
    ASSERT_TRUE(captionIs("Page A"));
    EXPECT_EQ(form->Timer1.Interval(), kRefreshInterval);
    EXPECT_EQ(history().size(), 0u);
    const int loads = server.hits("/a.html");

    form->Timer1.Start(300); // the minute, shortened: each tick reloads the page
    EXPECT_TRUE(runEventsUntil([&] { return server.hits("/a.html") >= loads + 2; }));
    form->Timer1.Stop();
    EXPECT_TRUE(reports.empty());
}

TEST_F(WindowBrowsing, ToolbarClickedFasterThanPagesLoadAndHugeAddressesLeaveItWorking)
{
    typeAndPressEnter(wxString(wxUniChar('a'), 100000));
    for (int round = 0; round < 20; ++round)
        for (int position = 1; position <= 11; ++position) {
            clickTool(form->Toolbar1->Window(), position);
        }
    // Refused moves through the history are told; the window still works.
    for (const std::string& report : reports)
        EXPECT_TRUE(report.find("back") != std::string::npos || report.find("forward") != std::string::npos
                    || report.find("refresh") != std::string::npos)
            << report;
    typeAndPressEnter(wxString::FromUTF8(server.url("/b.html")));
    EXPECT_TRUE(captionIs("Page B"));
}

// Clicked with the mouse where each is drawn, as the user does.
TEST_F(WindowBrowsing, PortalButtonsOpenTheirSites)
{
    DisplayLock display;
    HttpServer& internet = internetStandIn();
    wxToolBar* bar = form->Toolbar1->Window();
    ASSERT_TRUE(runEventsUntil([&] { return gtk_widget_get_mapped(bar->GetHandle()); }));
    for (const Portal& portal : kPortals) {
        SCOPED_TRACE(std::string(portal.key));
        const std::string address = std::string(portal.address) + "/";
        internet.page(address, std::string(portal.caption) + " stand-in");
        const int slot = slotCaptioned(bar, wxText(portal.caption));
        ASSERT_NE(slot, 0);
        GtkWidget* button = GTK_WIDGET(gtk_toolbar_get_nth_item(bar->GTKGetToolbar(), slot - 1));
        GtkAllocation place;
        gtk_widget_get_allocation(button, &place);
        clickAt(button, place.width / 2, place.height / 2);
        EXPECT_TRUE(captionIs(wxString::FromUTF8(std::string(portal.caption) + " stand-in")));
        EXPECT_EQ(internet.hits(address), 1);
    }
}

TEST_F(WindowBrowsing, StopEndsASlowLoad)
{
    Response slow;
    slow.body = "<title>Slow Page</title>";
    slow.delay = std::chrono::seconds(4);
    server.route("/slow", slow);
    typeAndPressEnter(wxString::FromUTF8(server.url("/slow")));
    ASSERT_TRUE(runEventsUntil([&] { return server.hits("/slow") == 1; }));
    clickTool(form->Toolbar1->Window(), slotOf("stop"));
    // The stopped load ends at once, as every load does, and the slow page never shows.
    EXPECT_TRUE(runEventsUntil([&] { return form->Label2->GetLabel() == wxText(kBanner); }, std::chrono::seconds(2)));
    runEventsUntil([] { return false; }, std::chrono::milliseconds(300));
    EXPECT_FALSE(form->GetTitle().StartsWith("Slow Page"));
}

TEST_F(WindowBrowsing, UntitledPageIsNamedByItsAddress)
{
    Response untitled;
    untitled.body = "<p>no title here</p>";
    server.route("/untitled", untitled);
    typeAndPressEnter(wxString::FromUTF8(server.url("/untitled")));
    EXPECT_TRUE(runEventsUntil([&] { return form->Text2->GetValue() == server.url("/untitled"); }));
    EXPECT_EQ(form->Text1->GetValue(), server.url("/untitled"));
}

TEST_F(WindowBrowsing, AutoRefreshLetsTheTypedAddressLoadThenReloadsIt)
{
    Response slow;
    slow.body = "<html><head><title>Page Slow</title></head></html>";
    slow.delay = std::chrono::milliseconds(1500);
    server.route("/slow.html", slow);
    form->Combo1->SetText(server.url("/a.html"));
    clickButton(form->autofresh);
    ASSERT_TRUE(captionIs("Page A"));

    typeAndPressEnter(server.url("/slow.html"));
    // The minute falls due just after Enter, while the typed page still loads.
    form->Timer1.Start(10, wxTIMER_ONE_SHOT);
    EXPECT_TRUE(runEventsUntil([&] { return server.hits("/slow.html") >= 2; }, std::chrono::seconds(8)))
        << "the typed page, loaded and then reloaded";
    EXPECT_TRUE(captionIs("Page Slow"));
    EXPECT_EQ(form->Combo1->Text(), server.url("/slow.html"));
    EXPECT_EQ(server.hits("/a.html"), 1) << "the page left was not reloaded";
    EXPECT_TRUE(reports.empty());
}
