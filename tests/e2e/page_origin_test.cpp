// A page stays in its own origin and never traps the user: tried as a hostile page would,
// with a frame from a second origin, real clicks, and the engine's processes watched.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstring>
#include <tuple>
#include <utility>

#include <filesystem>

#include <webkit2/webkit2.h>
#include <wx/combobox.h>
#include <wx/frame.h>
#include <wx/textctrl.h>

#include "base/Limits.h"
#include "base/Texts.h"
#include "browse/ErrorPages.h"
#include "tests/support/BrowserFixture.h"
#include "tests/support/Files.h"
#include "tests/support/PageActions.h"
#include "tests/support/RealFormFixture.h"
#include "tests/support/UserActions.h"

using namespace zemora;
using namespace zemora::test;
using namespace std::chrono_literals;

namespace {

// Shown in the host's title if a script ever runs there with the host's cookie.
constexpr char kStolen[] = "STOLEN";

class PageOrigin : public BrowserFixture {
protected:
    void SetUp() override
    {
        downloads = testHome() / "Downloads";
        fs::remove_all(downloads);
        fs::create_directories(downloads);
        // Both origins are this machine's (127.0.0.1 and localhost): no stand-in needed.
        useInternetStandIn = false;
        BrowserFixture::SetUp();
        browser->askSilenceDialogs = [this] {
            ++silenceOffers;
            return silenceAnswer;
        };
    }

    WebKitWebView* view() { return browser->webView(); }

    // The host on 127.0.0.1 sets its cookie and frames, over the whole page, a document
    // from a second origin (the same server by another name).
    std::string hostFraming(const std::string& framePath, const std::string& frameAttributes = "")
    {
        server.route(
            "/host.html",
            htmlPage(wholePage("Host", "<script>document.cookie='secret=host-only; path=/'</script>"
                                       "<iframe id=all "
                                           + frameAttributes + " style=\"border:0\" src=\"" + otherOrigin(framePath)
                                           + "\" onload=\"document.title='Framed'\"></iframe>")));
        return server.url("/host.html");
    }
    std::string otherOrigin(const std::string& path)
    {
        return "http://localhost:" + std::to_string(server.port()) + path;
    }

    // Loads the host and, once its frame has loaded, clicks into the frame as a person would.
    void clickInFrameOf(const std::string& host)
    {
        ASSERT_TRUE(open(host));
        ASSERT_TRUE(showing(host, "Framed"));
        clickInPage();
    }

    bool scriptRanInHost() { return browser->LocationName().find(kStolen) != std::string::npos; }
    bool toldSince(std::size_t from, const std::string& part)
    {
        return std::any_of(statuses.begin() + static_cast<std::ptrdiff_t>(from), statuses.end(),
                           [&](const std::string& s) { return s.find(part) != std::string::npos; });
    }

    // The frame's attack, clicked: nothing runs in the host, which stays where it was.
    void attackFromFrame(const std::string& frameAttributes = "", bool refusedByUs = true)
    {
        DisplayLock alone;
        frame->Raise();
        const std::string host = hostFraming("/frame.html", frameAttributes);
        const std::size_t before = statuses.size();
        clickInFrameOf(host);
        // Our refusal is told; the engine's own has no sign, and then the attack's time goes
        // by. What got through would show soon after either.
        if (refusedByUs)
            runEventsUntil([&] { return toldSince(before, "已阻止"); }, 1500ms);
        nothingWithin(refusedByUs ? 500ms : 1500ms,
                      [&] { return scriptRanInHost() || browser->LocationURL() != host; });
        EXPECT_FALSE(scriptRanInHost()) << browser->LocationName();
        EXPECT_EQ(browser->LocationURL(), host);
        if (refusedByUs) {
            EXPECT_TRUE(told("已阻止", 1ms));
        }
    }

    bool dialogShown()
    {
        bool found = false;
        gtk_container_forall(
            GTK_CONTAINER(view()),
            [](GtkWidget* child, gpointer any) {
                if (strstr(G_OBJECT_TYPE_NAME(child), "ScriptDialog") && gtk_widget_get_visible(child))
                    *static_cast<bool*>(any) = true;
            },
            &found);
        return found;
    }

