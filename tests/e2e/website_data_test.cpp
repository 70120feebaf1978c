// The user's website data across restarts: the window started twice in processes of its
// own with the same home, as a person closes Zemora and starts it again.
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include <wx/stattext.h>

#include "base/Texts.h"
#include "tests/support/Files.h"
#include "tests/support/HttpServer.h"
#include "tests/support/RealFormFixture.h"

using namespace zemora;
using namespace zemora::test;

namespace {

constexpr char kRunAddresses[] = "ZEMORA_RUN_ADDRESSES";
constexpr char kRunResult[] = "ZEMORA_RUN_RESULT";

// One run of the window, started by the tests below in a process of their own: opens each
// address of ZEMORA_RUN_ADDRESSES in turn (the first as the start page) and writes, after
// each page, the window's caption and the banner line, one line each, to ZEMORA_RUN_RESULT.
class WindowRun : public RealFormFixture {};

TEST_F(WindowRun, DISABLED_OpensTheAddressesAndWritesWhatItShows)
{
    const char* addresses = std::getenv(kRunAddresses);
    const char* result = std::getenv(kRunResult);
    if (!addresses || !result)
        GTEST_SKIP() << "started only by the website data tests";
    int completions = 0;
    const auto told = form->WebBrowser1->DownloadComplete;
    form->WebBrowser1->DownloadComplete = [&] {
        told();
        ++completions;
    };
    std::ofstream out(result);
    std::istringstream list(addresses);
    std::string address;
    for (bool first = true; list >> address; first = false) {
        const int before = completions;
        if (first) {
            form->Start.address = address;
            form->runHandler([&] { form->Form_Load(); });
        } else {
            form->runHandler([&] { form->WebBrowser1->NavigateTo(address); });
        }
        ASSERT_TRUE(runEventsUntil(
            [&] { return completions > before && form->WebBrowser1->LocationURL() == wxString::FromUTF8(address); }));
        // What the window shows once the page has settled.
        runEventsUntil([] { return false; }, std::chrono::milliseconds(500));
        wxString caption = form->GetTitle();
        caption.Replace(wxText(kTitleSuffix), "");
        out << caption.utf8_string() << '\n' << form->Label2->GetLabel().utf8_string() << '\n';
    }
}

class WebsiteData : public testing::Test {
protected:
    void SetUp() override
    {
        Response set;
        set.body = "<title>set</title>";
        set.headers = {{"Set-Cookie", "login=kept; Expires=Wed, 01 Jan 2099 00:00:00 GMT; Path=/"},
                       {"Set-Cookie", "visit=session; Path=/"}};
        server.route("/set", set);
        Response show;
        show.body = "<title>-</title><script>document.title = 'cookies: ' + document.cookie;"
                    "localStorage.setItem('seen', '1');</script>";
        server.route("/show", show);
    }

