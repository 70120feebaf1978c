// Whatever a page does, the browser goes on and the user's files stay as they were: new
// windows, downloads, dying page processes, failed loads and page dialogs, on the real
// engine against local servers.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include <gdk/gdkx.h>
#include <gtk/gtk.h>
#include <webkit2/webkit2.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/frame.h>
#include <wx/listctrl.h>
#include <wx/stattext.h>

#include "app/DownloadsDialog.h"
#include "base/Texts.h"
#include "browse/ErrorPages.h"
#include "engine/WebKitBrowser.h"
#include "tests/support/BrowserFixture.h"
#include "tests/support/PageActions.h"
#include "tests/support/RealFormFixture.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/UserActions.h"

using namespace zemora;
using namespace zemora::test;
namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

class PageSafety : public BrowserFixture {
protected:
    void SetUp() override
    {
        downloads = testHome() / "Downloads";
        fs::remove_all(downloads);
        fs::create_directories(downloads);
        fs::remove(fs::path(std::getenv("XDG_CONFIG_HOME")) / "user-dirs.dirs");
        useInternetStandIn = false;
        BrowserFixture::SetUp();
    }

    // The shown page's text, as the engine has it.
    wxString pageText()
    {
        struct Result {
            bool done = false;
            std::string text;
        } result;
        webkit_web_view_evaluate_javascript(
            browser->webView(), "document.body.innerText", -1, nullptr, nullptr, nullptr,
            [](GObject* view, GAsyncResult* async, gpointer data) {
                auto* r = static_cast<Result*>(data);
                GError* error = nullptr;
                JSCValue* value = webkit_web_view_evaluate_javascript_finish(WEBKIT_WEB_VIEW(view), async, &error);
                if (error)
                    g_error_free(error);
                if (value) {
                    gchar* text = jsc_value_to_string(value);
                    r->text = text ? text : "";
                    g_free(text);
                    g_object_unref(value);
                }
                r->done = true;
            },
            &result);
        runEventsUntil([&] { return result.done; }, 5s);
        return wxString::FromUTF8(result.text);
    }
    // Whether the shown page's text holds these words, within the time: our pages all have
    // one title, so only their words tell when the next one is shown.
    bool pageSays(const std::string& words)
    {
        return runEventsUntil([&] { return pageText().Contains(wxString::FromUTF8(words)); }, 10s);
    }
    // Downloads an address and waits for the outcome to be told.
    bool download(const std::string& address, std::chrono::milliseconds time = 20s)
    {
        statuses.clear();
        browser->NavigateTo(address);
        return told("已下载", time) || told("失败", 1ms);
    }

    fs::path downloads;
};

const std::string kErrorTitle(kErrorPageTitle);

} // namespace

TEST_F(PageSafety, NewWindowsTheUserAsksForOpenInThisWindow)
{
    DisplayLock alone;
    frame->Raise();
    server.route("/opener.html",
                 htmlPage(wholePage("Opener", "<button id=all onclick=\"window.open('/b.html')\">open</button>")));
    server.route("/blank.html", htmlPage(wholePage("Blank", "<a id=all target=_blank href=\"/a.html\">a</a>")));

    ASSERT_TRUE(open(server.url("/opener.html")));
    clickInPage();
    ASSERT_TRUE(showing(server.url("/b.html"), "Page B"));

    ASSERT_TRUE(open(server.url("/blank.html")));
    clickInPage();
    ASSERT_TRUE(showing(server.url("/a.html"), "Page A"));
    // An ordinary navigation: the page it came from is one step back.
    browser->GoBack();
    EXPECT_TRUE(showing(server.url("/blank.html"), "Blank"));
}

TEST_F(PageSafety, ContextMenuNewWindowOpensInThisWindow)
{
    DisplayLock alone;
    frame->Raise();
    server.route("/link.html", htmlPage(wholePage("Link", "<a id=all href=\"/b.html\">b</a>")));
    ASSERT_TRUE(open(server.url("/link.html")));
    // The item the user would pick, from the menu a real right click brings up.
    GAction* openHere = nullptr;
    auto* view = browser->webView();
    const gulong watch = g_signal_connect_after(
        view, "context-menu",
        G_CALLBACK(+[](WebKitWebView*, WebKitContextMenu* menu, GdkEvent*, WebKitHitTestResult*, GAction** found) {
            for (guint i = 0; i < webkit_context_menu_get_n_items(menu); ++i)
                if (GAction* a =
                        webkit_context_menu_item_get_gaction(webkit_context_menu_get_item_at_position(menu, i));
                    a && g_str_equal(g_action_get_name(a), "zemora-open-link-here"))
                    *found = G_ACTION(g_object_ref(a));
            return TRUE; // no popup needed
        }),
        &openHere);
    clickInPage(3);
    ASSERT_TRUE(runEventsUntil([&] { return openHere != nullptr; }));
    g_signal_handler_disconnect(view, watch);
    g_action_activate(openHere, nullptr);
    g_object_unref(openHere);
    EXPECT_TRUE(showing(server.url("/b.html"), "Page B"));
}