    // The button of the engine's dialog, pressed as a click on it would.
    bool pressDialogButton()
    {
        struct Walk {
            static void visit(GtkWidget* widget, gpointer found)
            {
                auto** button = static_cast<GtkWidget**>(found);
                if (*button)
                    return;
                if (GTK_IS_BUTTON(widget))
                    *button = widget;
                else if (GTK_IS_CONTAINER(widget))
                    gtk_container_forall(GTK_CONTAINER(widget), visit, found);
            }
        };
        GtkWidget* button = nullptr;
        gtk_container_forall(
            GTK_CONTAINER(view()),
            [](GtkWidget* child, gpointer found) {
                if (strstr(G_OBJECT_TYPE_NAME(child), "ScriptDialog"))
                    Walk::visit(child, found);
            },
            &button);
        if (button)
            gtk_button_clicked(GTK_BUTTON(button));
        return button != nullptr;
    }

    fs::path downloads;
    int silenceOffers = 0;
    bool silenceAnswer = true;
};

const std::string kSteal = std::string("javascript:void(document.title='") + kStolen + " '+document.cookie)";

} // namespace

TEST_F(PageOrigin, AFramedPageCannotOpenScriptInItsHostByAClick)
{
    server.route("/frame.html", htmlPage(wholePage("F", "<button id=all onclick=\"window.open(&quot;" + kSteal
                                                            + "&quot;)\">x</button>")));
    attackFromFrame();
}

TEST_F(PageOrigin, AFramedLinkCannotOpenScriptInItsHost)
{
    server.route("/frame.html", htmlPage(wholePage("F", "<a id=all target=_blank href=\"" + kSteal + "\">x</a>")));
    attackFromFrame();
    // Not from a frame that may not even run scripts either.
    attackFromFrame("sandbox=\"allow-popups\"");
}

TEST_F(PageOrigin, AFramedLinkCannotOpenAnInlineDocument)
{
    server.route("/frame.html", htmlPage(wholePage("F", "<a id=all target=_blank href=\"data:text/html,<title>"
                                                            + std::string(kStolen) + "</title>\">x</a>")));
    attackFromFrame();
    // Still a browser: an ordinary new window the user asks for opens here.
    server.route("/frame.html", htmlPage(wholePage("F", "<a id=all target=_blank href=\"/b.html\">b</a>")));
    DisplayLock alone;
    frame->Raise();
    clickInFrameOf(hostFraming("/frame.html"));
    EXPECT_TRUE(runEventsUntil([&] { return browser->LocationName() == "Page B"; }));
}

TEST_F(PageOrigin, APageCannotSendTheTopFrameToAnInlineDocument)
{
    const std::string inline_ = std::string("data:text/html,<title>") + kStolen + "</title>";
    // The engine refuses these itself; the test keeps it so.
    server.route("/frame.html", htmlPage(wholePage("F", "<a id=all target=_top href=\"" + inline_ + "\">x</a>")));
    attackFromFrame("", false);
    server.route("/self.html",
                 htmlPage(wholePage("Self", "<button id=all onclick=\"document.title='Clicked'; location='" + inline_
                                                + "'\">x</button>")));
    DisplayLock alone;
    frame->Raise();
    ASSERT_TRUE(open(server.url("/self.html")));
    clickInPage();
    ASSERT_TRUE(showing(server.url("/self.html"), "Clicked"));
    nothingWithin(500ms, [&] { return browser->LocationURL() != server.url("/self.html"); });
    EXPECT_EQ(browser->LocationURL(), server.url("/self.html"));
    // Typed by the user, it opens.
    EXPECT_TRUE(open(inline_));
    EXPECT_TRUE(runEventsUntil([&] { return scriptRanInHost(); }));
}

