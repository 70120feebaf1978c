// Long session: the real window on the real engine, driven through its own widgets over
// local pages (text, images, scripts) for many navigations with back, forward and
// refresh, then auto refresh at a short interval. Prints the PSS of the window process
// and of its whole process tree after a warm-up and at the end. With --floor, a bare
// engine window (a frame and its web view, nothing else) goes through the same session
// by the web view's own calls, for the engine's own share.
// Run on a display: scripts/with-display.sh build-bench/bench/zemora_soak [--floor] [navigations] [ticks]
#include <dirent.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <gdk/gdkkeysyms.h>
#include <glib.h>
#include <webkit2/webkit2.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/evtloop.h>
#include <wx/frame.h>
#include <wx/image.h>
#include <wx/init.h>
#include <wx/mstream.h>
#include <wx/nativewin.h>
#include <wx/textctrl.h>
#include <wx/timer.h>

#include "app/Startup.h"
#include "base/Commands.h"
#include "engine/WebKitBrowser.h"
#include "tests/support/HttpServer.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/UserActions.h"

using namespace zemora;
using namespace zemora::test;
using namespace std::chrono_literals;

namespace {

constexpr int kPagesOfEachKind = 4; // bounded: the typed-address history stops growing early
int kWarmUpNavigations = std::getenv("SOAK_WARM") ? std::atoi(std::getenv("SOAK_WARM")) : 100;
// ms, in place of the minute; still longer than a load takes, as the minute is
// (SOAK_TICK sets another).
int tickInterval() { return std::getenv("SOAK_TICK") ? std::atoi(std::getenv("SOAK_TICK")) : 500; }
constexpr auto kSettle = 3s; // before each reading: pending loads and collections end

// ---- memory --------------------------------------------------------------------------

// PSS, and the private part of it: PSS shares the engine's libraries out among every
// process on the machine that maps them, so it moves with what else runs; the private
// part is this session's alone.
struct Memory {
    long pss = 0; // KiB
    long own = 0;
    Memory& operator+=(const Memory& m)
    {
        pss += m.pss;
        own += m.own;
        return *this;
    }
};

Memory memoryOf(int pid)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/smaps_rollup");
    Memory m;
    std::string line;
    const auto value = [&](std::size_t at) { return std::strtol(line.c_str() + at, nullptr, 10); };
    while (std::getline(in, line)) {
        if (line.rfind("Pss:", 0) == 0)
            m.pss = value(4);
        else if (line.rfind("Private_Clean:", 0) == 0)
            m.own += value(14);
        else if (line.rfind("Private_Dirty:", 0) == 0)
            m.own += value(14);
    }
    return m;
}

std::vector<int> processTree(int root)
{
    std::multimap<int, int> children;
    DIR* proc = ::opendir("/proc");
    while (dirent* entry = ::readdir(proc)) {
        const int pid = std::atoi(entry->d_name);
        if (pid <= 0)
            continue;
        std::ifstream stat(std::string("/proc/") + entry->d_name + "/stat");
        std::string text((std::istreambuf_iterator<char>(stat)), {});
        // The command name may hold spaces and parentheses: the parent follows the last ')'.
        const auto close = text.rfind(')');
        if (close == std::string::npos)
            continue;
        std::istringstream rest(text.substr(close + 2));
        char state;
        int parent = 0;
        rest >> state >> parent;
        children.emplace(parent, pid);
    }
    ::closedir(proc);
    std::vector<int> tree{root};
    for (std::size_t i = 0; i < tree.size(); ++i) {
        auto [from, to] = children.equal_range(tree[i]);
        for (auto it = from; it != to; ++it)
            tree.push_back(it->second);
    }
    return tree;
}

struct Reading {
    Memory window;
    Memory tree;
    int processes = 0;
    std::string each; // name and PSS of every process
};

Reading measure()
{
    runEventsUntil([] { return false; }, kSettle);
    Reading r;
    r.window = memoryOf(::getpid());
    for (int pid : processTree(::getpid())) {
        const Memory m = memoryOf(pid);
        r.tree += m;
        std::ifstream comm("/proc/" + std::to_string(pid) + "/comm");
        std::string name;
        std::getline(comm, name);
        r.each += "  " + name + " " + std::to_string(m.pss / 1024) + "/" + std::to_string(m.own / 1024);
        ++r.processes;
    }
    return r;
}

