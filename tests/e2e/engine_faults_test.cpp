// What the engine still does wrong, shown on a bare engine view without any code of ours
// (engine/EngineFaults.md lists them and our workarounds). Each test passes while the
// engine has the fault; once one fails, the engine is fixed and the workaround can go.
#include <gtest/gtest.h>

#include <signal.h>

#include <cstring>
#include <string>

#include <gtk/gtk.h>
#include <webkit2/webkit2.h>

#include "engine/WebKitWebsiteData.h"
#include "tests/support/HttpServer.h"
#include "tests/support/PageActions.h"
#include "tests/support/TestEnvironment.h"

using namespace zemora;
using namespace zemora::test;
using namespace std::chrono_literals;

namespace {

class EngineFaults : public testing::Test {
protected:
    void SetUp() override
    {
        window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
        gtk_window_set_default_size(GTK_WINDOW(window), 500, 400);
        view = WEBKIT_WEB_VIEW(webkit_web_view_new_with_context(userWebContext()));
        gtk_container_add(GTK_CONTAINER(window), GTK_WIDGET(view));
        gtk_widget_show_all(window);
        g_signal_connect(view, "load-changed", G_CALLBACK(+[](WebKitWebView*, WebKitLoadEvent event, int* finished) {
                             if (event == WEBKIT_LOAD_FINISHED)
                                 ++*finished;
                         }),
                         &loadsFinished);
        for (const char* page : {"/a.html", "/b.html", "/c.html"})
            server.page(page, page);
    }
    void TearDown() override
    {
        gtk_widget_destroy(window);
        runPendingEvents();
    }

    bool load(const std::string& path)
    {
        const int before = loadsFinished;
        webkit_web_view_load_uri(view, server.url(path).c_str());
        return runEventsUntil([&] { return loadsFinished > before; });
    }
    std::string shown() const { return webkit_web_view_get_uri(view) ? webkit_web_view_get_uri(view) : ""; }

    // What became of a download the engine was asked for, its data written to `target`.
    struct Download {
        std::string target;
        bool finished = false;
        bool failed = false;
        guint64 received = 0;
        std::function<void()> onData;
    };
    WebKitDownload* download(const std::string& path, Download& outcome)
    {
        WebKitDownload* started = webkit_web_view_download_uri(view, server.url(path).c_str());
        g_signal_connect(started, "decide-destination", G_CALLBACK(+[](WebKitDownload* d, gchar*, Download* o) {
                             gchar* uri = g_filename_to_uri(o->target.c_str(), nullptr, nullptr);
                             webkit_download_set_destination(d, uri);
                             g_free(uri);
                             return TRUE;
                         }),
                         &outcome);
        g_signal_connect(started, "received-data", G_CALLBACK(+[](WebKitDownload* d, guint64, Download* o) {
                             o->received = webkit_download_get_received_data_length(d);
                             if (o->onData)
                                 std::exchange(o->onData, nullptr)();
                         }),
                         &outcome);
        g_signal_connect(started, "failed",
                         G_CALLBACK(+[](WebKitDownload*, GError*, Download* o) { o->failed = true; }), &outcome);
        g_signal_connect(started, "finished", G_CALLBACK(+[](WebKitDownload*, Download* o) { o->finished = true; }),
                         &outcome);
        return started;
    }