TEST_F(PageSafety, PopupsNobodyAskedForStayBlocked)
{
    server.route(
        "/popups.html",
        htmlPage(
            "<html><head><title>Popups</title></head><body><script>window.open('/p1.html');"
            "setTimeout(function(){window.open('/p2.html'); document.title='Tried'},100);</script></body></html>"));
    ASSERT_TRUE(open(server.url("/popups.html")));
    ASSERT_TRUE(showing(server.url("/popups.html"), "Tried"));
    // Refused, a popup asks the server for nothing and leaves the page where it is.
    nothingWithin(500ms, [&] {
        return server.hits("/p1.html") + server.hits("/p2.html") > 0
               || browser->LocationURL() != server.url("/popups.html");
    });
    EXPECT_EQ(server.hits("/p1.html") + server.hits("/p2.html"), 0);
    EXPECT_EQ(browser->LocationURL(), server.url("/popups.html"));
    EXPECT_TRUE(open(server.url("/a.html")));
}

TEST_F(PageSafety, DownloadNeverReplacesAnExistingFile)
{
    std::ofstream(downloads / "report.txt", std::ios::binary) << "the user's own report\n";
    const fs::file_time_type stamp = fs::last_write_time(downloads / "report.txt");
    server.route("/report", attachment("report.txt", "first download\n"));
    server.route("/report-again", attachment("report.txt", "second download\n"));

    ASSERT_TRUE(download(server.url("/report")));
    ASSERT_TRUE(download(server.url("/report-again")));
    EXPECT_EQ(namesIn(downloads), (std::vector<std::string>{"report (1).txt", "report (2).txt", "report.txt"}));
    EXPECT_EQ(readFile(downloads / "report.txt"), "the user's own report\n");
    EXPECT_EQ(fs::last_write_time(downloads / "report.txt"), stamp);
    EXPECT_EQ(readFile(downloads / "report (1).txt"), "first download\n");
    EXPECT_EQ(readFile(downloads / "report (2).txt"), "second download\n");
    EXPECT_TRUE(told(downloads.string())) << "the user is told where it went";
}

TEST_F(PageSafety, SuggestedNameCannotLeaveTheDownloadFolder)
{
    const fs::path outside = testHome().parent_path() / "escape.txt"; // where ../../ points
    const bool existedBefore = fs::exists(outside);
    server.route("/dot", attachment(".profile", "no dot file\n"));
    server.route("/escape", attachment("../../escape.txt", "contained\n"));

    ASSERT_TRUE(download(server.url("/dot")));
    EXPECT_EQ(namesIn(downloads), std::vector<std::string>{"profile"});
    EXPECT_FALSE(fs::exists(testHome() / ".profile"));

    // Folder parts are dropped: the file lands in the download folder under its plain name.
    ASSERT_TRUE(download(server.url("/escape")));
    EXPECT_EQ(fs::exists(outside), existedBefore);
    EXPECT_FALSE(fs::exists(testHome() / "escape.txt"));
    EXPECT_EQ(namesIn(downloads), (std::vector<std::string>{"escape.txt", "profile"}));
    EXPECT_EQ(readFile(downloads / "escape.txt"), "contained\n");
    EXPECT_TRUE(open(server.url("/a.html"))) << "browsing goes on";
}

TEST_F(PageSafety, DownloadFolderIsCreatedOrTakenFromTheUserSettings)
{
    fs::remove_all(downloads);
    Response unshowable;
    unshowable.contentType = "application/octet-stream";
    unshowable.body = std::string("\0\1\2binary", 9);
    server.route("/files/data.bin", unshowable);

    ASSERT_TRUE(download(server.url("/files/data.bin")));
    EXPECT_EQ(namesIn(downloads), std::vector<std::string>{"data.bin"});
    EXPECT_EQ(readFile(downloads / "data.bin"), unshowable.body);

    std::ofstream(fs::path(std::getenv("XDG_CONFIG_HOME")) / "user-dirs.dirs")
        << "XDG_DOWNLOAD_DIR=\"$HOME/收到的文件\"\n";
    ASSERT_TRUE(download(server.url("/files/data.bin")));
    EXPECT_EQ(namesIn(testHome() / "收到的文件"), std::vector<std::string>{"data.bin"});
    EXPECT_EQ(namesIn(downloads), std::vector<std::string>{"data.bin"});
}

