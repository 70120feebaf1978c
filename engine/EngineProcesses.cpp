#include "engine/EngineProcesses.h"

#include <dirent.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

namespace zemora {

namespace {

// What /proc tells of a process: its name, state and parent.
struct ProcessStat {
    std::string name;
    char state = 0;
    long parent = 0;
};

// The line of /proc/PID/stat is short; the name in it is at most 16 bytes.
constexpr std::size_t kStatLineBytes = 512;

std::optional<ProcessStat> processStat(const std::string& pid)
{
    std::FILE* file = std::fopen(("/proc/" + pid + "/stat").c_str(), "re");
    if (!file)
        return std::nullopt;
    char line[kStatLineBytes] = {};
    std::fread(line, 1, sizeof line - 1, file);
    std::fclose(file);
    const char* open = std::strchr(line, '(');
    const char* close = std::strrchr(line, ')');
    ProcessStat stat;
    if (!open || !close || close < open || std::sscanf(close + 1, " %c %ld", &stat.state, &stat.parent) != 2)
        return std::nullopt;
    stat.name.assign(open + 1, close);
    return stat;
}

} // namespace

bool processAlive(pid_t pid)
{
    const std::optional<ProcessStat> stat = processStat(std::to_string(pid));
    return stat && stat->state != 'Z' && stat->state != 'X';
}

pid_t engineNetworkProcess()
{
    DIR* proc = ::opendir("/proc");
    if (!proc)
        return 0;
    pid_t found = 0;
    while (const dirent* entry = ::readdir(proc)) {
        if (entry->d_name[0] < '1' || entry->d_name[0] > '9')
            continue;
        const std::optional<ProcessStat> stat = processStat(entry->d_name);
        if (stat && stat->name.starts_with("WebKitNetworkPr") && stat->parent == ::getpid() && stat->state != 'Z') {
            found = static_cast<pid_t>(std::atol(entry->d_name));
            break;
        }
    }
    ::closedir(proc);
    return found;
}

} // namespace zemora