    HttpServer server;
    GtkWidget* window = nullptr;
    WebKitWebView* view = nullptr;
    int loadsFinished = 0;
};

TEST_F(EngineFaults, ADownloadWhoseNetworkProcessDiesNeverEnds)
{
    Response endless;
    endless.contentType = "application/octet-stream";
    endless.generatedBytes = 256u << 20;
    server.route("/slow.bin", endless);
    ASSERT_TRUE(load("/a.html"));
    Download outcome;
    outcome.target = (testHome() / "slow.bin").string();
    outcome.onData = [] {
        for (int pid : ourNetworkProcesses())
            ::kill(pid, SIGKILL);
    };
    WebKitDownload* lost = download("/slow.bin", outcome);
    ASSERT_TRUE(runEventsUntil([&] { return outcome.received > 0; }));
    // A fixed engine ends it (failed) soon after its process is gone.
    EXPECT_FALSE(runEventsUntil([&] { return outcome.failed || outcome.finished; }, 5s))
        << "the engine ends a download that lost its network process: drop our watch (engine/EngineFaults.md, 1)";
    (void)lost; // never cancelled: that is what ends the window process
}

TEST_F(EngineFaults, ADownloadWhoseConnectionIsCutIsFinished)
{
    Response cut;
    cut.contentType = "application/octet-stream";
    cut.generatedBytes = 4u << 20;
    cut.cutAfter = 1u << 20;
    server.route("/cut.bin", cut);
    ASSERT_TRUE(load("/a.html"));
    Download outcome;
    outcome.target = (testHome() / "cut.bin").string();
    WebKitDownload* started = download("/cut.bin", outcome);
    ASSERT_TRUE(runEventsUntil([&] { return outcome.failed || outcome.finished; }));
    EXPECT_LT(webkit_download_get_received_data_length(started), cut.generatedBytes);
    EXPECT_TRUE(outcome.finished && !outcome.failed)
        << "the engine fails a cut download itself: drop our length check (engine/EngineFaults.md, 2)";
}

TEST_F(EngineFaults, ADialogAnsweredFromOutsideStaysDrawn)
{
    server.route("/alert.html", [] {
        Response r;
        r.body = "<title>Alert</title><script>setTimeout(function(){alert('hello')},50)</script>";
        return r;
    }());
    WebKitScriptDialog* shown = nullptr;
    g_signal_connect(view, "script-dialog",
                     G_CALLBACK(+[](WebKitWebView*, WebKitScriptDialog* d, WebKitScriptDialog** s) {
                         *s = webkit_script_dialog_ref(d);
                         return FALSE; // the engine draws it
                     }),
                     &shown);
    const auto drawn = [this] {
        bool found = false;
        gtk_container_forall(
            GTK_CONTAINER(view),
            [](GtkWidget* child, gpointer any) {
                if (std::strstr(G_OBJECT_TYPE_NAME(child), "ScriptDialog") && gtk_widget_get_visible(child))
                    *static_cast<bool*>(any) = true;
            },
            &found);
        return found;
    };
    ASSERT_TRUE(load("/alert.html"));
    ASSERT_TRUE(runEventsUntil([&] { return shown && drawn(); }));
    webkit_script_dialog_close(shown);
    webkit_script_dialog_unref(shown);
    EXPECT_TRUE(!runEventsUntil([&] { return !drawn(); }, 1s))
        << "the engine takes its dialog away itself: drop removeDialogWidgets (engine/EngineFaults.md, 3)";
}

TEST_F(EngineFaults, AQuickSecondStepBackGoesNoFurther)
{
    for (const char* page : {"/a.html", "/b.html", "/c.html"})
        ASSERT_TRUE(load(page));
    const int before = loadsFinished;
    webkit_web_view_go_back(view);
    webkit_web_view_go_back(view); // before the first has committed
    ASSERT_TRUE(runEventsUntil([&] { return loadsFinished > before && !webkit_web_view_is_loading(view); }));
    settle(300ms);
    EXPECT_EQ(shown(), server.url("/b.html"))
        << "the engine carries out both steps: our step queue may go (engine/EngineFaults.md, 4)";
}

TEST_F(EngineFaults, ARedirectToALocalFileEndsThePageProcess)
{
    Response redirect;
    redirect.status = 302;
    redirect.location = "file:///etc/hostname";
    server.route("/to-file", redirect);
    int ended = 0;
    g_signal_connect(view, "web-process-terminated",
                     G_CALLBACK(+[](WebKitWebView*, WebKitWebProcessTerminationReason, int* n) { ++*n; }), &ended);
    ASSERT_TRUE(load("/a.html"));
    webkit_web_view_load_uri(view, server.url("/to-file").c_str());
    EXPECT_TRUE(runEventsUntil([&] { return ended > 0; }, 5s))
        << "the engine refuses a redirect to a local file without ending the page: drop the entry "
           "(engine/EngineFaults.md, 5)";
}

TEST_F(EngineFaults, AKeyHandedBackAfterTheFocusMovedCostsThePageTheNextKey)
{
    DisplayLock alone;
    // A box beside the view, as the window's address box is.
    GtkWidget* entry = gtk_entry_new();
    GtkWidget* column = gtk_box_new(GTK_ORIENTATION_VERTICAL, 0);
    g_object_ref(view);
    gtk_container_remove(GTK_CONTAINER(window), GTK_WIDGET(view));
    gtk_box_pack_start(GTK_BOX(column), entry, FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(column), GTK_WIDGET(view), TRUE, TRUE, 0);
    g_object_unref(view);
    gtk_container_add(GTK_CONTAINER(window), column);
    gtk_widget_show_all(window);
    server.route("/keys.html", [] {
        Response r;
        r.body = "<script>addEventListener('keydown', function (e) { document.title = 'key:' + e.key });"
                 "document.title = 'keys'</script>";
        return r;
    }());
    ASSERT_TRUE(load("/keys.html"));
    gtk_window_present(GTK_WINDOW(window));
    gtk_widget_grab_focus(GTK_WIDGET(view));
    settle(500ms);
    // Ctrl reaches the page, which hands it back; meanwhile the focus goes to the box, as
    // the window's Ctrl+L takes it there.
    const gulong moveFocus =
        g_signal_connect(view, "key-press-event", G_CALLBACK(+[](GtkWidget*, GdkEvent*, GtkWidget* box) {
                             g_idle_add_full(
                                 G_PRIORITY_HIGH,
                                 +[](gpointer b) {
                                     gtk_widget_grab_focus(GTK_WIDGET(b));
                                     return G_SOURCE_REMOVE;
                                 },
                                 box, nullptr);
                             return FALSE;
                         }),
                         entry);
    ASSERT_EQ(std::system("xdotool keydown Control_L"), 0);
    settle(500ms);
    g_signal_handler_disconnect(view, moveFocus);
    ASSERT_EQ(std::system("xdotool keyup Control_L"), 0);
    gtk_widget_grab_focus(GTK_WIDGET(view));
    settle(500ms);
    ASSERT_EQ(std::system("xdotool key a"), 0);
    settle(500ms);
    EXPECT_STRNE(webkit_web_view_get_title(view), "key:a")
        << "the engine gives the page the next key: drop WebKitKeys.cpp (engine/EngineFaults.md, 6)";
    ASSERT_EQ(std::system("xdotool key b"), 0);
    EXPECT_TRUE(runEventsUntil([&] { return std::string(webkit_web_view_get_title(view)) == "key:b"; }))
        << "and the one after";
}

} // namespace
