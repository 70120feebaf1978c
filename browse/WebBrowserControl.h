#pragma once
// The embedded web browser control as the window uses it: its operations, its readings
// and its events. Operations the engine cannot carry out throw Failure. Text is UTF-8.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "browse/AddressCompletion.h"
#include "browse/DownloadInfo.h"

namespace zemora {

class WebBrowserControl {
public:
    virtual ~WebBrowserControl() = default;

    // Starts loading `address`, passed as the caller built it. One that names no scheme
    // is a web address and is opened with "http://", as the platform's own control does;
    // the engine is handed the address settled, and opens it as given.
    void NavigateTo(const std::string& address) { open(withDefaultScheme(address)); }
    virtual void GoBack() = 0;
    virtual void GoForward() = 0;
    virtual void GoHome() = 0;
    virtual void Stop() = 0;
    virtual void Refresh() = 0;
    // Asks how to print the page (the engine's print dialog, which prints to a file too)
    // and prints it.
    virtual void Print() = 0;
    // Undoes or redoes the last edit in the page's text field that has the focus.
    virtual void Undo() = 0;
    virtual void Redo() = 0;

    // Highlights the matches of text in the page and moves to the next (or previous) one,
    // wrapping around, and selects it; FindResult tells which one it is and how many there
    // are. Empty text ends the search.
    virtual void Find(const std::string& text, bool backwards, bool matchCase) = 0;
    // Page zoom, 1 for the page's own size; kept across navigations.
    virtual void SetZoom(double level) = 0;
    virtual double Zoom() const = 0;

    // A page is being loaded, from the moment it is asked for until its load ends.
    virtual bool Loading() const = 0;
    virtual std::string LocationURL() const = 0;
    virtual std::string LocationName() const = 0;

    // This session's downloads, oldest first; a running or waiting one can be cancelled.
    virtual std::vector<DownloadInfo> Downloads() const = 0;
    virtual void CancelDownload(unsigned id) = 0;

    // Command 1: forward possible or not; 2: back possible or not.
    std::function<void(std::int32_t command, bool enable)> CommandStateChange;
    // A navigation ended, successfully or not. The name is the window's own; it is about
    // pages, not files (saving files is engine/WebKitDownloads').
    std::function<void()> DownloadComplete;
    std::function<void(const std::string& text)> TitleChange;
    // Text for the status line: what the window should know of the page.
    std::function<void(const std::string& text)> StatusTextChange;
    // Text for the status line about downloads: one's progress, where it was saved, one
    // refused.
    std::function<void(const std::string& text)> DownloadStatusChange;
    // The match the last Find moved to (from 1) and the matches in the page; 0, 0 for none.
    std::function<void(unsigned current, unsigned matches)> FindResult;
    // A page started (true) or stopped (false) loading.
    std::function<void(bool loading)> LoadingChange;
    // A download started, moved on or ended.
    std::function<void()> DownloadsChange;

    enum Command : std::int32_t { CSC_NAVIGATEFORWARD = 1, CSC_NAVIGATEBACK = 2 };

protected:
    // Starts loading an address whose scheme is settled, exactly as given.
    virtual void open(const std::string& address) = 0;
};

} // namespace zemora