// ---- pages ---------------------------------------------------------------------------

std::string png(int seed)
{
    wxImage image(48, 48);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 48; ++x)
            image.SetRGB(x, y, static_cast<unsigned char>(x * 5 + seed * 40), static_cast<unsigned char>(y * 5),
                         static_cast<unsigned char>((x ^ y) * 4 + seed));
    wxMemoryOutputStream out;
    image.SaveFile(out, wxBITMAP_TYPE_PNG);
    std::string bytes(out.GetLength(), '\0');
    out.CopyTo(bytes.data(), bytes.size());
    return bytes;
}

std::string svg(int seed)
{
    std::string body = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"120\" height=\"60\">";
    for (int i = 0; i < 12; ++i)
        body += "<circle cx=\"" + std::to_string(10 + i * 9) + "\" cy=\"30\" r=\"" + std::to_string(4 + (i + seed) % 8)
                + "\" fill=\"hsl(" + std::to_string(i * 30) + ",70%,50%)\"/>";
    return body + "</svg>";
}

std::string html(const std::string& title, const std::string& head, const std::string& body)
{
    return "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>" + title + "</title>" + head
           + "</head><body><h1>" + title + "</h1>" + body + "</body></html>";
}

void route(HttpServer& server, const std::string& path, std::string body, const std::string& type)
{
    Response r;
    r.body = std::move(body);
    r.contentType = type;
    server.route(path, std::move(r));
}

// The pages of the session, in the order they are typed.
std::vector<std::string> servePages(HttpServer& server)
{
    std::vector<std::string> paths;
    for (int n = 0; n < kPagesOfEachKind; ++n) {
        const std::string id = std::to_string(n);
        std::string text;
        for (int p = 0; p < 40; ++p)
            text += "<p>Paragraph " + std::to_string(p) + " of text page " + id
                    + ": the quick brown fox jumps over the lazy dog, again and again, until the line wraps.</p>";
        route(server, "/text/" + id, html("Text " + id, "", text), "text/html; charset=utf-8");

        std::string images;
        for (int i = 0; i < 6; ++i) {
            const std::string name = id + "-" + std::to_string(i);
            route(server, "/img/" + name + ".png", png(n * 6 + i), "image/png");
            route(server, "/img/" + name + ".svg", svg(n * 6 + i), "image/svg+xml");
            images += "<img src=\"/img/" + name + ".png\"><img src=\"/img/" + name + ".svg\">";
        }
        route(server, "/images/" + id, html("Images " + id, "", images), "text/html; charset=utf-8");

        // Allocates, builds and rebuilds a DOM, and keeps a timer and listeners that a
        // page left behind must release.
        route(server, "/js/" + id + ".js",
              "const data = [];\n"
              "for (let i = 0; i < 20000; ++i) data.push({i, s: 'item ' + i});\n"
              "const list = document.getElementById('list');\n"
              "for (let round = 0; round < 3; ++round) {\n"
              "  list.textContent = '';\n"
              "  for (let i = 0; i < 1500; ++i) {\n"
              "    const li = document.createElement('li');\n"
              "    li.textContent = data[(i * 7 + round) % data.length].s;\n"
              "    li.addEventListener('click', () => li.classList.toggle('on'));\n"
              "    list.appendChild(li);\n"
              "  }\n"
              "}\n"
              "let beats = 0;\n"
              "setInterval(() => { beats++; document.getElementById('beat').textContent = beats; }, 50);\n",
              "text/javascript");
        route(server, "/script/" + id,
              html("Script " + id, "",
                   "<p id=\"beat\"></p><ul id=\"list\"></ul><script src=\"/js/" + id + ".js\"></script>"),
              "text/html; charset=utf-8");
        for (const char* kind : {"/text/", "/images/", "/script/"})
            paths.push_back(kind + id);
    }
    return paths;
}

// ---- the two windows ------------------------------------------------------------------

