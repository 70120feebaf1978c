// Long session: the real window on the real engine, driven through its own widgets over
// local pages (text, images, scripts) for many navigations with back, forward and
// refresh, then auto refresh at a short interval. Prints the PSS of the window process
// and of its whole process tree after a warm-up and at the end.
// Run on a display: scripts/with-display.sh build-bench/bench/zemora_soak [navigations] [ticks]
#include <dirent.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <gdk/gdkkeysyms.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/evtloop.h>
#include <wx/image.h>
#include <wx/init.h>
#include <wx/mstream.h>
#include <wx/textctrl.h>

#include "app/Startup.h"
#include "engine/WebKitBrowser.h"
#include "tests/support/HttpServer.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/UserActions.h"

using namespace zemora;
using namespace zemora::test;
using namespace std::chrono_literals;

namespace {

constexpr int kPagesOfEachKind = 4;   // bounded: the typed-address history stops growing early
constexpr int kWarmUpNavigations = 100;
// ms, in place of the minute; still longer than a load takes, as the minute is
// (SOAK_TICK sets another).
int tickInterval() { return std::getenv("SOAK_TICK") ? std::atoi(std::getenv("SOAK_TICK")) : 500; }
constexpr auto kSettle = 3s;          // before each reading: pending loads and collections end

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
        body += "<circle cx=\"" + std::to_string(10 + i * 9) + "\" cy=\"30\" r=\"" + std::to_string(4 + (i + seed) % 8) +
                "\" fill=\"hsl(" + std::to_string(i * 30) + ",70%,50%)\"/>";
    return body + "</svg>";
}

std::string html(const std::string& title, const std::string& head, const std::string& body)
{
    return "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>" + title + "</title>" + head +
           "</head><body><h1>" + title + "</h1>" + body + "</body></html>";
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
            text += "<p>Paragraph " + std::to_string(p) + " of text page " + id +
                    ": the quick brown fox jumps over the lazy dog, again and again, until the line wraps.</p>";
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
              html("Script " + id, "", "<p id=\"beat\"></p><ul id=\"list\"></ul><script src=\"/js/" + id + ".js\"></script>"),
              "text/html; charset=utf-8");
        for (const char* kind : {"/text/", "/images/", "/script/"})
            paths.push_back(kind + id);
    }
    return paths;
}

// ---- the session ---------------------------------------------------------------------

struct Session {
    explicit Session(HttpServer& s) : server(s) {}
    Form1* form = nullptr;
    HttpServer& server;
    int completions = 0;
    bool loading = false;
    int reports = 0;
    int timeouts = 0;
    // The engine's history as the session expects it.
    std::vector<std::string> history;
    std::size_t at = 0;

    // Waits for the load an action started: a completion after it, with the address expected.
    void awaitLoad(int before, const std::string& address)
    {
        const wxString expected = wxString::FromUTF8(server.url(address));
        // Then a moment's pause, as a user's next click comes no sooner: the title a page
        // tells after its load ends completes it once more.
        if (runEventsUntil([&] { return completions > before && !loading && form->Text2->GetValue() == expected; }, 10s)) {
            runEventsUntil([] { return false; }, 30ms);
        } else {
            ++timeouts;
            std::fprintf(stderr, "no load of %s (the caption \"%s\", the box %s, the engine %s; %d completions)\n",
                         address.c_str(), form->GetTitle().utf8_string().c_str(),
                         form->Text2->GetValue().utf8_string().c_str(),
                         form->WebBrowser1->LocationURL().utf8_string().c_str(), completions - before);
            // The session goes on from where the engine is.
            const std::string shown = form->WebBrowser1->LocationURL().utf8_string();
            history = {shown.substr(std::min(shown.size(), server.url("").size()))};
            at = 0;
        }
    }

    void type(const std::string& address)
    {
        const int before = completions;
        form->Combo1->SetText(wxString::FromUTF8(server.url(address)));
        pressKey(form->Combo1->Window(), GDK_KEY_Return);
        history.resize(at + 1);
        history.push_back(address);
        at = history.size() - 1;
        awaitLoad(before, address);
    }