TEST_F(PageOrigin, ContextMenuOpensNeitherScriptNorLocalFilesFromAPage)
{
    DisplayLock alone;
    frame->Raise();
    const fs::path secret = testHome() / "secret.html";
    std::ofstream(secret) << "<title>Secret</title>local";
    for (const std::string& link : {kSteal, "file://" + secret.string()}) {
        SCOPED_TRACE(link);
        server.route("/link.html", htmlPage(wholePage("Link", "<a id=all href=\"" + link + "\">x</a>")));
        ASSERT_TRUE(open(server.url("/link.html")));
        GAction* openHere = nullptr;
        const gulong watch = g_signal_connect_after(
            view(), "context-menu",
            G_CALLBACK(+[](WebKitWebView*, WebKitContextMenu* menu, GdkEvent*, WebKitHitTestResult*, GAction** found) {
                for (guint i = 0; i < webkit_context_menu_get_n_items(menu); ++i)
                    if (GAction* a =
                            webkit_context_menu_item_get_gaction(webkit_context_menu_get_item_at_position(menu, i));
                        a && g_str_equal(g_action_get_name(a), "zemora-open-link-here"))
                        *found = G_ACTION(g_object_ref(a));
                return TRUE;
            }),
            &openHere);
        clickInPage(3);
        const bool offered = runEventsUntil([&] { return openHere != nullptr; }, 5s);
        g_signal_handler_disconnect(view(), watch);
        if (!offered)
            continue; // the engine offers no such item for this link: nothing to open
        statuses.clear();
        g_action_activate(openHere, nullptr);
        g_object_unref(openHere);
        EXPECT_TRUE(told("已阻止"));
        nothingWithin(500ms, [&] {
            return browser->LocationURL() != server.url("/link.html") || browser->LocationName() != "Link";
        });
        EXPECT_EQ(browser->LocationURL(), server.url("/link.html"));
        EXPECT_EQ(browser->LocationName(), "Link");
    }
}

TEST_F(PageOrigin, AWebPageOpensNoLocalFileButTheUserStillCan)
{
    DisplayLock alone;
    frame->Raise();
    const fs::path secret = testHome() / "secret.html";
    std::ofstream(secret) << "<title>Secret</title>local";
    const std::string file = "file://" + secret.string();
    server.route("/opener.html",
                 htmlPage(wholePage("Opener", "<button id=all onclick=\"window.open('" + file + "')\">x</button>")));
    server.route("/blank.html", htmlPage(wholePage("Blank", "<a id=all target=_blank href=\"" + file + "\">x</a>")));
    for (const char* path : {"/opener.html", "/blank.html"}) {
        SCOPED_TRACE(path);
        const std::size_t before = statuses.size();
        ASSERT_TRUE(open(server.url(path)));
        clickInPage();
        runEventsUntil([&] { return toldSince(before, "已阻止"); }, 1500ms);
        nothingWithin(500ms, [&] { return browser->LocationURL() != server.url(path); });
        EXPECT_EQ(browser->LocationURL(), server.url(path));
    }
    // Typed (or given on the command line), it opens.
    EXPECT_TRUE(open(file));
    EXPECT_TRUE(runEventsUntil([&] { return browser->LocationName() == "Secret"; }));
}

TEST_F(PageOrigin, DownloadNamesWithFolderPartsAreSavedPlainAndKillNoEngineProcess)
{
    DisplayLock alone;
    frame->Raise();
    ASSERT_TRUE(open(server.url("/a.html")));
    const std::vector<int> network = ourNetworkProcesses(), web = ourWebProcesses();
    ASSERT_FALSE(network.empty());
    ASSERT_FALSE(web.empty());

    // Each spelling of a name with folder parts, answered to a typed address and to a
    // hidden frame from a second origin that the user's click put in; %s is the plain name
    // the file must get.
    const char* const spellings[] = {
        "attachment; filename=\"../%s\"",
        "attachment; filename*=UTF-8''..%%2F%s",
        "attachment; foo; filename=\"../%s\"",
        "attachment; filename=\"../../%s\"",
    };
    std::vector<std::string> expected;
    for (std::size_t row = 0; row < std::size(spellings); ++row) {
        for (const bool framed : {false, true}) {
            const std::string name = (framed ? "framed-" : "typed-") + std::to_string(row) + ".txt";
            SCOPED_TRACE(name);
            char header[200];
            std::snprintf(header, sizeof header, spellings[row], name.c_str());
            Response answer;
            answer.contentType = "text/plain";
            answer.body = name;
            answer.headers = {{"Content-Disposition", header}};
            server.route("/" + name, answer);
            statuses.clear();
            if (framed) {
                // The user's click in the page puts in the hidden frame, which answers the download.
                server.route("/framing.html",
                             htmlPage(wholePage("Framing", "<button id=all onclick=\"var f = document.createElement("
                                                           "'iframe'); f.style.display = 'none'; f.src = '"
                                                               + otherOrigin("/" + name)
                                                               + "'; document.body.appendChild(f)\">go</button>")));
                ASSERT_TRUE(open(server.url("/framing.html")));
                clickInPage();
            } else {
                browser->NavigateTo(server.url("/" + name));
            }
            EXPECT_TRUE(told("已下载 " + name)) << (statuses.empty() ? "" : statuses.back());
            EXPECT_EQ(readFile(downloads / name), name);
            expected.push_back(name);
        }
    }
    // A download link's own name, clicked; and one whose answer names the file.
    server.route("/data.txt", [] {
        Response plainText;
        plainText.contentType = "text/plain";
        plainText.body = "linked\n";
        return plainText;
    }());
    server.route("/evil-header", attachment("../../header.txt", "header\n"));
    for (const auto& [href, name, saved] : {std::tuple{"/data.txt", "../../linked.txt", "linked.txt"},
                                            std::tuple{"/evil-header", "plain.txt", "header.txt"}}) {
        SCOPED_TRACE(href);
        server.route("/link.html", htmlPage(wholePage("Link", std::string("<a id=all download=\"") + name + "\" href=\""
                                                                  + href + "\">x</a>")));
        ASSERT_TRUE(open(server.url("/link.html")));
        statuses.clear();
        clickInPage();
        EXPECT_TRUE(told("已下载")) << "nothing was saved";
        runEventsUntil([&] { return fs::exists(downloads / saved); });
    }
    // The server's name wins over the link's, as in every browser; both lose their folders.
    expected.insert(expected.end(), {"header.txt", "linked.txt"});
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(namesIn(downloads), expected);
    for (const std::string& name : expected)
        for (const fs::path& outside : {testHome(), testHome().parent_path()})
            EXPECT_FALSE(fs::exists(outside / name)) << outside / name;
    EXPECT_EQ(ourNetworkProcesses(), network) << "the network process lives on";
    EXPECT_EQ(ourWebProcesses(), web) << "the page's process lives on";
    EXPECT_TRUE(open(server.url("/b.html")));
}

