#pragma once
// The WebKit browser control on its own in a shown frame, its events recorded, with a
// local server holding two pages.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <webkit2/webkit2.h>
#include <wx/frame.h>

#include "engine/WebKitBrowser.h"
#include "tests/support/InternetStandIn.h"
#include "tests/support/PageActions.h"
#include "tests/support/TestEnvironment.h"

namespace zemora::test {

class BrowserFixture : public testing::Test {
protected:
    void SetUp() override
    {
        if (useInternetStandIn)
            internetStandIn();
        frame = new wxFrame(nullptr, wxID_ANY, "test", wxDefaultPosition, wxSize(500, 400));
        browser = std::make_unique<WebKitBrowser>(frame);
        browser->DownloadComplete = [this] { ++completions; };
        browser->TitleChange = [this](const std::string& t) { titles.push_back(t); };
        browser->CommandStateChange = [this](std::int32_t c, bool e) { states[c] = e; };
        browser->StatusTextChange = [this](const std::string& t) { statuses.push_back(t); };
        browser->DownloadStatusChange = browser->StatusTextChange;
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

    // Opens an address and waits for its load to complete: a completion after the request,
    // with the address the request asked for.
    bool open(const std::string& address)
    {
        const int before = completions;
        browser->NavigateTo(address);
        return runEventsUntil([&] { return completions > before && browser->LocationURL() == address; });
    }

    // Clicks the middle of the page's one element (wholePage) once the page has drawn two
    // frames: a click sent before that can land on what was drawn before, and be lost.
    void clickInPage(int button = 1)
    {
        bool drawn = false;
        webkit_web_view_call_async_javascript_function(
            browser->webView(), "return new Promise(r => requestAnimationFrame(() => requestAnimationFrame(r)))", -1,
            nullptr, nullptr, nullptr, nullptr,
            [](GObject* view, GAsyncResult* result, gpointer done) {
                if (JSCValue* value =
                        webkit_web_view_call_async_javascript_function_finish(WEBKIT_WEB_VIEW(view), result, nullptr))
                    g_object_unref(value);
                *static_cast<bool*>(done) = true;
            },
            &drawn);
        runEventsUntil([&] { return drawn; }, std::chrono::seconds(5));
        clickAt(browser->Window(), 100, 100, button);
    }

    // Whether the page at this address with this title is shown, within the time.
    bool showing(const std::string& address, const std::string& title,
                 std::chrono::milliseconds time = std::chrono::seconds(20))
    {
        return runEventsUntil([&] { return browser->LocationURL() == address && browser->LocationName() == title; },
                              time);
    }
    // Whether the status line has told something holding this text, within the time.
    bool told(const std::string& part, std::chrono::milliseconds time = std::chrono::seconds(20))
    {
        return runEventsUntil(
            [&] {
                return std::any_of(statuses.begin(), statuses.end(),
                                   [&](const std::string& s) { return s.find(part) != std::string::npos; });
            },
            time);
    }

    // Off where a test must see how a host that does not exist fails: such tests ask the
    // system's resolver only for names under .invalid, which never exist.
    bool useInternetStandIn = true;
    HttpServer server;
    wxFrame* frame = nullptr;
    std::unique_ptr<WebKitBrowser> browser;
    int completions = 0;
    std::vector<std::string> titles;
    std::map<std::int32_t, bool> states;
    std::vector<std::string> statuses; // the status line's texts, UTF-8
};

} // namespace zemora::test
