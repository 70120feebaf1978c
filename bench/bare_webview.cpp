// The floor for start-up: a bare wxWebView window that opens the start address and shows
// the page title as its caption, nothing else.
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/webview.h>

namespace {

class BareApp : public wxApp {
public:
    bool OnInit() override
    {
        auto* frame = new wxFrame(nullptr, wxID_ANY, "bare", wxDefaultPosition, wxSize(663, 560));
        auto* view = wxWebView::New(frame, wxID_ANY, "http://www.baidu.com");
        view->Bind(wxEVT_WEBVIEW_TITLE_CHANGED,
                   [frame](wxWebViewEvent& event) { frame->SetTitle(event.GetString()); });
        frame->Show();
        return true;
    }
};

} // namespace

wxIMPLEMENT_APP(BareApp);
