#include "browse/CommandLine.h"

#include "base/AsciiText.h"
#include "base/Paths.h"
#include "base/PercentEncoding.h"
#include "browse/AddressCompletion.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <optional>

namespace zemora {

namespace {

// The local path of a file URI ("file:///p", "file://localhost/p", "file:/p"), or
// nothing when it names another machine.
std::optional<std::string> fileUriPath(const std::string& uri)
{
    std::string rest = uri.substr(std::strlen("file:"));
    if (rest.compare(0, 2, "//") == 0) {
        rest.erase(0, 2);
        const std::size_t slash = rest.find('/');
        const std::string host = rest.substr(0, slash);
        const bool local = host.empty() || equalsIgnoringAsciiCase(host, "localhost");
        if (!local)
            return std::nullopt;
        rest = slash == std::string::npos ? "/" : rest.substr(slash);
    }
    if (rest.empty() || rest[0] != '/')
        return std::nullopt;
    return rest;
}

CommandLine refuse(const std::string& why)
{
    CommandLine line;
    line.action = CommandLine::Action::Refuse;
    line.message = "zemora: " + why + "\nTry 'zemora --help' for more information.\n";
    return line;
}

// A local file to open: a shortcut file is read, any other file shown.
StartPage localFile(const std::string& path)
{
    StartPage start;
    if (isShortcutFileName(path))
        start.shortcutFile = path;
    else
        start.address = fileUri(path);
    return start;
}

} // namespace

std::string commandLineUsage()
{
    return "Usage: zemora [ADDRESS | FILE.url]\n"
           "Opens ADDRESS, or the address kept in the Internet shortcut FILE.url, instead\n"
           "of the start page. ADDRESS is a web address (\"http://\" is added when it has\n"
           "no scheme), a file:// URI or the path of a local file such as an HTML page.\n"
           "\n"
           "  -h, --help     show this help and exit\n"
           "      --version  show the version and exit\n"
           "  --             take what follows as the address, even if it starts with \"-\"\n"
           "\n"
           "The toolkit's own options, such as --display=DISPLAY, are accepted too.\n";
}

std::string fileUri(const std::string& absolutePath)
{
    // A path segment may also hold these as they are.
    return "file://" + percentEncoded(absolutePath, "/!$&'()*+,;=:@");
}

CommandLine parseCommandLine(const std::vector<std::string>& args, const CommandLineContext& context)
{
    const auto listed = [](const std::vector<std::string>& names, const std::string& name) {
        return std::find(names.begin(), names.end(), name) != names.end();
    };
    CommandLine line;
    std::optional<std::string> given;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!optionsEnded && !arg.empty() && arg[0] == '-') {
            if (arg == "--") {
                optionsEnded = true;
                continue;
            }
            const std::string name = arg.substr(0, arg.find('='));
            if (listed(context.toolkitFlags, arg) || listed(context.toolkitOptions, name)) {
                line.toolkitArgs.push_back(arg);
                if (name == arg && !listed(context.toolkitFlags, arg)) {
                    if (i + 1 == args.size())
                        return refuse("option '" + arg + "' needs a value");
                    line.toolkitArgs.push_back(args[++i]);
                }
                continue;
            }
            if (arg == "-h" || arg == "--help") {
                line.action = CommandLine::Action::Help;
                line.message = commandLineUsage();
                return line;
            }
            if (arg == "--version") {
                line.action = CommandLine::Action::Version;
                return line;
            }
            return refuse("unknown option '" + arg + "'");
        }
        if (given)
            return refuse("more than one address given ('" + *given + "' and '" + arg + "')");
        given = arg;
    }
    if (!given || given->empty())
        return line;

    const std::string& arg = *given;
    if (schemeOf(arg) == "file") {
        const std::optional<std::string> path = fileUriPath(arg);
        if (!path) {
            line.start.address = arg; // another machine's file: the engine says what it can
            return line;
        }
        const std::string decoded = percentDecoded(*path);
        // A NUL would cut the path short in every file call.
        if (decoded.find('\0') != std::string::npos)
            return refuse("the file address '" + arg + "' holds a NUL character");
        if (isShortcutFileName(decoded))
            line.start.shortcutFile = decoded;
        else
            line.start.address = arg;
        return line;
    }
    if (hasScheme(arg)) {
        line.start.address = arg;
        return line;
    }
    if (arg[0] == '/') {
        line.start = localFile(arg);
        return line;
    }
    const std::string inCurrentDir = (std::filesystem::path(context.currentDir) / arg).lexically_normal().string();
    if (arg.starts_with("./") || arg.starts_with("../") || isShortcutFileName(arg)
        || (context.isFile && context.isFile(inCurrentDir))) {
        line.start = localFile(inCurrentDir);
        return line;
    }
    line.start.address = asWebAddress(arg);
    return line;
}

} // namespace zemora
