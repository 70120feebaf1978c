#pragma once
// A browser control that records what the window asks of it and raises its events on
// demand.
#include <functional>
#include <string>
#include <vector>

#include <wx/panel.h>

#include "base/Failure.h"
#include "engine/HostedBrowser.h"

namespace zemora::test {

class FakeBrowser : public HostedBrowser {
public:
    explicit FakeBrowser(wxWindow* parent) : panel_(new wxPanel(parent)) {}

    void open(const std::string& address) override { call("NavigateTo " + wxString::FromUTF8(address)); }
    void GoBack() override { call("GoBack"); }
    void GoForward() override { call("GoForward"); }
    void GoHome() override { call("GoHome"); }
    void Stop() override { call("Stop"); }
    void Refresh() override { call("Refresh"); }
    void Print() override { call("Print"); }
    void Undo() override { call("Undo"); }
    void Redo() override { call("Redo"); }
    void Find(const std::string& text, bool backwards, bool matchCase) override
    {
        call(wxString::Format("Find %s%s%s", wxString::FromUTF8(text), backwards ? " backwards" : "",
                              matchCase ? " case" : ""));
    }
    void SetZoom(double level) override
    {
        call(wxString::Format("SetZoom %g", level));
        zoom = level;
    }
    double Zoom() const override { return zoom; }
    bool Loading() const override
    {
        ++loadingReads;
        return loading;
    }
    std::string LocationURL() const override
    {
        calls.push_back("LocationURL");
        return url;
    }
    std::string LocationName() const override
    {
        calls.push_back("LocationName");
        return name;
    }
    wxWindow* Window() override { return panel_; }
    std::vector<DownloadInfo> Downloads() const override { return downloads; }
    void CancelDownload(unsigned id) override { call(wxString::Format("CancelDownload %u", id)); }

    // Every call made, in order ("NavigateTo http://...", "GoBack", ...).
    mutable std::vector<wxString> calls;
    // Operations whose name starts with this fail.
    wxString failing;
    std::string url;
    std::string name;
    // Runs at each operation, before it fails or returns.
    std::function<void(const wxString& what)> onCall;
    double zoom = 1.0;
    std::vector<DownloadInfo> downloads;
    // What Loading answers, and how often it was asked.
    bool loading = false;
    mutable int loadingReads = 0;

private:
    void call(const wxString& what)
    {
        calls.push_back(what);
        if (onCall)
            onCall(what);
        if (!failing.empty() && what.StartsWith(failing))
            throw Failure("控件拒绝了请求", "The control refused the request");
    }

    wxPanel* panel_;
};

} // namespace zemora::test