// What the session drives, and what it hears back: completions and the loading state.
struct Window {
    virtual ~Window() = default;
    virtual void type(const std::string& address) = 0;
    virtual bool enabled(const char* key) = 0;
    virtual void click(const char* key) = 0; // back, forward, refresh
    virtual std::string shown() = 0;         // the address the window shows
    virtual std::string told() = 0;          // its caption, and where the engine is
    virtual void autoRefresh(int tick) = 0;
    virtual void stopAutoRefresh() = 0;
    int completions = 0;
    bool loading = false;
    int reports = 0;
};

bool tracing() { return std::getenv("SOAK_TRACE") != nullptr; }

// The program's window, through its own widgets.
struct ProgramWindow : Window {
    Form1* form = nullptr;

    ProgramWindow(HttpServer& server, const std::string& start)
    {
        Form1Seams seams;
        seams.createBrowser = [](wxWindow* parent) { return std::make_unique<WebKitBrowser>(parent); };
        const std::string favorites = (testHome() / "Favorites").string();
        std::filesystem::create_directories(favorites);
        seams.favoritesFolder = [favorites] { return favorites; };
        seams.addFavoriteDialog = [](wxWindow*, const wxString&, const std::string&) {
            return std::optional<AddFavoriteChoice>();
        };
        seams.reportFailure = [this](const std::string& message) {
            ++reports;
            std::fprintf(stderr, "reported: %s\n", message.c_str());
        };
        seams.tellUser = seams.reportFailure;
        form = startProgram(seams, StartPage{server.url(start), {}});
        // Counts the completions the window hears of, and still hands them to it.
        auto windowHandler = form->WebBrowser1->DownloadComplete;
        form->WebBrowser1->DownloadComplete = [this, windowHandler] {
            ++completions;
            if (tracing())
                std::fprintf(stderr, "  completion %s\n", form->WebBrowser1->LocationURL().c_str());
            windowHandler();
        };
        auto loadingSign = form->WebBrowser1->LoadingChange;
        form->WebBrowser1->LoadingChange = [this, loadingSign](bool now) {
            loading = now;
            if (tracing())
                std::fprintf(stderr, "  %s %s\n", now ? "loading" : "loaded", form->WebBrowser1->LocationURL().c_str());
            loadingSign(now);
        };
    }
    ~ProgramWindow() override
    {
        form->Destroy();
        runPendingEvents();
    }
    void type(const std::string& address) override
    {
        form->Combo1->SetText(wxString::FromUTF8(address));
        pressKey(form->Combo1->Window(), GDK_KEY_Return);
    }
    bool enabled(const char* key) override { return form->Toolbar1->Enabled(slotOf(key)); }
    void click(const char* key) override { clickTool(form->Toolbar1->Window(), slotOf(key)); }
    std::string shown() override { return form->Text2->GetValue().utf8_string(); }
    std::string told() override
    {
        return "the caption \"" + form->GetTitle().utf8_string() + "\", the engine " + form->WebBrowser1->LocationURL();
    }
    void autoRefresh(int tick) override
    {
        clickButton(form->autofresh);
        form->Timer1.SetInterval(tick);
    }
    void stopAutoRefresh() override { form->Timer1.Stop(); }
};

// The floor: the engine's bare view on its 4.1 API in a toolkit window, with the setting
// the program makes on a display without direct rendering (as under Xvfb here), driven
// by the engine's own calls.
struct FloorWindow : Window {
    wxFrame* frame;
    WebKitWebView* view;
    wxTimer timer;