TEST_F(PageOrigin, DownloadsNobodyAskedForAreRefusedAndASecondOneAsksFirst)
{
    int asked = 0;
    bool answer = false;
    browser->askMoreDownloads = [&] {
        ++asked;
        return answer;
    };
    // Hidden frames of another site download as the page loads, nobody having clicked.
    std::string frames;
    for (int i = 0; i < 3; ++i) {
        server.route("/framed-" + std::to_string(i), attachment("framed.txt", "framed\n"));
        frames +=
            "<iframe style=\"display:none\" src=\"" + otherOrigin("/framed-" + std::to_string(i)) + "\"></iframe>";
    }
    server.route("/frames.html", htmlPage(wholePage("Frames", frames)));
    ASSERT_TRUE(open(server.url("/frames.html")));
    EXPECT_TRUE(told("已阻止 localhost"));
    EXPECT_TRUE(runEventsUntil([&] { return server.hits("/framed-2") > 0; }));
    nothingWithin(500ms, [&] { return !namesIn(downloads).empty() || asked > 0; });
    EXPECT_EQ(namesIn(downloads), std::vector<std::string>{});
    EXPECT_EQ(asked, 0) << "refused, not asked";

    // The page's own script starts five downloads: the first goes, the second asks once
    // for the page, and the answer holds for the rest.
    for (int i = 0; i < 5; ++i)
        server.route("/file-" + std::to_string(i), attachment("file.txt", std::to_string(i)));
    server.route("/many.html", htmlPage("<title>Many</title><script>var i = 0; var next = setInterval(function () {"
                                        "var a = document.createElement('a'); a.href = '/file-' + i;"
                                        "a.download = 'file.txt'; document.body.appendChild(a); a.click();"
                                        "if (++i == 5) clearInterval(next); }, 200)</script>"));
    for (const bool allowed : {false, true}) {
        SCOPED_TRACE(allowed ? "allowed" : "blocked");
        for (const auto& name : namesIn(downloads))
            fs::remove(downloads / name);
        answer = allowed;
        asked = 0;
        statuses.clear();
        const std::size_t before = browser->Downloads().size();
        ASSERT_TRUE(open(server.url("/many.html")));
        ASSERT_TRUE(runEventsUntil([&] { return asked == 1; }));
        EXPECT_TRUE(runEventsUntil([&] {
            const auto list = browser->Downloads();
            return list.size() == before + 5 && std::none_of(list.begin(), list.end(), [](const DownloadInfo& d) {
                       return d.state == DownloadInfo::State::Running || d.state == DownloadInfo::State::Waiting;
                   });
        }));
        EXPECT_EQ(namesIn(downloads).size(), allowed ? 5u : 1u);
        EXPECT_EQ(asked, 1) << "asked once for the page";
        if (!allowed) {
            EXPECT_TRUE(told("已阻止此网页再下载", 1ms));
        }
    }
}