    // Starts the window on this home, opens the pages, and answers caption and banner
    // after each.
    std::vector<std::string> run(const std::string& home, const std::vector<std::string>& paths,
                                 std::string dataHome = {})
    {
        if (dataHome.empty())
            dataHome = home + "/share";
        std::string addresses;
        for (const auto& path : paths)
            addresses += server.url(path) + " ";
        const std::string result = home + "/run-result";
        std::filesystem::remove(result);
        const pid_t child = ::fork();
        if (child == 0) {
            ::setenv("ZEMORA_TEST_HOME", home.c_str(), 1);
            ::setenv("XDG_DATA_HOME", dataHome.c_str(), 1);
            ::setenv("XDG_CACHE_HOME", (home + "/cache").c_str(), 1);
            ::setenv("XDG_CONFIG_HOME", (home + "/config").c_str(), 1);
            ::setenv(kRunAddresses, addresses.c_str(), 1);
            ::setenv(kRunResult, result.c_str(), 1);
            ::execl("/proc/self/exe", "e2e_tests", "--gtest_also_run_disabled_tests",
                    "--gtest_filter=WindowRun.DISABLED_OpensTheAddressesAndWritesWhatItShows", nullptr);
            ::_exit(127);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the run ended with " << status;
        std::vector<std::string> lines;
        std::ifstream in(result);
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }

    static unsigned modeOf(const std::string& path)
    {
        struct stat status {};
        return ::lstat(path.c_str(), &status) == 0 ? status.st_mode & 07777 : 0;
    }

    HttpServer server;
    TempFolder home;
};

TEST_F(WebsiteData, ALoginCookieOutlivesARestartAndASessionCookieEndsWithTheWindow)
{
    const auto first = run(home.path(), {"/set", "/show"});
    ASSERT_EQ(first.size(), 4u);
    EXPECT_EQ(first[2], "cookies: login=kept; visit=session");
    EXPECT_EQ(first[1], std::string(kBanner)) << "nothing to tell";

    const auto second = run(home.path(), {"/show"});
    ASSERT_EQ(second.size(), 2u);
    EXPECT_EQ(second[0], "cookies: login=kept");
    EXPECT_EQ(second[1], std::string(kBanner));

    // The engine's data and cache in the program's own folders, the user's alone.
    const std::string data = home / "share/zemora", cache = home / "cache/zemora";
    EXPECT_EQ(modeOf(data), 0700u);
    EXPECT_EQ(modeOf(cache), 0700u);
    EXPECT_EQ(modeOf(data + "/cookies.sqlite"), 0600u);
    EXPECT_TRUE(std::filesystem::exists(data + "/localstorage")) << "local storage kept beside the cookies";
    for (const auto& entry : std::filesystem::directory_iterator(home / "share"))
        EXPECT_EQ(entry.path().filename(), "zemora") << "no website data outside the program's folder";
}

TEST_F(WebsiteData, LoginsKeptByTheEarlierEngineAreReadByThisOne)
{
    // A store as the build on the engine's 4.0 API wrote it (tests/e2e/data says how it was made).
    const std::string data = home / "share/zemora";
    std::filesystem::create_directories(data);
    std::filesystem::copy_file(ZEMORA_SOURCE_DIR "/tests/e2e/data/cookies-4.0.sqlite", data + "/cookies.sqlite");
    ::chmod((data + "/cookies.sqlite").c_str(), 0600);

    const auto lines = run(home.path(), {"/show", "/set"});
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "cookies: login=kept-by-4.0");
    EXPECT_EQ(lines[1], std::string(kBanner)) << "nothing to tell";
    // Written on by this engine, the same store is read again at the next start.
    const auto again = run(home.path(), {"/show"});
    ASSERT_EQ(again.size(), 2u);
    EXPECT_EQ(again[0], "cookies: login=kept");
}

TEST_F(WebsiteData, ADamagedCookieStoreIsPutAsideAndLoginsAreKeptAgain)
{
    const std::string data = home / "share/zemora";
    const std::string real = readFile(ZEMORA_SOURCE_DIR "/tests/e2e/data/cookies-4.0.sqlite");
    const std::string header = std::string("SQLite format 3") + '\0';
    const std::pair<const char*, std::string> damages[] = {
        {"no database at all", "this is no cookie database\n"},
        {"garbage after a valid header", header + std::string(8176, '#')},
        {"a store cut short", real.substr(0, real.size() / 2)},
        {"zeros", std::string(8192, '\0')},
    };
    for (const auto& [what, damaged] : damages) {
        SCOPED_TRACE(what);
        std::filesystem::remove_all(data);
        std::filesystem::create_directories(data);
        writeFile(data + "/cookies.sqlite", damaged);

        const auto first = run(home.path(), {"/set", "/show"});
        ASSERT_EQ(first.size(), 4u);
        // Said once, under the first page, naming where the damaged store went.
        std::vector<std::string> aside;
        for (const auto& entry : std::filesystem::directory_iterator(data))
            if (entry.path().filename().string().rfind("cookies.sqlite.damaged-", 0) == 0)
                aside.push_back(entry.path().string());
        ASSERT_EQ(aside.size(), 1u);
        EXPECT_EQ(readFile(aside[0]), damaged) << "the user's file is kept, only renamed";
        EXPECT_EQ(first[1], bilingual(kCookieStorePutAside, {{"file", aside[0]}}));
        EXPECT_EQ(first[2], "cookies: login=kept; visit=session");
        EXPECT_EQ(first[3], std::string(kBanner)) << "said once";

        const auto second = run(home.path(), {"/show"});
        ASSERT_EQ(second.size(), 2u);
        EXPECT_EQ(second[0], "cookies: login=kept") << "the login set afterwards outlives a restart";
        EXPECT_EQ(second[1], std::string(kBanner)) << "nothing more to tell";
    }
}

TEST_F(WebsiteData, AnUnwritableDataFolderLeavesCookiesInMemoryAndTheBannerSaysSo)
{
    // A place where even root can make nothing, as a read-only disk is to a user.
    const std::string nowhere = "/proc/zemora-nowhere";
    const auto lines = run(home.path(), {"/set", "/show"}, nowhere);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[1], bilingual(kCookieStoreUnwritable, {{"file", nowhere + "/zemora/cookies.sqlite"}}));
    EXPECT_EQ(lines[2], "cookies: login=kept; visit=session");
    EXPECT_EQ(lines[3], std::string(kBanner));
}

} // namespace
