#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <wx/app.h>
#include <wx/log.h>

#include "app/Form1.h"
#include "app/Language.h"
#include "app/Startup.h"
#include "base/Texts.h"
#include "browse/CommandLine.h"
#include "engine/EngineVersion.h"

namespace {

class ZemoraApp : public wxApp {
public:
    // Chinese messages are settled before the toolkit starts, which reads the locale once.
    explicit ZemoraApp(zemora::StartPage start) : start_(std::move(start)) { zemora::useChineseMessages(); }

    bool OnInit() override
    {
        // With a display, wx's own messages go to the window again.
        delete wxLog::SetActiveTarget(nullptr);
        zemora::Form1* form = zemora::startProgram(zemora::platformSeams(), start_);
        // As root the page sandbox has no user namespace and keeps most capabilities.
        if (::geteuid() == 0) {
            const std::string warning = zemora::bilingual(zemora::kRunningAsRoot);
            std::fprintf(stderr, "zemora: %s\n", warning.c_str());
            form->WebBrowser1_StatusTextChange(wxString::FromUTF8(warning));
        }
        return true;
    }

    // Handlers report their own failures; this only keeps anything else from ending
    // the program.
    bool OnExceptionInMainLoop() override { return true; }

private:
    zemora::StartPage start_;
};

zemora::CommandLineContext commandLineContext()
{
    std::error_code unknown;
    const std::filesystem::path current = std::filesystem::current_path(unknown);
    zemora::CommandLineContext context;
    context.currentDir = unknown ? std::string("/") : current.string();
    context.isFile = [](const std::string& path) {
        std::error_code ignored;
        return std::filesystem::is_regular_file(path, ignored);
    };
#ifdef __WXGTK__
    context.toolkitOptions = {"--display",   "--class",        "--name",      "--gtk-module",
                              "--gdk-debug", "--gdk-no-debug", "--gtk-debug", "--gtk-no-debug"};
    context.toolkitFlags = {"--g-fatal-warnings"};
#endif
    return context;
}

} // namespace

int main(int argc, char** argv)
{
    const zemora::CommandLine line = zemora::parseCommandLine({argv + 1, argv + argc}, commandLineContext());
    switch (line.action) {
    case zemora::CommandLine::Action::Help: std::fputs(line.message.c_str(), stdout); return 0;
    case zemora::CommandLine::Action::Version:
        std::printf("zemora %s (%s)\n", ZEMORA_VERSION, zemora::engineVersion().c_str());
        return 0;
    case zemora::CommandLine::Action::Refuse: std::fputs(line.message.c_str(), stderr); return 2;
    case zemora::CommandLine::Action::Open: break;
    }
    wxApp::SetInstance(new ZemoraApp(line.start));
    // Until there is a display ("cannot open display"), messages can only go to stderr.
    wxLog::SetActiveTarget(new wxLogStderr);
    // The toolkit gets its own options and nothing of ours, which it might take for its.
    std::vector<std::string> toolkitArgs = line.toolkitArgs;
    toolkitArgs.insert(toolkitArgs.begin(), argc > 0 ? argv[0] : "zemora");
    std::vector<char*> toolkitArgv;
    toolkitArgv.reserve(toolkitArgs.size() + 1);
    for (std::string& arg : toolkitArgs)
        toolkitArgv.push_back(arg.data());
    toolkitArgv.push_back(nullptr);
    int toolkitArgc = static_cast<int>(toolkitArgs.size());
    return wxEntry(toolkitArgc, toolkitArgv.data());
}
