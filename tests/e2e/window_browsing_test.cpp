// The program's window on the real engine, driven as a user would, against a local server.
#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/textctrl.h>

#include "tests/support/RealFormFixture.h"
#include "tests/support/HttpServer.h"

using namespace zemora;
using namespace zemora::test;

namespace {

class WindowBrowsing : public RealFormFixture {
protected:
    void SetUp() override
    {
        RealFormFixture::SetUp();
        server.page("/a.html", "Page A");
        server.page("/b.html", "Page B");
        Response moved;
        moved.status = 302;
        moved.location = server.url("/b.html");
        server.route("/moved", moved);
    }

    void typeAndPressEnter(const wxString& text)
    {
        wxComboBox* box = form->Combo1->Window();
        box->SetFocus();
        box->ChangeValue(text);
        wxKeyEvent enter(wxEVT_CHAR);
        enter.m_keyCode = WXK_RETURN;
        enter.m_uniChar = WXK_RETURN;
        enter.SetEventObject(box);
        box->ProcessWindowEvent(enter);
    }

    void clickButton(wxButton* button)
    {
        wxCommandEvent click(wxEVT_BUTTON, button->GetId());
        click.SetEventObject(button);
        button->ProcessWindowEvent(click);
    }

    bool captionIs(const wxString& title)
    {
        return runEventsUntil([&] { return form->GetTitle() == title + Form1::kTitleSuffix; });
    }

    std::vector<wxString> history()
    {
        std::vector<wxString> items;
        for (int i = 0; i < form->Combo1->ListCount(); ++i)
            items.push_back(form->Combo1->List(i));
        return items;
    }

    HttpServer server;
};

} // namespace

TEST_F(WindowBrowsing, TypedAddressOpensAndTheWindowFollowsThePage)
{
    const std::string host = "127.0.0.1:" + std::to_string(server.port());
    typeAndPressEnter(host + "/a.html");
    ASSERT_TRUE(captionIs("Page A"));
    ASSERT_TRUE(runEventsUntil([&] { return form->Text1->GetValue() == "Page A"; }, std::chrono::seconds(3))) << form->Text1->GetValue();
    EXPECT_EQ(form->Combo1->Text(), server.url("/a.html"));
    EXPECT_EQ(form->Text2->GetValue(), server.url("/a.html"));
    EXPECT_EQ(history(), std::vector<wxString>{server.url("/a.html")});
    EXPECT_FALSE(form->Toolbar1->Enabled(1));

    typeAndPressEnter(host + "/b.html");
    ASSERT_TRUE(captionIs("Page B"));
    EXPECT_TRUE(runEventsUntil([&] { return form->Toolbar1->Enabled(1); })) << "back enabled";
    EXPECT_FALSE(form->Toolbar1->Enabled(3));

    form->runHandler([&] { form->Toolbar1_ButtonClick(form->Toolbar1->Buttons(1)); });
    ASSERT_TRUE(captionIs("Page A"));
    EXPECT_TRUE(runEventsUntil([&] { return form->Toolbar1->Enabled(3); })) << "forward enabled";
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
    EXPECT_EQ(form->Timer1.Interval(), Form1::kRefreshInterval);
    EXPECT_EQ(history().size(), 0u);
    const int loads = server.hits("/a.html");

    form->runHandler([&] { form->Timer1_Timer(); }); // the minute's tick, raised directly
    EXPECT_TRUE(runEventsUntil([&] { return server.hits("/a.html") == loads + 1; }));
    form->runHandler([&] { form->Timer1_Timer(); });
    EXPECT_TRUE(runEventsUntil([&] { return server.hits("/a.html") == loads + 2; }));
    EXPECT_TRUE(reports.empty());
}

TEST_F(WindowBrowsing, ToolbarClickedFasterThanPagesLoadAndHugeAddressesLeaveItWorking)
{
    typeAndPressEnter(wxString(wxUniChar('a'), 100000));
    for (int round = 0; round < 20; ++round)
        for (int position = 1; position <= 11; ++position) {
            form->runHandler([&] { form->Toolbar1_ButtonClick(form->Toolbar1->Buttons(position)); });
            runPendingEvents();
        }
    // Refused moves through the history are told; the window still works.
    for (const std::string& report : reports)
        EXPECT_TRUE(report.find("back") != std::string::npos || report.find("forward") != std::string::npos ||
                    report.find("refresh") != std::string::npos)
            << report;
    typeAndPressEnter(wxString::FromUTF8(server.url("/b.html")));
    EXPECT_TRUE(captionIs("Page B"));
}
