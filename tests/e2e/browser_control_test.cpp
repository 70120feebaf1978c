// The WebKit browser control on its own: navigation, its events and its history.
#include <gtest/gtest.h>

#include <wx/frame.h>

#include "app/Failure.h"
#include "browse/WebKitBrowser.h"
#include "tests/support/HttpServer.h"
#include "tests/support/TestEnvironment.h"

using namespace zemora;
using namespace zemora::test;

namespace {

class BrowserControl : public testing::Test {
protected:
    void SetUp() override
    {
        frame = new wxFrame(nullptr, wxID_ANY, "test", wxDefaultPosition, wxSize(400, 300));
        browser = std::make_unique<WebKitBrowser>(frame);
        browser->DownloadComplete = [this] { ++downloads; };
        browser->TitleChange = [this](const wxString& t) { titles.push_back(t); };
        browser->CommandStateChange = [this](std::int32_t c, bool e) { states[c] = e; };
        frame->Show();
        server.page("/a.html", "Page A");
        server.page("/b.html", "Page B");
    }
    void TearDown() override
    {
        browser.reset();
        frame->Destroy();
        runPendingEvents();
    }

    // Opens an address and waits for its download to complete. A page's completion may
    // be told twice (again once its title arrives), so the address must match too.
    bool open(const wxString& address)
    {
        const int before = downloads;
        browser->NavigateTo(address);
        return runEventsUntil([&] { return downloads > before && browser->LocationURL() == address; });
    }

    HttpServer server;
    wxFrame* frame = nullptr;
    std::unique_ptr<WebKitBrowser> browser;
    int downloads = 0;
    std::vector<wxString> titles;
    std::map<std::int32_t, bool> states;
};

} // namespace

TEST_F(BrowserControl, OpenedPageCompletesAndReportsItsAddressAndName)
{
    EXPECT_EQ(browser->LocationURL(), "") << "no page of its own before the first request";
    ASSERT_TRUE(open(server.url("/a.html")));
    EXPECT_EQ(browser->LocationURL(), server.url("/a.html"));
    EXPECT_TRUE(runEventsUntil([&] { return browser->LocationName() == "Page A"; }));
    EXPECT_TRUE(runEventsUntil([&] { return !titles.empty() && titles.back() == "Page A"; }));
    EXPECT_EQ(server.hits("/a.html"), 1);
}

TEST_F(BrowserControl, FailedLoadStillCompletes)
{
    std::string refused;
    {
        HttpServer closed; // its port refuses connections once it is gone
        refused = closed.url("/none.html");
    }
    // Completes, and the engine's error page reports the address that failed.
    ASSERT_TRUE(open(refused));
}

TEST_F(BrowserControl, BackAndForwardFollowTheHistory)
{
    EXPECT_THROW(browser->GoBack(), Failure);
    EXPECT_THROW(browser->GoForward(), Failure);
    ASSERT_TRUE(open(server.url("/a.html")));
    EXPECT_FALSE(states[WebBrowserControl::CSC_NAVIGATEBACK]);
    ASSERT_TRUE(open(server.url("/b.html")));
    EXPECT_TRUE(states[WebBrowserControl::CSC_NAVIGATEBACK]);
    EXPECT_FALSE(states[WebBrowserControl::CSC_NAVIGATEFORWARD]);

    const int before = downloads;
    browser->GoBack();
    ASSERT_TRUE(runEventsUntil([&] { return downloads > before && browser->LocationURL() == server.url("/a.html"); }));
    EXPECT_TRUE(states[WebBrowserControl::CSC_NAVIGATEFORWARD]);
    EXPECT_FALSE(states[WebBrowserControl::CSC_NAVIGATEBACK]);
}

TEST_F(BrowserControl, HomeIsTheBuiltInPage)
{
    const int before = downloads;
    browser->GoHome();
    ASSERT_TRUE(runEventsUntil([&] { return downloads > before; }));
    EXPECT_EQ(browser->LocationURL(), WebKitBrowser::homeAddress());
    EXPECT_TRUE(runEventsUntil([&] { return browser->LocationName() == wxString::FromUTF8("Zemora浏览器主页"); }));
}