TEST_F(PageOrigin, LinksForOtherProgramsGoToTheirProgramWhenTheUserSaysSo)
{
    DisplayLock alone;
    frame->Raise();
    // A stand-in mail program on PATH, the desktop's choice for mailto: links.
    const fs::path bin = testHome() / "bin", got = testHome() / "mail-program-got";
    fs::create_directories(bin);
    writeFile((bin / "zemora-test-mail").string(), "#!/bin/sh\necho \"$1\" >> '" + got.string() + "'\n");
    fs::permissions(bin / "zemora-test-mail", fs::perms::owner_all);
    ::setenv("PATH", (bin.string() + ":" + std::getenv("PATH")).c_str(), 1);
    const fs::path data = std::getenv("XDG_DATA_HOME"), config = std::getenv("XDG_CONFIG_HOME");
    fs::create_directories(data / "applications");
    writeFile((data / "applications/zemora-test-mail.desktop").string(),
              "[Desktop Entry]\nType=Application\nName=Stand-in Mail\nExec=zemora-test-mail %u\n"
              "MimeType=x-scheme-handler/mailto;\n");
    writeFile((config / "mimeapps.list").string(),
              "[Default Applications]\nx-scheme-handler/mailto=zemora-test-mail.desktop\n");
    std::vector<std::string> questions;
    bool answer = true;
    browser->askOpenElsewhere = [&](const std::string& program, const std::string& address) {
        questions.push_back(program + " " + address);
        return answer;
    };
    const auto clickLink = [&](const std::string& href) {
        server.route("/link.html", htmlPage(wholePage("Link", "<a id=all href=\"" + href + "\">x</a>")));
        ASSERT_TRUE(open(server.url("/link.html")));
        clickInPage();
    };
    struct Row {
        const char* what;
        std::function<void()> act;
        bool answer;
        std::vector<std::string> asked;
        std::string launched; // what the program got, if anything
        const char* told;
    };
    const Row rows[] = {
        {"a click, yes",
         [&] { clickLink("mailto:someone@example.test"); },
         true,
         {"Stand-in Mail mailto:someone@example.test"},
         "mailto:someone@example.test\n",
         nullptr},
        {"a click, no",
         [&] { clickLink("mailto:other@example.test"); },
         false,
         {"Stand-in Mail mailto:other@example.test"},
         "",
         nullptr},
        {"typed by the user",
         [&] { browser->NavigateTo("mailto:typed@example.test"); },
         true,
         {"Stand-in Mail mailto:typed@example.test"},
         "mailto:typed@example.test\n",
         nullptr},
        {"a page, nobody clicking",
         [&] {
             server.route("/sends.html",
                          htmlPage("<title>Sends</title><script>location = 'mailto:x@example.test'</script>"));
             ASSERT_TRUE(open(server.url("/sends.html")));
         },
         true,
         {},
         "",
         "已阻止网页打开 mailto:x@example.test"},
        {"no program for it", [&] { clickLink("tel:+8610123"); }, true, {}, "", "没有可以打开 tel: 链接的程序"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        fs::remove(got);
        questions.clear();
        statuses.clear();
        answer = row.answer;
        row.act();
        // What the link sets off: a question, or a word in the status line.
        runEventsUntil([&] { return questions.size() >= row.asked.size(); });
        if (row.told) {
            EXPECT_TRUE(told(row.told));
        }
        EXPECT_EQ(questions, row.asked);
        if (!row.launched.empty()) {
            EXPECT_TRUE(runEventsUntil([&] { return readFile(got) == row.launched; }, 5s)) << readFile(got);
        }
        // Nothing else comes of it: no program launched unasked, no other page.
        nothingWithin(500ms, [&] {
            return (row.launched.empty() && fs::exists(got)) || browser->LocationURL().rfind("http://", 0) != 0
                   || browser->LocationName() == wxText(kErrorPageTitle);
        });
        if (row.launched.empty()) {
            EXPECT_FALSE(fs::exists(got));
        }
        // The page stays: no error page of ours, no other address.
        EXPECT_EQ(browser->LocationURL().rfind("http://", 0), 0u) << browser->LocationURL();
        EXPECT_NE(browser->LocationName(), wxText(kErrorPageTitle));
    }
}

TEST_F(PageOrigin, APageAsksForTheLocationAndTheAnswerHoldsForItsSite)
{
    DisplayLock alone;
    frame->Raise();
    std::vector<std::string> questions;
    bool answer = false;
    browser->askPermission = [&](const std::string& question) {
        questions.push_back(question);
        return answer;
    };
    // The page's own callback tells what came of its request.
    server.route("/where.html",
                 htmlPage(wholePage("Where", "<button id=all onclick=\"navigator.geolocation.getCurrentPosition("
                                             "function () { document.title = 'position' },"
                                             "function (e) { document.title = 'error ' + e.code })\">where</button>")));
    struct Row {
        const char* what;
        const char* site; // the address's host
        bool answer;
        std::size_t asked;
        bool denied;
    };
    const Row rows[] = {
        {"blocked", "127.0.0.1", false, 1, true},
        {"blocked, remembered", "127.0.0.1", true, 0, true},
        {"another site, allowed", "localhost", true, 1, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        questions.clear();
        answer = row.answer;
        const std::string address =
            "http://" + std::string(row.site) + ":" + std::to_string(server.port()) + "/where.html";
        ASSERT_TRUE(open(address));
        ASSERT_TRUE(showing(address, "Where")); // a load can complete before its title comes
        clickInPage();
        ASSERT_TRUE(runEventsUntil([&] { return browser->LocationName() != "Where"; }, 20s));
        ASSERT_EQ(questions.size(), row.asked);
        if (row.asked) {
            EXPECT_EQ(questions[0], bilingual(kAskLocation, {{"site", row.site}}));
        }
        // Denied, the page hears PERMISSION_DENIED (1); allowed, it gets a place or hears
        // that none can be had here (2, 3).
        EXPECT_EQ(browser->LocationName() == "error 1", row.denied) << browser->LocationName();
    }
}

TEST_F(PageOrigin, ADownloadLostWithTheNetworkProcessIsToldAndLeavesNothing)
{
    Response slow;
    slow.contentType = "application/octet-stream";
    slow.generatedBytes = 64u << 20;
    slow.headers = {{"Content-Disposition", "attachment; filename=\"slow.bin\""}};
    server.route("/slow.bin", slow);
    // The server writes as fast as the engine reads: the test kills the process at once.
    browser->NavigateTo(server.url("/slow.bin"));
    ASSERT_TRUE(told("正在下载 slow.bin"));
    for (int pid : ourNetworkProcesses())
        ::kill(pid, SIGKILL);
    EXPECT_TRUE(told("下载进程已停止", 10s));
    runEventsUntil([&] { return namesIn(downloads).empty(); });
    EXPECT_EQ(namesIn(downloads), std::vector<std::string>{});
    // Closing the window with the lost download must not crash (TearDown destroys it).
    browser.reset();
}

TEST_F(PageOrigin, TheUsersNavigationWinsOverATrappingPage)
{
    struct Trap {
        const char* how;
        const char* script;
        bool dialog;
    };
    const Trap traps[] = {
        {"alert loop", "while (true) alert('trap');", true},
        {"confirm loop", "while (true) confirm('trap');", true},
        {"prompt loop", "while (true) prompt('trap');", true},
        {"endless script", "while (true) {}", false},
    };
    silenceAnswer = false;
    for (const Trap& trap : traps) {
        SCOPED_TRACE(trap.how);
        server.route("/trap.html", htmlPage(std::string("<title>Trap</title><script>setTimeout(function () {")
                                            + trap.script + "}, 200)</script>"));
        ASSERT_TRUE(open(server.url("/trap.html")));
        if (trap.dialog)
            ASSERT_TRUE(runEventsUntil([this] { return dialogShown(); }, 10s));
        else
            settle(1s); // a page caught in a loop tells nothing, not even a title set before it
        const auto asked = std::chrono::steady_clock::now();
        browser->NavigateTo(server.url("/a.html"));
        EXPECT_TRUE(showing(server.url("/a.html"), "Page A", 15s));
        EXPECT_LT(std::chrono::steady_clock::now() - asked, 12s);
        EXPECT_FALSE(dialogShown());
    }
}

TEST_F(PageOrigin, APageShowingDialogsInARowCanBeSilenced)
{
    server.route("/nag.html", htmlPage("<title>Nag</title><script>setTimeout(function () {"
                                       "for (var i = 0; i < 5; ++i) alert(i); document.title = 'Done';"
                                       "}, 200)</script>"));
    ASSERT_TRUE(open(server.url("/nag.html")));
    // Stop answers the dialog shown and quiets the page: the rest are answered unseen.
    ASSERT_TRUE(runEventsUntil([this] { return dialogShown(); }, 10s));
    browser->Stop();
    EXPECT_TRUE(runEventsUntil([&] { return browser->LocationName() == "Done"; }, 10s));
    EXPECT_FALSE(dialogShown());
    EXPECT_EQ(silenceOffers, 0);

    // Answered one by one, the third dialog in a row asks, and yes silences the page; also
    // when the page loads itself again after each answer.
    server.route("/loop.html", htmlPage("<title>Loop</title><script>setTimeout(function () {"
                                        "alert('again'); location.reload(); }, 200)</script>"));
    for (const auto& [path, titleOnceSilenced] : {std::pair{"/nag.html", "Done"}, std::pair{"/loop.html", "Loop"}}) {
        SCOPED_TRACE(path);
        silenceOffers = 0;
        ASSERT_TRUE(open(server.url(path)));
        for (int shown = 1; shown < kDialogsBeforeOffer; ++shown) {
            ASSERT_TRUE(runEventsUntil([this] { return dialogShown(); }, 10s)) << shown;
            ASSERT_TRUE(pressDialogButton());
            runEventsUntil([&] { return !dialogShown(); }, 2s);
        }
        EXPECT_TRUE(runEventsUntil([&] { return silenceOffers == 1; }, 10s));
        EXPECT_FALSE(runEventsUntil([this] { return dialogShown(); }, 1500ms)) << "silenced";
        EXPECT_EQ(silenceOffers, 1);
        EXPECT_TRUE(runEventsUntil([&] { return browser->LocationName() == titleOnceSilenced; }, 10s));
    }
}

namespace {

// The whole window on the real engine, attacked with real clicks and keys.
class WindowPageOrigin : public RealFormFixture {
protected:
    void SetUp() override
    {
        RealFormFixture::SetUp();
        ASSERT_TRUE(runEventsUntil([&] { return form->IsShownOnScreen(); }));
        // The victim on 127.0.0.1 keeps its cookie; the attacker is another origin.
        server.route("/victim.html", htmlPage(wholePage("Victim", "<script>document.cookie='secret=victim; path=/'"
                                                                  "</script><p id=all>victim</p>")));
    }
    std::string attacker(const std::string& path) { return "http://localhost:" + std::to_string(server.port()) + path; }
    std::string boxText() { return form->Combo1->Text().utf8_string(); }
    std::string shownAddress() { return form->WebBrowser1->LocationURL(); }
};

} // namespace

TEST_F(WindowPageOrigin, ARefusedRedirectNeverPutsThePagesAddressInTheUsersHands)
{
    DisplayLock alone;
    struct Row {
        const char* what;
        const char* target;
        bool pageProcessEnds; // the engine's doing (engine/EngineFaults.md, 5)
    };
    const Row rows[] = {
        {"script", "javascript:document.title='STOLEN '+document.cookie", false},
        {"inline document", "data:text/html,<title>INLINE</title>inline", false},
        {"local file", "file:///etc/hostname", true},
    };
    const std::string favorite = (testHome() / "Favorites" / "kept.url").string();
    std::filesystem::create_directories(testHome() / "Favorites");
    form->runHandler([&] { form->LoadFavoritesList(); });
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Response redirect;
        redirect.status = 302;
        redirect.location = row.target;
        server.route("/redirect", redirect);
        // A click in the attacker's page opens a new window on an address that redirects.
        server.route("/opener.html", htmlPage(wholePage("Opener", "<button id=all onclick=\"window.open('"
                                                                      + attacker("/redirect") + "')\">go</button>")));
        ASSERT_TRUE(form->WebBrowser1 != nullptr);
        form->runHandler([&] { form->WebBrowser1->NavigateTo(attacker("/opener.html")); });
        ASSERT_TRUE(captionIs("Opener"));
        const std::vector<int> pageProcesses = ourWebProcesses();
        focusPage();
        ASSERT_TRUE(runEventsUntil([&] { return server.hits("/redirect") > 0; }));
        ASSERT_TRUE(captionIs(wxText(kErrorPageTitle)));
        // What the window shows and keeps is the address that redirected.
        EXPECT_EQ(shownAddress(), attacker("/redirect"));
        EXPECT_EQ(boxText(), attacker("/redirect"));
        EXPECT_EQ(form->Text2->GetValue().utf8_string(), attacker("/redirect"));
        if (!row.pageProcessEnds) {
            EXPECT_EQ(ourWebProcesses(), pageProcesses) << "no page process ends";
        }

        // F5 asks the address that redirected again, never the inline document.
        const int asked = server.hits("/redirect");
        const std::vector<int> beforeReload = ourWebProcesses();
        focusPage();
        keys("F5");
        EXPECT_TRUE(runEventsUntil([&] { return server.hits("/redirect") > asked; }));
        if (row.pageProcessEnds) {
            // The caption already names our page: wait for a process the reload ended and
            // another showing our page, before the steps that follow.
            const auto oneNotIn = [](const std::vector<int>& these, const std::vector<int>& those) {
                return std::any_of(these.begin(), these.end(),
                                   [&](int pid) { return std::find(those.begin(), those.end(), pid) == those.end(); });
            };
            EXPECT_TRUE(runEventsUntil([&] {
                const std::vector<int> now = ourWebProcesses();
                return oneNotIn(beforeReload, now) && oneNotIn(now, beforeReload);
            }));
        }
        EXPECT_TRUE(captionIs(wxText(kErrorPageTitle)));

        // Ctrl+D keeps the address that redirected; the favorite holds no script.
        dialogAnswer = AddFavoriteChoice{favorite, "kept"};
        keys("ctrl+d");
        ASSERT_TRUE(runEventsUntil([&] { return std::filesystem::exists(favorite); }));
        const std::string kept = readFile(favorite);
        EXPECT_EQ(kept.find("javascript:"), std::string::npos) << kept;
        EXPECT_NE(kept.find("URL=" + attacker("/redirect")), std::string::npos) << kept;

        // Chosen later on the victim's site, the favorite runs nothing there.
        form->runHandler([&] { form->WebBrowser1->NavigateTo(server.url("/victim.html")); });
        ASSERT_TRUE(captionIs("Victim"));
        ASSERT_EQ(form->Combo2->ListCount(), 1);
        ASSERT_EQ(form->Combo2->List(0), "kept.url");
        chooseFromList(form->Combo2->Window(), 0);
        EXPECT_TRUE(captionIs(wxText(kErrorPageTitle)));
        EXPECT_FALSE(form->GetTitle().Contains(kStolen)) << form->GetTitle();
        std::filesystem::remove(favorite);
        EXPECT_TRUE(reports.empty()) << reports.front();
        reports.clear();
    }
}

TEST_F(WindowPageOrigin, APageTitleCannotTurnOrHideTheCaptionsSuffix)
{
    DisplayLock alone;
    std::string blanks;
    for (int i = 0; i < 3000; ++i)
        blanks += "\u3000";
    struct Row {
        std::string title;
        std::string shown; // the engine itself keeps only the start of a very long title
    };
    const Row rows[] = {
        {"Bank\u202E", "Bank"},
        {"A" + blanks + "B", "A "},
    };
    const auto xid = GDK_WINDOW_XID(gtk_widget_get_window(form->GetHandle()));
    const std::string readCaption = "xprop -id " + std::to_string(xid) + " _NET_WM_NAME";
    for (const Row& row : rows) {
        SCOPED_TRACE(row.shown);
        // The title comes from a script, as the HTML parser would fold the blanks itself.
        server.route("/titled.html", htmlPage("<script>document.title = '" + row.title + "'</script>"));
        form->runHandler([&] { form->WebBrowser1->NavigateTo(attacker("/titled.html")); });
        // The caption as the display has it: the title made plain, then our suffix whole.
        const std::string expected = "_NET_WM_NAME(UTF8_STRING) = \"" + row.shown + std::string(kTitleSuffix) + "\"\n";
        std::string caption;
        EXPECT_TRUE(runEventsUntil([&] {
            caption = commandOutput(readCaption);
            return caption == expected;
        })) << caption;
        // Offered as the favorite's name the same way.
        focusPage();
        keys("ctrl+d");
        ASSERT_TRUE(runEventsUntil([&] { return !dialogCalls.empty(); }));
        EXPECT_EQ(dialogCalls.back().name.utf8_string(), row.shown);
        dialogCalls.clear();
    }
}
