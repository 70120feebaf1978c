// In-process benchmarks of the window's work that grows with the user's data.
// Run on a display (scripts/with-display.sh build-bench/bench/zemora_bench).
#include <dirent.h>

#include <benchmark/benchmark.h>

#include <clocale>
#include <filesystem>
#include <fstream>

#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/init.h>

#include "app/Form1.h"
#include "favorites/IniFile.h"
#include "favorites/ShortcutFile.h"
#include "tests/support/FakeBrowser.h"
#include "tests/support/TestEnvironment.h"

using namespace zemora;
namespace fs = std::filesystem;

namespace {

std::string favoritesWith(int count)
{
    const fs::path folder = test::testHome() / ("Favorites-" + std::to_string(count));
    if (!fs::exists(folder)) {
        fs::create_directories(folder);
        for (int i = 0; i < count; ++i)
            std::ofstream(folder / ("site " + std::to_string(i) + ".url"))
                << "[InternetShortcut]\r\nURL=http://site" << i << ".example/\r\n";
    }
    return folder.string();
}

std::unique_ptr<Form1, void (*)(Form1*)> makeForm(const std::string& folder)
{
    Form1Seams seams;
    seams.createBrowser = [](wxWindow* parent) { return std::make_unique<test::FakeBrowser>(parent); };
    seams.favoritesFolder = [folder] { return folder; };
    seams.reportFailure = [](const std::string&) {};
    seams.tellUser = [](const std::string&) {};
    return {new Form1(seams), [](Form1* f) {
                f->Destroy();
                test::runPendingEvents();
            }};
}

void BM_BareDirectoryScan(benchmark::State& state)
{
    const std::string folder = favoritesWith(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        DIR* dir = ::opendir(folder.c_str());
        int names = 0;
        while (dirent* entry = ::readdir(dir))
            names += entry->d_name[0] != '.';
        ::closedir(dir);
        benchmark::DoNotOptimize(names);
    }
    state.SetComplexityN(state.range(0));
}

void BM_ListFavorites(benchmark::State& state)
{
    auto form = makeForm(favoritesWith(static_cast<int>(state.range(0))));
    for (auto _ : state) {
        form->LoadFavoritesList();
        state.PauseTiming();
        form->Combo2->Clear();
        state.ResumeTiming();
    }
    state.SetComplexityN(state.range(0));
}

// Listing the folder again after another program added (or removed) one favorite: the
// listing and the whole list put in at once.
void BM_RefreshFavorites(benchmark::State& state)
{
    const std::string folder = favoritesWith(static_cast<int>(state.range(0)));
    auto form = makeForm(folder);
    form->LoadFavoritesList();
    const fs::path extra = fs::path(folder) / "extra.url";
    for (auto _ : state) {
        state.PauseTiming();
        if (fs::exists(extra))
            fs::remove(extra);
        else
            std::ofstream(extra) << "[InternetShortcut]\r\nURL=http://extra.example/\r\n";
        state.ResumeTiming();
        form->RefreshFavoritesList();
    }
    fs::remove(extra);
    state.SetComplexityN(state.range(0));
}

void BM_OpenTypedAddress(benchmark::State& state)
{
    auto form = makeForm(favoritesWith(0));
    for (int i = 0; i < state.range(0); ++i)
        form->Combo1->AddItem(wxString::Format("http://site%d.example/", static_cast<int>(i)));
    int next = 0;
    for (auto _ : state) {
        // Alternates a new address (appended) with one already in the history.
        form->Combo1->SetText(
            next % 2 ? wxString::Format("new%d.example", next)
                     : wxString::Format("http://site%d.example/", static_cast<int>(next % state.range(0))));
        form->OpenTypedAddress();
        ++next;
    }
    state.SetComplexityN(state.range(0));
}

std::string fileWithLines(int lines)
{
    const fs::path path = test::testHome() / ("lines-" + std::to_string(lines) + ".url");
    std::ofstream out(path, std::ios::binary);
    out << "[Other]\r\n";
    for (int i = 0; i < lines; ++i)
        out << "Key" << i << "=value " << i << "\r\n";
    out << "[InternetShortcut]\r\nURL=http://example.test/\r\n";
    return path.string();
}

// Files over 1 MiB are refused by design; such sizes are reported as skipped.
bool refusedAsTooLarge(benchmark::State& state, const std::string& path)
{
    if (fs::file_size(path) <= 1024 * 1024)
        return false;
    state.SkipWithError("over 1 MiB: refused by design");
    return true;
}

void BM_OpenFavoriteFile(benchmark::State& state)
{
    const std::string path = fileWithLines(static_cast<int>(state.range(0)));
    if (refusedAsTooLarge(state, path))
        return;
    for (auto _ : state)
        benchmark::DoNotOptimize(readShortcutAddress(path));
    state.SetComplexityN(state.range(0));
}

void BM_IniWrite(benchmark::State& state)
{
    const std::string path = fileWithLines(static_cast<int>(state.range(0)));
    if (refusedAsTooLarge(state, path))
        return;
    int i = 0;
    for (auto _ : state)
        writeIniValue(path, "InternetShortcut", "URL", "http://example.test/" + std::to_string(i++));
    state.SetComplexityN(state.range(0));
}

void BM_ApplyLayout(benchmark::State& state)
{
    auto form = makeForm(favoritesWith(0));
    form->Show();
    form->CaptureLayout();
    int i = 0;
    for (auto _ : state) {
        form->SetClientSize(663 + (i % 2) * 200, 519 + (i % 2) * 100);
        form->ApplyLayout();
        ++i;
    }
}

void sizes(benchmark::internal::Benchmark* b)
{
    for (int n : {10, 1000, 10000, 100000})
        b->Arg(n);
    b->Complexity();
}

BENCHMARK(BM_BareDirectoryScan)->Apply(sizes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ListFavorites)->Apply(sizes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RefreshFavorites)->Apply(sizes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OpenTypedAddress)->Apply(sizes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OpenFavoriteFile)->Apply(sizes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_IniWrite)->Apply(sizes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ApplyLayout)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    test::isolateUserDirs();
    std::setlocale(LC_ALL, "");
    wxApp::SetInstance(new wxApp);
    if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit())
        return 1;
    {
        wxEventLoop loop;
        wxEventLoopActivator active(&loop);
        benchmark::RunSpecifiedBenchmarks();
    }
    wxTheApp->OnExit();
    wxEntryCleanup();
    return 0;
}
