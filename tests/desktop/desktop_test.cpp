// The installed package on a desktop: the program from its scratch root, and xdg-open
// handing it links and shortcut files once it is the default browser. Everything stays
// in this test's own HOME and XDG folders.
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/HttpServer.h"
#include "tests/support/TestEnvironment.h"

namespace fs = std::filesystem;
using zemora::test::HttpServer;
using zemora::test::testHome;

namespace {

struct Ran {
    int status = -1;
    std::string output; // standard output and error
};

Ran run(const std::string& commandLine)
{
    Ran ran;
    FILE* pipe = ::popen((commandLine + " 2>&1").c_str(), "r");
    if (pipe == nullptr)
        return ran;
    char buffer[4096];
    while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe))
        ran.output.append(buffer, n);
    const int status = ::pclose(pipe);
    ran.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return ran;
}

std::string quoted(const std::string& text)
{
    std::string out = "'";
    for (const char c : text)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

std::string firstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

// A program started in its own process group, which ends with it (the browser and the
// engine's processes it starts, or xdg-open and the browser it runs).
class Started {
public:
    Started(const std::vector<std::string>& argv, const fs::path& log)
    {
        pid_ = ::fork();
        if (pid_ == 0) {
            ::setpgid(0, 0);
            const int fd = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            ::dup2(fd, 1);
            ::dup2(fd, 2);
            std::vector<char*> args;
            for (const std::string& arg : argv)
                args.push_back(const_cast<char*>(arg.c_str()));
            args.push_back(nullptr);
            ::execvp(args[0], args.data());
            ::_exit(127);
        }
        ::setpgid(pid_, pid_);
    }
    ~Started()
    {
        ::kill(-pid_, SIGTERM);
        for (int i = 0; i < 100 && ::waitpid(pid_, nullptr, WNOHANG) == 0; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        ::kill(-pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
    Started(const Started&) = delete;
    Started& operator=(const Started&) = delete;

private:
    pid_t pid_ = -1;
};

// Polls for up to 60 seconds: a start of the engine on a busy machine takes a while.
bool eventually(const std::function<bool()>& done)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    return true;
}

bool windowTitled(const std::string& title) { return run("xdotool search --name " + quoted(title)).status == 0; }

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class InstalledPackage : public testing::Test {
protected:
    void SetUp() override
    {
        const char* rootDir = std::getenv("ZEMORA_PACKAGE_ROOT");
        ASSERT_NE(rootDir, nullptr) << "the package test unpacks the package first";
        root = rootDir;
        program = root / "usr/bin/zemora";
        ASSERT_TRUE(fs::exists(program)) << program;
        log = testHome() / "program.log";
    }

    // The page and window title every test waits for.
    void servePage(const std::string& path, const std::string& title) { server.page(path, title); }

    void expectOpened(const std::string& path, const std::string& title)
    {
        EXPECT_TRUE(eventually([&] { return server.hits(path) > 0; })) << "Zemora never asked for " << path << "\n"
                                                                       << readFile(log);
        EXPECT_TRUE(eventually([&] { return windowTitled(title); })) << "no window titled " << title << "\n"
                                                                     << readFile(log);
    }

    fs::path root;
    fs::path program;
    fs::path log;
    HttpServer server;
};

} // namespace

TEST_F(InstalledPackage, ProgramAnswersHelpVersionAndMistakesWithoutADisplay)
{
    const std::string noDisplay = "env -u DISPLAY -u WAYLAND_DISPLAY " + quoted(program.string());
    const Ran version = run(noDisplay + " --version");
    EXPECT_EQ(version.status, 0);
    // It names the engine as installed (Debian's version less its revision).
    const std::string engine = run("dpkg-query -W -f='${Version}' libwebkit2gtk-4.1-0").output;
    EXPECT_EQ(version.output, "zemora 1.0.0.0 (WebKitGTK " + engine.substr(0, engine.find('-')) + ")\n");
    const Ran help = run(noDisplay + " --help");
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(firstLine(help.output), "Usage: zemora [ADDRESS | FILE.url]");
    const Ran unknown = run(noDisplay + " --new-tab example.com");
    EXPECT_EQ(unknown.status, 2);
    EXPECT_EQ(firstLine(unknown.output), "zemora: unknown option '--new-tab'");
    const Ran two = run(noDisplay + " a.example b.example");
    EXPECT_EQ(two.status, 2) << two.output;
    const Ran window = run(noDisplay + " example.com");
    EXPECT_NE(window.status, 0) << "a window needs a display";
    EXPECT_NE(window.output.find("DISPLAY"), std::string::npos) << window.output;
}

TEST_F(InstalledPackage, ProgramOpensItsWindowOnTheAddressGiven)
{
    servePage("/start?from=cli", "Zemora installed start");
    // No scheme: the program puts http:// in front.
    Started zemora({program.string(), "127.0.0.1:" + std::to_string(server.port()) + "/start?from=cli"}, log);
    expectOpened("/start?from=cli", "Zemora installed start");
}

TEST_F(InstalledPackage, DefaultBrowserOpensLinksAndShortcutFilesFromXdgOpen)
{
    // A session with no desktop of its own: xdg-utils take their generic path through
    // mimeapps.list, which lives in this test's XDG_CONFIG_HOME.
    for (const char* name : {"BROWSER", "XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION",
                             "GNOME_DESKTOP_SESSION_ID", "MATE_DESKTOP_SESSION_ID"})
        ::unsetenv(name);
    const std::string path = (root / "usr/bin").string() + ":" + std::getenv("PATH");
    ::setenv("PATH", path.c_str(), 1);
    const fs::path applications = fs::path(std::getenv("XDG_DATA_HOME")) / "applications";
    fs::create_directories(applications);
    fs::copy_file(root / "usr/share/applications/zemora.desktop", applications / "zemora.desktop");
    // What the package's triggers do for the system folder.
    ASSERT_EQ(run("update-desktop-database " + quoted(applications.string())).status, 0);

    const Ran set = run("xdg-settings set default-web-browser zemora.desktop");
    ASSERT_EQ(set.status, 0) << set.output;
    EXPECT_EQ(run("xdg-settings get default-web-browser").output, "zemora.desktop\n");
    EXPECT_EQ(run("xdg-settings check default-web-browser zemora.desktop").output, "yes\n");
    const std::string mimeapps = readFile(fs::path(std::getenv("XDG_CONFIG_HOME")) / "mimeapps.list");
    EXPECT_NE(mimeapps.find("x-scheme-handler/https=zemora.desktop"), std::string::npos) << mimeapps;

    servePage("/link", "Zemora link from xdg-open");
    {
        Started open({"xdg-open", server.url("/link")}, log);
        expectOpened("/link", "Zemora link from xdg-open");
    }

    const fs::path shortcut = testHome() / "Desktop" / "a favorite.url";
    fs::create_directories(shortcut.parent_path());
    std::ofstream(shortcut, std::ios::binary) << "[InternetShortcut]\r\nURL=" << server.url("/favorite") << "\r\n";
    EXPECT_EQ(run("xdg-mime query filetype " + quoted(shortcut.string())).output, "application/x-mswinurl\n");
    EXPECT_EQ(run("xdg-mime query default application/x-mswinurl").output, "zemora.desktop\n");
    servePage("/favorite", "Zemora shortcut from xdg-open");
    {
        Started open({"xdg-open", shortcut.string()}, log);
        expectOpened("/favorite", "Zemora shortcut from xdg-open");
    }
}
