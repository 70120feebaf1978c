// The floor for start-up and page loads: the engine's bare view on its 4.1 API in a
// toolkit window, as a native child (nothing of ours), opening the start address (or the
// address given) and showing the page title as its caption.
#include <webkit2/webkit2.h>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/nativewin.h>

namespace {

class BareApp : public wxApp {
public:
    bool OnInit() override
    {
        auto* frame = new wxFrame(nullptr, wxID_ANY, "bare", wxDefaultPosition, wxSize(663, 560));
        GtkWidget* view = webkit_web_view_new();
        new wxNativeWindow(frame, wxID_ANY, view);
        g_signal_connect(view, "notify::title", G_CALLBACK(+[](WebKitWebView* v, GParamSpec*, wxFrame* f) {
                             f->SetTitle(wxString::FromUTF8(webkit_web_view_get_title(v)));
                         }),
                         frame);
        const wxString address = argc > 1 ? wxString(argv[1]) : wxString("http://www.baidu.com");
        webkit_web_view_load_uri(WEBKIT_WEB_VIEW(view), address.utf8_str());
        frame->Show();
        return true;
    }
};

} // namespace

wxIMPLEMENT_APP(BareApp);