TEST_F(PageSafety, LargeDownloadIsSavedWholeWithProgressShown)
{
    Response big;
    big.contentType = "application/octet-stream";
    big.generatedBytes = 100u << 20;
    server.route("/big.bin", big);

    ASSERT_TRUE(download(server.url("/big.bin"), 110s));
    ASSERT_EQ(namesIn(downloads), std::vector<std::string>{"big.bin"});
    EXPECT_EQ(fs::file_size(downloads / "big.bin"), big.generatedBytes);
    std::ifstream in(downloads / "big.bin", std::ios::binary);
    for (std::size_t offset : {std::size_t{0}, std::size_t{12345678}, big.generatedBytes - 1}) {
        in.seekg(static_cast<std::streamoff>(offset));
        EXPECT_EQ(in.get(), patternByte(offset)) << offset;
    }
    EXPECT_TRUE(told("50%")) << "progress on the way";
}

TEST_F(PageSafety, CutConnectionLeavesNothingBehindAndIsTold)
{
    Response cut;
    cut.contentType = "application/octet-stream";
    cut.generatedBytes = 8u << 20;
    cut.cutAfter = 4u << 20;
    server.route("/cut.bin", cut);
    // The same through the path for names the engine cannot take.
    cut.headers = {{"Content-Disposition", "attachment; filename=\"../cut.bin\""}};
    server.route("/cut-named", cut);

    for (const char* path : {"/cut.bin", "/cut-named"}) {
        SCOPED_TRACE(path);
        statuses.clear();
        browser->NavigateTo(server.url(path));
        const bool failed = told("失败", 30s);
        ASSERT_TRUE(failed);
        EXPECT_FALSE(told("已下载", 500ms));
        EXPECT_EQ(namesIn(downloads), std::vector<std::string>{});
    }
}

TEST_F(PageSafety, DeadPageProcessShowsItsOwnPageAndRefreshLoadsAgain)
{
    ASSERT_TRUE(open(server.url("/a.html")));
    ASSERT_TRUE(showing(server.url("/a.html"), "Page A"));
    const int loads = server.hits("/a.html");
    killWebProcesses();
    ASSERT_TRUE(showing(server.url("/a.html"), kErrorTitle));
    EXPECT_TRUE(pageSays("网页已停止运行")) << pageText();
    EXPECT_TRUE(pageSays(server.url("/a.html"))) << pageText();

    browser->Refresh();
    EXPECT_TRUE(showing(server.url("/a.html"), "Page A"));
    EXPECT_EQ(server.hits("/a.html"), loads + 1);
}

TEST_F(PageSafety, FailedLoadsShowOurOwnPageNamingAddressAndReason)
{
    std::string refused;
    {
        HttpServer closed;
        refused = closed.url("/none.html?a=1&b=2");
    }
    ASSERT_TRUE(open(refused));
    ASSERT_TRUE(showing(refused, kErrorTitle));
    EXPECT_TRUE(pageSays("服务器拒绝了连接")) << pageText();
    EXPECT_TRUE(pageSays(refused)) << pageText();

    const std::string unknown = "http://no-such-host.invalid/";
    ASSERT_TRUE(open(unknown));
    ASSERT_TRUE(showing(unknown, kErrorTitle)) << browser->LocationURL() << " " << browser->LocationName();
    EXPECT_TRUE(pageSays("找不到服务器")) << pageText();
}