    void tool(const char* key, int step)
    {
        // A user clicks the button once it shows enabled; a click on a disabled one is lost.
        if (!runEventsUntil([&] { return form->Toolbar1->Enabled(slotOf(key)); }, 5s))
            std::fprintf(stderr, "%s stays disabled\n", key);
        const int before = completions;
        clickTool(form->Toolbar1->Window(), slotOf(key));
        at = static_cast<std::size_t>(static_cast<int>(at) + step);
        awaitLoad(before, history[at]);
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
    case 4:
        return s.tool("refresh", 0);
    default:
        break;
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

int run(int navigations, int ticks)
{
    HttpServer server;
    const std::vector<std::string> pages = servePages(server);

    Form1Seams seams;
    seams.createBrowser = [](wxWindow* parent) { return std::make_unique<WebKitBrowser>(parent); };
    const std::string favorites = (testHome() / "Favorites").string();
    std::filesystem::create_directories(favorites);
    seams.favoritesFolder = [favorites] { return favorites; };
    seams.addFavoriteDialog = [](wxWindow*, const wxString&, const std::string&) {
        return std::optional<AddFavoriteChoice>();
    };
    Session s(server);
    seams.reportFailure = [&s](const std::string& message) {
        ++s.reports;
        std::fprintf(stderr, "reported: %s\n", message.c_str());
    };
    seams.tellUser = seams.reportFailure;

    const int before = s.completions;
    s.form = startProgram(seams, StartPage{server.url(pages[0]), {}});
    // Counts the completions the window hears of, and still hands them to it.
    auto windowHandler = s.form->WebBrowser1->DownloadComplete;
    s.form->WebBrowser1->DownloadComplete = [&s, windowHandler] {
        ++s.completions;
        if (std::getenv("SOAK_TRACE"))
            std::fprintf(stderr, "  completion %s\n", s.form->WebBrowser1->LocationURL().utf8_string().c_str());
        windowHandler();
    };
    auto loadingSign = s.form->WebBrowser1->LoadingChange;
    s.form->WebBrowser1->LoadingChange = [&s, loadingSign](bool loading) {
        s.loading = loading;
        if (std::getenv("SOAK_TRACE"))
            std::fprintf(stderr, "  %s %s\n", loading ? "loading" : "loaded", s.form->WebBrowser1->LocationURL().utf8_string().c_str());
        loadingSign(loading);
    };
    s.history = {pages[0]};
    s.awaitLoad(before, pages[0]);

    Reading warm;
    for (int n = 1; n <= navigations; ++n) {
        navigate(s, pages, n);
        if (n == kWarmUpNavigations)
            print("warm", warm = measure());
    }
    print("browsed", measure());

    // Auto refresh on the page shown, through its button; then the minute is shortened.
    // On the heaviest page, the one that runs a script.
    s.type(pages[2]);
    const std::string shown = s.history[s.at];
    std::printf("auto refresh of %s\n", shown.c_str());
    clickButton(s.form->autofresh);
    s.form->Timer1.SetInterval(tickInterval());
    const int hitsBefore = server.hits(shown);
    if (std::getenv("SOAK_TRACE")) {
        auto tick = s.form->Timer1.onTick;
        s.form->Timer1.onTick = [tick, &server, shown] {
            std::fprintf(stderr, "  tick, %d hits of %s\n", server.hits(shown), shown.c_str());
            tick();
        };
    }
    if (!runEventsUntil([&] { return server.hits(shown) >= hitsBefore + ticks; }, std::chrono::milliseconds(ticks * 1000)))
        std::fprintf(stderr, "only %d reloads\n", server.hits(shown) - hitsBefore);
    s.form->Timer1.Stop();
    const Reading end = measure();
    print("end", end);
    const auto growth = [](long from, long to) { return 100.0 * static_cast<double>(to - from) / static_cast<double>(from); };
    std::printf("growth   window %+.1f %% (private %+.1f %%)   tree %+.1f %% (private %+.1f %%)\n",
                growth(warm.window.pss, end.window.pss), growth(warm.window.own, end.window.own),
                growth(warm.tree.pss, end.tree.pss), growth(warm.tree.own, end.tree.own));
    std::printf("session  %d completions, %d reported, %d lost loads, %d addresses in the box's list\n", s.completions,
                s.reports, s.timeouts, s.form->Combo1->ListCount());
    std::printf("RESULT %ld %ld %ld %ld %ld %ld %ld %ld\n", warm.window.pss, warm.tree.pss, end.window.pss, end.tree.pss,
                warm.window.own, warm.tree.own, end.window.own, end.tree.own);

    s.form->Destroy();
    runPendingEvents();
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const int navigations = argc > 1 ? std::atoi(argv[1]) : 1000;
    const int ticks = argc > 2 ? std::atoi(argv[2]) : 300;
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
        status = run(navigations, ticks);
    }
    wxTheApp->OnExit();
    wxEntryCleanup();
    return status;
}