    FloorWindow(HttpServer& server, const std::string& start)
    {
        g_setenv("WEBKIT_DISABLE_COMPOSITING_MODE", "1", FALSE);
        frame = new wxFrame(nullptr, wxID_ANY, "floor", wxDefaultPosition, wxSize(663, 560));
        view = WEBKIT_WEB_VIEW(webkit_web_view_new());
        new wxNativeWindow(frame, wxID_ANY, GTK_WIDGET(view));
        g_signal_connect(view, "load-changed",
                         G_CALLBACK(+[](WebKitWebView* v, WebKitLoadEvent event, FloorWindow* self) {
                             if (event == WEBKIT_LOAD_STARTED) {
                                 self->loading = true;
                             } else if (event == WEBKIT_LOAD_FINISHED) {
                                 ++self->completions;
                                 self->loading = false;
                                 if (tracing())
                                     std::fprintf(stderr, "  completion %s\n", webkit_web_view_get_uri(v));
                             }
                         }),
                         this);
        g_signal_connect(view, "notify::title", G_CALLBACK(+[](WebKitWebView* v, GParamSpec*, wxFrame* f) {
                             f->SetTitle(wxString::FromUTF8(webkit_web_view_get_title(v)));
                         }),
                         frame);
        timer.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { webkit_web_view_reload(view); });
        webkit_web_view_load_uri(view, server.url(start).c_str());
        frame->Show();
    }
    ~FloorWindow() override
    {
        timer.Stop();
        g_signal_handlers_disconnect_by_data(view, this);
        g_signal_handlers_disconnect_by_data(view, frame);
        frame->Destroy();
        runPendingEvents();
    }
    void type(const std::string& address) override { webkit_web_view_load_uri(view, address.c_str()); }
    bool enabled(const char* key) override
    {
        const std::string k = key;
        return k == "back"      ? webkit_web_view_can_go_back(view)
               : k == "forward" ? webkit_web_view_can_go_forward(view)
                                : true;
    }
    void click(const char* key) override
    {
        const std::string k = key;
        if (k == "back")
            webkit_web_view_go_back(view);
        else if (k == "forward")
            webkit_web_view_go_forward(view);
        else
            webkit_web_view_reload(view);
    }
    std::string shown() override
    {
        const char* uri = webkit_web_view_get_uri(view);
        return loading || !uri ? std::string() : uri;
    }
    std::string told() override { return "the caption \"" + frame->GetTitle().utf8_string() + "\""; }
    void autoRefresh(int tick) override { timer.Start(tick); }
    void stopAutoRefresh() override { timer.Stop(); }
};

// ---- the session ---------------------------------------------------------------------

struct Session {
    Session(HttpServer& s, Window& w) : server(s), window(w) {}
    HttpServer& server;
    Window& window;
    int timeouts = 0;
    // The engine's history as the session expects it.
    std::vector<std::string> history;
    std::size_t at = 0;
    // How long each back step took from the click to its page shown, ms.
    std::vector<double> backSteps;

    // Waits for the load an action started: a completion after it, with the address expected.
    bool awaitLoad(int before, const std::string& address)
    {
        const std::string expected = server.url(address);
        // Then a moment's pause, as a user's next click comes no sooner: the title a page
        // tells after its load ends completes it once more.
        if (runEventsUntil([&] { return window.completions > before && !window.loading && window.shown() == expected; },
                           10s)) {
            runEventsUntil([] { return false; }, 30ms);
            return true;
        }
        ++timeouts;
        std::fprintf(stderr, "no load of %s (the window shows %s, %s; %d completions)\n", address.c_str(),
                     window.shown().c_str(), window.told().c_str(), window.completions - before);
        // The session goes on from where the engine is.
        runEventsUntil([&] { return !window.loading; }, 10s);
        const std::string shown = window.shown();
        history = {shown.substr(std::min(shown.size(), server.url("").size()))};
        at = 0;
        return false;
    }

    void type(const std::string& address)
    {
        const int before = window.completions;
        window.type(server.url(address));
        history.resize(at + 1);
        history.push_back(address);
        at = history.size() - 1;
        awaitLoad(before, address);
    }

    void tool(const char* key, int step)
    {
        // A user clicks the button once it shows enabled; a click on a disabled one is lost.
        if (!runEventsUntil([&] { return window.enabled(key); }, 5s))
            std::fprintf(stderr, "%s stays disabled\n", key);
        const int before = window.completions;
        const auto start = std::chrono::steady_clock::now();
        window.click(key);
        at = static_cast<std::size_t>(static_cast<int>(at) + step);
        const bool landed = awaitLoad(before, history[at]);
        if (landed && step < 0)
            backSteps.push_back(
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count() - 30);
    }
};