namespace {

// A local HTTPS server with a self-signed certificate, made for this run.
class SelfSignedServer {
public:
    explicit SelfSignedServer(const fs::path& folder)
    {
        const std::string cert = (folder / "cert.pem").string(), keyFile = (folder / "key.pem").string();
        const std::string make = "openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj /CN=127.0.0.1 "
                                 "-addext subjectAltName=IP:127.0.0.1 -keyout '"
                                 + keyFile + "' -out '" + cert + "' >/dev/null 2>&1";
        if (std::system(make.c_str()) != 0)
            return;
        {
            HttpServer probe; // a free port, given back at once
            port = probe.port();
        }
        pid = ::fork();
        if (pid == 0) {
            ::alarm(120); // never outlives the test run for long
            ::execlp("openssl", "openssl", "s_server", "-quiet", "-www", "-accept", std::to_string(port).c_str(),
                     "-cert", cert.c_str(), "-key", keyFile.c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        // Ready once it accepts.
        for (int i = 0;
             i < 100
             && std::system(("bash -c '</dev/tcp/127.0.0.1/" + std::to_string(port) + "' 2>/dev/null").c_str()) != 0;
             ++i)
            ::usleep(50000);
    }
    ~SelfSignedServer()
    {
        if (pid > 0) {
            ::kill(pid, SIGTERM);
            ::waitpid(pid, nullptr, 0);
        }
    }
    int port = 0;
    pid_t pid = -1;
};

} // namespace

TEST_F(PageSafety, UntrustedCertificateIsRefusedAndExplained)
{
    SelfSignedServer tls(testHome());
    ASSERT_GT(tls.pid, 0);
    const std::string address = "https://127.0.0.1:" + std::to_string(tls.port) + "/";
    ASSERT_TRUE(open(address));
    ASSERT_TRUE(showing(address, kErrorTitle));
    EXPECT_TRUE(pageSays("not signed by a trusted authority")) << pageText();
    EXPECT_TRUE(pageSays(address)) << pageText();
    // Asked again, still refused: no exception was made for it.
    const int loads = completions;
    browser->Refresh();
    ASSERT_TRUE(runEventsUntil([&] { return completions > loads; }));
    EXPECT_TRUE(showing(address, kErrorTitle));
}

namespace {

using WindowPageSafety = RealFormFixture;

GtkWidget* findButton(GtkWidget* widget)
{
    if (GTK_IS_BUTTON(widget))
        return widget;
    GtkWidget* found = nullptr;
    if (GTK_IS_CONTAINER(widget)) {
        GList* children = nullptr;
        gtk_container_forall(
            GTK_CONTAINER(widget),
            [](GtkWidget* child, gpointer list) {
                *static_cast<GList**>(list) = g_list_append(*static_cast<GList**>(list), child);
            },
            &children);
        for (GList* c = children; c && !found; c = c->next)
            found = findButton(GTK_WIDGET(c->data));
        g_list_free(children);
    }
    return found;
}

int minimumHeight(GtkWidget* widget)
{
    int minimum = 0, natural = 0;
    gtk_widget_get_preferred_height(widget, &minimum, &natural);
    return minimum;
}

} // namespace

TEST_F(WindowPageSafety, AutoRefreshKeepsGoingAfterThePageProcessDies)
{
    form->Combo1->SetText(server.url("/a.html"));
    wxCommandEvent click(wxEVT_BUTTON, form->autofresh->GetId());
    click.SetEventObject(form->autofresh);
    form->autofresh->ProcessWindowEvent(click);
    ASSERT_TRUE(captionIs("Page A"));
    killWebProcesses();
    ASSERT_TRUE(captionIs(kErrorTitle));
    const int loads = server.hits("/a.html");
    form->Timer1.SetInterval(500); // the minute, shortened: real ticks
    EXPECT_TRUE(captionIs("Page A"));
    EXPECT_TRUE(runEventsUntil([&] { return server.hits("/a.html") >= loads + 2; })) << "and goes on";
    EXPECT_TRUE(reports.empty());
}

TEST_F(WindowPageSafety, DownloadIsToldInTheBannerLine)
{
    fs::create_directories(testHome() / "Downloads");
    server.route("/notes", attachment("notes.txt", "x"));
    form->WebBrowser1->NavigateTo(server.url("/notes"));
    EXPECT_TRUE(runEventsUntil([&] {
        return form->Label2->GetLabel().Contains(wxString::FromUTF8("已下载 notes.txt"));
    })) << form->Label2->GetLabel();
    EXPECT_TRUE(fs::exists(testHome() / "Downloads" / "notes.txt"));
}

TEST_F(WindowPageSafety, PageDialogsKeepTheThemesLook)
{
    server.route("/alert.html", htmlPage("<html><head><title>Alert</title></head><body><script>"
                                         "setTimeout(function(){alert('hello')},50)</script></body></html>"));
    form->WebBrowser1->NavigateTo(server.url("/alert.html"));
    GtkWidget* button = nullptr;
    ASSERT_TRUE(runEventsUntil([&] { return (button = findButton(form->WebBrowser1->Window()->GetHandle())); }));
    EXPECT_GE(minimumHeight(button), 24) << "the dialog's button is not squashed";
    EXPECT_LT(minimumHeight(form->Command1->GetHandle()), 24) << "the window's own buttons stay compact";
}

namespace {

// A download that takes its time: about a minute, named slow.bin.
Response slowDownload()
{
    Response slow = attachment("slow.bin", "");
    slow.contentType = "application/octet-stream";
    slow.generatedBytes = 64u << 20;
    slow.chunkPause = std::chrono::milliseconds(50);
    return slow;
}

// Clicks a control where it is drawn, with the display's own pointer.
void clickOn(wxWindow* control)
{
    control->GetParent()->Raise();
    clickAt(control, control->GetSize().x / 2, control->GetSize().y / 2);
}

} // namespace

TEST_F(WindowPageSafety, ADownloadIsSeenInTheListAndCancelledThere)
{
    DisplayLock alone;
    const fs::path folder = testHome() / "Downloads";
    fs::create_directories(folder);
    server.route("/slow.bin", slowDownload());
    form->runHandler([&] { form->WebBrowser1->NavigateTo(server.url("/slow.bin")); });
    ASSERT_TRUE(runEventsUntil([&] { return form->Label2->GetLabel().Contains(wxString::FromUTF8("slow.bin")); }));
    // A click on the banner's download message opens the list.
    clickOn(form->Label2);
    ASSERT_TRUE(runEventsUntil([&] { return form->downloadsDialog() && form->downloadsDialog()->IsShownOnScreen(); }));
    DownloadsDialog* list = form->downloadsDialog();
    ASSERT_EQ(list->list()->GetItemCount(), 1);
    EXPECT_EQ(list->list()->GetItemText(0, 0), "slow.bin");
    EXPECT_TRUE(
        runEventsUntil([&] { return list->list()->GetItemText(0, 3).Contains(wxString::FromUTF8("正在下载")); }));
    EXPECT_TRUE(runEventsUntil([&] { return list->list()->GetItemText(0, 2).EndsWith("/s"); })) << "its speed";
    EXPECT_TRUE(list->cancelButton()->IsEnabled());
    EXPECT_FALSE(list->openButton()->IsEnabled()) << "nothing to open yet";

    clickOn(list->cancelButton());
    EXPECT_TRUE(runEventsUntil([&] { return list->list()->GetItemText(0, 3).Contains(wxString::FromUTF8("已取消")); }));
    EXPECT_TRUE(
        runEventsUntil([&] { return form->Label2->GetLabel().Contains(wxString::FromUTF8("已取消下载 slow.bin")); }));
    EXPECT_TRUE(runEventsUntil([&] { return namesIn(folder).empty(); }))
        << "the partial file is gone: " << (namesIn(folder).empty() ? "" : namesIn(folder)[0]);
    EXPECT_FALSE(list->cancelButton()->IsEnabled());
}

TEST_F(WindowPageSafety, ClosingWhileADownloadRunsAsksFirst)
{
    const fs::path folder = testHome() / "Downloads";
    fs::create_directories(folder);
    server.route("/slow.bin", slowDownload());
    form->runHandler([&] { form->WebBrowser1->NavigateTo(server.url("/slow.bin")); });
    ASSERT_TRUE(runEventsUntil([&] { return !namesIn(folder).empty(); }));
    for (const bool closeAnyway : {false, true}) {
        SCOPED_TRACE(closeAnyway ? "closed anyway" : "kept open");
        answer = closeAnyway;
        asked.clear();
        typeKey(form, GDK_KEY_w, GDK_CONTROL_MASK);
        ASSERT_EQ(asked.size(), 1u);
        EXPECT_EQ(asked[0], bilingual(kCloseWithDownloads, {{"n", "1"}}));
        if (!closeAnyway) {
            EXPECT_TRUE(form->IsShown() && !wxPendingDelete.Member(form)) << "the window stays";
            EXPECT_FALSE(namesIn(folder).empty()) << "and the download goes on";
        }
    }
    // Closed, the window takes the partial file with it.
    EXPECT_TRUE(wxPendingDelete.Member(form));
    wxTheApp->ProcessIdle();
    form = nullptr;
    EXPECT_TRUE(runEventsUntil([&] { return namesIn(folder).empty(); }));
}
