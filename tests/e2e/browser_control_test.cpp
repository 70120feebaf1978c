// The WebKit browser control on its own: navigation, its events and its history.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include <wx/frame.h>

#include "base/Addresses.h"
#include "base/Failure.h"
#include "engine/WebKitBrowser.h"
#include "tests/support/BrowserFixture.h"
#include "tests/support/TestEnvironment.h"

using namespace zemora;
using namespace zemora::test;

namespace {

using BrowserControl = BrowserFixture;

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

TEST_F(BrowserControl, ANavigationCompletesOnceHoweverLateItsTitle)
{
    std::vector<std::string> completedAt;
    browser->DownloadComplete = [&] { completedAt.push_back(browser->LocationURL()); };
    // A page whose title comes after its load; and an untitled page whose link leads to a
    // slow page that has one.
    server.route("/late.html", htmlPage("<script>onload = function () { setTimeout(function () {"
                                        "document.title = 'Late' }, 300) }</script><p>late</p>"));
    Response slow;
    slow.body = "<title>Slow</title><p>slow</p>";
    slow.delay = std::chrono::milliseconds(800);
    server.route("/slow.html", slow);
    server.route("/untitled.html", htmlPage("<p>untitled</p><script>setTimeout(function () {"
                                            "location.href = '/slow.html' }, 100)</script>"));

    browser->NavigateTo(server.url("/late.html"));
    ASSERT_TRUE(runEventsUntil([&] { return browser->LocationName() == "Late"; }));
    EXPECT_EQ(completedAt, std::vector<std::string>{server.url("/late.html")}) << "the late title is only a title";

    completedAt.clear();
    browser->NavigateTo(server.url("/untitled.html"));
    ASSERT_TRUE(runEventsUntil([&] { return browser->LocationName() == "Slow"; }));
    ASSERT_TRUE(runEventsUntil([&] { return completedAt.size() == 2; }));
    EXPECT_EQ(completedAt, (std::vector<std::string>{server.url("/untitled.html"), server.url("/slow.html")}))
        << "each page completes once, when it has loaded";
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

    browser->GoBack();
    EXPECT_TRUE(runEventsUntil([&] {
        return browser->LocationURL() == server.url("/a.html") && states[WebBrowserControl::CSC_NAVIGATEFORWARD]
               && !states[WebBrowserControl::CSC_NAVIGATEBACK];
    }));
}

TEST_F(BrowserControl, HomeIsTheBuiltInPage)
{
    const int before = completions;
    browser->GoHome();
    ASSERT_TRUE(runEventsUntil([&] { return completions > before; }));
    EXPECT_EQ(browser->LocationURL(), std::string(kHomeAddress));
    EXPECT_TRUE(runEventsUntil([&] { return browser->LocationName() == wxString::FromUTF8("Zemora浏览器主页"); }));
}

namespace {

struct Process {
    int parent = 0;
    std::string name;
};

std::map<int, Process> processes()
{
    std::map<int, Process> all;
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        const std::string pid = entry.path().filename();
        if (pid.find_first_not_of("0123456789") != std::string::npos)
            continue;
        std::ifstream stat(entry.path() / "stat");
        std::string line;
        std::getline(stat, line);
        const auto open = line.find('('), close = line.rfind(')');
        if (open == std::string::npos || close == std::string::npos)
            continue;
        Process p;
        p.name = line.substr(open + 1, close - open - 1);
        std::istringstream rest(line.substr(close + 2));
        std::string state;
        rest >> state >> p.parent;
        all[std::stoi(pid)] = p;
    }
    return all;
}

} // namespace

TEST_F(BrowserControl, PagesRunInASandboxedWebProcess)
{
    ASSERT_TRUE(open(server.url("/a.html")));
    const std::map<int, Process> all = processes();
    int webProcesses = 0;
    for (const auto& [pid, process] : all) {
        if (process.name.rfind("WebKitWebProces", 0) != 0)
            continue;
        // Ours are our descendants; each has bubblewrap between us and it.
        bool ours = false, confined = false;
        for (int p = process.parent; p > 1 && all.count(p); p = all.at(p).parent) {
            confined = confined || all.at(p).name == "bwrap";
            ours = ours || p == ::getpid();
        }
        if (ours) {
            ++webProcesses;
            EXPECT_TRUE(confined) << "web process " << pid << " runs outside the sandbox";
        }
    }
    EXPECT_GE(webProcesses, 1);
}

TEST_F(BrowserControl, LoadingFromTheRequestUntilTheLoadEnds)
{
    EXPECT_FALSE(browser->Loading()) << "the engine's own blank page is no load";
    ASSERT_TRUE(open(server.url("/a.html")));
    ASSERT_TRUE(runEventsUntil([&] { return !browser->Loading(); }));
    Response slow;
    slow.body = "<html><head><title>Slow</title></head></html>";
    slow.delay = std::chrono::milliseconds(500);
    server.route("/slow.html", slow);
    // From a page shown, as when the user asks for another.
    std::vector<bool> changes;
    browser->LoadingChange = [&](bool loading) { changes.push_back(loading); };
    browser->NavigateTo(server.url("/slow.html"));
    EXPECT_TRUE(browser->Loading()) << "at once, before the server has answered";
    ASSERT_TRUE(runEventsUntil([&] { return completions > 0 && browser->LocationURL() == server.url("/slow.html"); }));
    EXPECT_TRUE(runEventsUntil([&] { return !browser->Loading(); }));
    EXPECT_EQ(changes, (std::vector<bool>{true, false})) << "no pause in between, where a reload could cut in";
}