// One navigation of a repeating pattern: mostly typed addresses, with back, back,
// forward and refresh among them.
void navigate(Session& s, const std::vector<std::string>& pages, int n)
{
    if (std::getenv("SOAK_TRACE"))
        std::fprintf(stderr, "%d: %d at %zu of %zu\n", n, n % 8, s.at, s.history.size());
    switch (n % 8) {
    case 5:
    case 6:
        if (s.at > 0)
            return s.tool("back", -1);
        break;
    case 7:
        if (s.at + 1 < s.history.size())
            return s.tool("forward", 1);
        break;
    case 4: return s.tool("refresh", 0);
    default: break;
    }
    s.type(pages[static_cast<std::size_t>(n * 5) % pages.size()]);
}

void print(const char* when, const Reading& r)
{
    std::printf("%-8s window %6.1f MiB (private %6.1f)   tree %6.1f MiB (private %6.1f)   %d processes\n", when,
                r.window.pss / 1024.0, r.window.own / 1024.0, r.tree.pss / 1024.0, r.tree.own / 1024.0, r.processes);
    std::printf("        %s\n", r.each.c_str());
    std::fflush(stdout);
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

int run(bool floor, int navigations, int ticks)
{
    HttpServer server;
    const std::vector<std::string> pages = servePages(server);
    std::unique_ptr<Window> window;
    if (floor)
        window = std::make_unique<FloorWindow>(server, pages[0]);
    else
        window = std::make_unique<ProgramWindow>(server, pages[0]);
    Session s(server, *window);
    s.history = {pages[0]};
    s.awaitLoad(0, pages[0]);

    Reading warm;
    for (int n = 1; n <= navigations; ++n) {
        navigate(s, pages, n);
        if (n == kWarmUpNavigations)
            print("warm", warm = measure());
        else if (n % 1000 == 0 && n < navigations)
            print(("at " + std::to_string(n)).c_str(), measure());
    }
    print("browsed", measure());

    // Auto refresh on the page shown, through its button; then the minute is shortened.
    // On the heaviest page, the one that runs a script.
    s.type(pages[2]);
    const std::string shown = s.history[s.at];
    std::printf("auto refresh of %s\n", shown.c_str());
    const int hitsBefore = server.hits(shown);
    window->autoRefresh(tickInterval());
    if (!runEventsUntil([&] { return server.hits(shown) >= hitsBefore + ticks; },
                        std::chrono::milliseconds(ticks * 1000)))
        std::fprintf(stderr, "only %d reloads\n", server.hits(shown) - hitsBefore);
    window->stopAutoRefresh();
    const Reading end = measure();
    print("end", end);
    const auto growth = [](long from, long to) {
        return 100.0 * static_cast<double>(to - from) / static_cast<double>(from);
    };
    std::printf("growth   window %+.1f %% (private %+.1f %%)   tree %+.1f %% (private %+.1f %%)\n",
                growth(warm.window.pss, end.window.pss), growth(warm.window.own, end.window.own),
                growth(warm.tree.pss, end.tree.pss), growth(warm.tree.own, end.tree.own));
    const double backStep = median(s.backSteps);
    std::printf("session  %d completions, %d reported, %d lost loads, back step %.0f ms (median of %zu)\n",
                window->completions, window->reports, s.timeouts, backStep, s.backSteps.size());
    std::printf("RESULT %ld %ld %ld %ld %ld %ld %ld %ld %.0f %d\n", warm.window.pss, warm.tree.pss, end.window.pss,
                end.tree.pss, warm.window.own, warm.tree.own, end.window.own, end.tree.own, backStep, s.timeouts);
    window.reset();
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const bool floor = argc > 1 && std::string(argv[1]) == "--floor";
    const int first = floor ? 2 : 1;
    const int navigations = argc > first ? std::atoi(argv[first]) : 1000;
    const int ticks = argc > first + 1 ? std::atoi(argv[first + 1]) : 300;
    isolateUserDirs();
    wxApp::SetInstance(new wxApp);
    int toolkitArgc = 1; // our own arguments are not the toolkit's
    if (!wxEntryStart(toolkitArgc, argv) || !wxTheApp->CallOnInit())
        return 1;
    wxImage::AddHandler(new wxPNGHandler);
    int status;
    {
        wxEventLoop loop;
        wxEventLoopActivator active(&loop);
        status = run(floor, navigations, ticks);
    }
    wxTheApp->OnExit();
    wxEntryCleanup();
    return status;
}
