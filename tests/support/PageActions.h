#pragma once
// What end-to-end tests do to pages as a person or a hostile page would: real clicks
// through the X server, pages made of one element, attachments, and the engine's
// processes looked up and killed.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <gdk/gdkx.h>
#include <gtk/gtk.h>
#include <wx/window.h>

#include "tests/support/HttpServer.h"
#include "tests/support/TestEnvironment.h"

namespace zemora::test {

namespace fs = std::filesystem;

inline std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// What a command writes to its standard output.
inline std::string commandOutput(const std::string& command)
{
    std::string output;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe))
            output.append(buffer, n);
        ::pclose(pipe);
    }
    return output;
}

// Every name in a folder, hidden ones too, sorted.
inline std::vector<std::string> namesIn(const fs::path& folder)
{
    std::vector<std::string> names;
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator(folder, ignored))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// The engine's processes of a kind ("WebKitWebProces", "WebKitNetworkPr") among our
// descendants.
inline std::vector<int> ourProcesses(const std::string& kind)
{
    std::map<int, std::pair<int, std::string>> all; // pid: parent, name
    for (const auto& entry : fs::directory_iterator("/proc")) {
        const std::string pid = entry.path().filename();
        if (pid.find_first_not_of("0123456789") != std::string::npos)
            continue;
        std::string line;
        std::getline(std::ifstream(entry.path() / "stat"), line);
        const auto open = line.find('('), close = line.rfind(')');
        if (open == std::string::npos || close == std::string::npos)
            continue;
        std::istringstream rest(line.substr(close + 2));
        std::string state;
        int parent = 0;
        rest >> state >> parent;
        all[std::stoi(pid)] = {parent, line.substr(open + 1, close - open - 1)};
    }
    std::vector<int> found;
    for (const auto& [pid, process] : all) {
        if (process.second.rfind(kind, 0) != 0)
            continue;
        for (int p = process.first; p > 1 && all.count(p); p = all.at(p).first)
            if (p == ::getpid()) {
                found.push_back(pid);
                break;
            }
    }
    return found;
}

inline std::vector<int> ourWebProcesses() { return ourProcesses("WebKitWebProces"); }
inline std::vector<int> ourNetworkProcesses() { return ourProcesses("WebKitNetworkPr"); }

// A page process dies as in a crash.
inline void killWebProcesses()
{
    const std::vector<int> pids = ourWebProcesses();
    ASSERT_FALSE(pids.empty());
    for (int pid : pids)
        ::kill(pid, SIGKILL);
}

// Tests that click hold the display alone: another test's window could be on top.
class DisplayLock {
public:
    DisplayLock()
    {
        const char* display = std::getenv("DISPLAY");
        fd_ = ::open(("/tmp/zemora-test-display" + std::string(display ? display : "")).c_str(),
                     O_CREAT | O_RDWR | O_CLOEXEC, 0600);
        if (fd_ >= 0)
            ::flock(fd_, LOCK_EX);
    }
    ~DisplayLock()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    DisplayLock(const DisplayLock&) = delete;
    DisplayLock& operator=(const DisplayLock&) = delete;

private:
    int fd_ = -1;
};

// A real mouse click (through the X server) at a point of a widget.
inline void clickAt(GtkWidget* widget, int x, int y, int button = 1)
{
    int originX = 0, originY = 0;
    gdk_window_get_origin(gtk_widget_get_window(widget), &originX, &originY);
    GtkAllocation place;
    gtk_widget_get_allocation(widget, &place);
    if (!gtk_widget_get_has_window(widget)) {
        originX += place.x;
        originY += place.y;
    }
    // Other tests may share the display: ours goes on top just before the click. (No
    // --sync on the move: it waits for ever when the pointer is there already.)
    const auto xid = GDK_WINDOW_XID(gtk_widget_get_window(gtk_widget_get_toplevel(widget)));
    const std::string command = "xdotool windowraise " + std::to_string(xid) + " mousemove "
                                + std::to_string(originX + x) + " " + std::to_string(originY + y) + " sleep 0.1 click "
                                + std::to_string(button);
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
}

inline void clickAt(wxWindow* window, int x, int y, int button = 1)
{
    clickAt(static_cast<GtkWidget*>(window->GetHandle()), x, y, button);
}

inline void settle(std::chrono::milliseconds time)
{
    runEventsUntil([] { return false; }, time);
}

// A page whose whole area is one element, so any click lands on it.
inline std::string wholePage(const std::string& title, const std::string& element)
{
    return "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>" + title
           + "</title><style>html,body{margin:0;height:100%}#all{position:fixed;left:0;top:0;"
             "width:100%;height:100%;display:block}</style></head><body>"
           + element + "</body></html>";
}

inline Response attachment(const std::string& filename, const std::string& body)
{
    Response r;
    r.contentType = "text/plain";
    r.body = body;
    r.headers = {{"Content-Disposition", "attachment; filename=\"" + filename + "\""}};
    return r;
}

} // namespace zemora::test
