#pragma once
// The program's command line: zemora [ADDRESS | FILE.url]. Plain text rules without the
// toolkit, so what the window opens first is decided (and tested) without a display.
#include <functional>
#include <string>
#include <vector>

namespace zemora {

// What the window opens first; both empty means its own start address.
struct StartPage {
    std::string address;      // UTF-8, opened as it stands
    std::string shortcutFile; // an Internet shortcut file whose address is opened
};

struct CommandLine {
    enum class Action { Open, Help, Version, Refuse };
    Action action = Action::Open;
    StartPage start;                      // for Open
    std::vector<std::string> toolkitArgs; // for Open: the toolkit's own options, in order
    std::string message;                  // Help: the usage text; Refuse: why, for standard error
};

// What the rules need to know of the machine.
struct CommandLineContext {
    std::string currentDir; // absolute; relative file names are taken from here
    // Whether a path names an existing file; a name that does not is taken for a host.
    std::function<bool(const std::string& path)> isFile;
    // The toolkit's own options, taken out and handed on: those that take a value
    // ("--display=:1" or "--display :1") and those that take none.
    std::vector<std::string> toolkitOptions;
    std::vector<std::string> toolkitFlags;
};

// Reads the arguments after the program name.
// "-h"/"--help" and "--version" win where they stand; any other word starting with "-"
// before "--" is refused, and so is a second address. The one address:
// - an address with a scheme ("https://...", "about:blank") is kept; "host:8080" has none;
// - a file:// URI or a path ending in ".url" is a shortcut file; other file:// URIs are
//   kept; other absolute paths, "./" or "../" paths and names of existing files open as
//   file:// URIs;
// - anything else is a host name and gets "http://" in front.
// An empty argument means no address.
CommandLine parseCommandLine(const std::vector<std::string>& args, const CommandLineContext& context);

std::string commandLineUsage();

// The file:// URI of an absolute path, with the bytes a URI path cannot carry as %XX.
std::string fileUri(const std::string& absolutePath);

} // namespace zemora
