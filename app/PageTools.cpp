// Tools for the page beyond the toolbar's: find, zoom and the loading sign.
#include <algorithm>
#include <cmath>
#include <memory>
#include <utility>

#include <wx/dcbuffer.h>
#include <wx/graphics.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/timer.h>

#include "app/DownloadsDialog.h"
#include "app/FindDialog.h"
#include "app/Form1.h"
#include "app/WxText.h"
#include "app/gtk/Accessibility.h"
#include "app/gtk/KeyCapture.h"
#include "base/Commands.h"
#include "base/Texts.h"

namespace zemora {

namespace {

// The loading sign's wheel and the room around it and its text, in pixels at 96 dpi.
constexpr int kWheelSize = 16;
constexpr int kWheelMargin = 2;
constexpr int kTextMargin = 4;

// A turning wheel of dots, drawn here: the toolkit's own spinner draws a themed vector
// picture, whose renderer alone adds some 2 MiB to the window process.
class LoadingWheel : public wxWindow {
public:
    explicit LoadingWheel(wxWindow* parent)
        : wxWindow(parent, wxID_ANY, wxDefaultPosition, parent->FromDIP(wxSize(kWheelSize, kWheelSize)))
    {
        SetBackgroundStyle(wxBG_STYLE_PAINT);
        Bind(wxEVT_PAINT, [this](wxPaintEvent&) { paint(); });
        timer_.Bind(wxEVT_TIMER, [this](wxTimerEvent&) {
            turn_ = (turn_ + 1) % kDots;
            Refresh();
        });
    }
    void Start() { timer_.Start(kTurnMs); }
    void Stop() { timer_.Stop(); }

private:
    static constexpr int kDots = 8;
    // One dot on, ten times a second.
    static constexpr int kTurnMs = 100;
    // Each dot behind the newest is this much fainter (of 255), the last still seen.
    static constexpr int kFadePerDot = 28;
    // A dot's radius, as a share of the wheel's.
    static constexpr double kDotShare = 0.25;
    void paint()
    {
        wxAutoBufferedPaintDC dc(this);
        dc.SetBackground(wxBrush(GetParent()->GetBackgroundColour()));
        dc.Clear();
        std::unique_ptr<wxGraphicsContext> gc(wxGraphicsContext::Create(dc));
        if (!gc)
            return;
        const wxSize size = GetClientSize();
        const double radius = std::min(size.x, size.y) / 2.0;
        const wxColour ink = GetForegroundColour();
        for (int i = 0; i < kDots; ++i) {
            const double angle = 2 * M_PI * i / kDots;
            const int age = (turn_ - i + kDots) % kDots; // the newest dot is darkest
            gc->SetBrush(wxBrush(wxColour(ink.Red(), ink.Green(), ink.Blue(),
                                          static_cast<unsigned char>(wxALPHA_OPAQUE - age * kFadePerDot))));
            gc->SetPen(*wxTRANSPARENT_PEN);
            const double dot = radius * kDotShare;
            gc->DrawEllipse(size.x / 2.0 + std::cos(angle) * (radius - dot) - dot,
                            size.y / 2.0 + std::sin(angle) * (radius - dot) - dot, 2 * dot, 2 * dot);
        }
    }
    wxTimer timer_;
    int turn_ = 0;
};

} // namespace

void Form1::addPageTools()
{
    // The sign sits over the page's lower left corner while it loads, the way the
    // defined controls are left as they are.
    auto* sign = new wxPanel(inner_, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxBORDER_SIMPLE);
    auto* spinner = new LoadingWheel(sign);
    auto* text = new wxStaticText(sign, wxID_ANY, wxText(kLoadingSign));
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(spinner, 0, wxALIGN_CENTER_VERTICAL | wxALL, FromDIP(kWheelMargin));
    row->Add(text, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, FromDIP(kTextMargin));
    sign->SetSizerAndFit(row);
    sign->SetCanFocus(false); // a sign, never a stop of the keyboard
    sign->Hide();
    loadingSign_ = sign;

    wxWindow* page = WebBrowser1->Window();
    const auto place = [page, sign] {
        const wxRect r = page->GetRect();
        sign->Move(r.x, r.y + std::max(0, r.height - sign->GetSize().y));
    };
    page->Bind(wxEVT_SIZE, [place](wxSizeEvent& event) {
        event.Skip();
        place();
    });
    WebBrowser1->LoadingChange = [this, page, sign, spinner, place](bool loading) {
        if (loading) {
            // After the handler of the key that opened it: a focus moved inside a key's
            // handling leaves the page deaf to the next key.
            if (std::exchange(pageFocusDue_, false))
                CallAfter([page] { page->SetFocus(); });
            place();
            sign->Show();
            sign->Raise();
            spinner->Start();
        } else {
            spinner->Stop();
            sign->Hide();
        }
        page->SetCursor(loading ? wxCursor(wxCURSOR_ARROWWAIT) : wxNullCursor);
        // Once as it starts and once as it ends, as the sign comes and goes.
        announce(this, wxText(loading ? kLoadingSign : kLoadingEnded));
        if (!loading) // outside the engine's signal, which a reload must not run inside
            CallAfter([this] { runHandler([this] { refreshIfDue(); }); });
    };
    WebBrowser1->FindResult = [this](unsigned current, unsigned matches) {
        if (findDialog_)
            findDialog_->ShowResult(current, matches);
    };
}

void Form1::ShowFind()
{
    if (!findDialog_) {
        findDialog_ = new FindDialog(this, [this](const wxString& text, bool backwards, bool matchCase) {
            runHandler([&] { WebBrowser1->Find(text.utf8_string(), backwards, matchCase); });
        });
        hearKeysFirst(findDialog_, this);
    }
    findDialog_->Open();
}

void Form1::ShowDownloads()
{
    if (!downloadsDialog_) {
        DownloadsDialog::Actions actions;
        actions.list = [this] { return WebBrowser1->Downloads(); };
        actions.cancel = [this](unsigned id) { runHandler([&] { WebBrowser1->CancelDownload(id); }); };
        actions.open = [this](const DownloadInfo& download) { runHandler([&] { seams_.openFile(download.path); }); };
        actions.showInFolder = [this](const DownloadInfo& download) {
            runHandler([&] { seams_.showInFolder(download.path); });
        };
        downloadsDialog_ = new DownloadsDialog(this, std::move(actions));
        hearKeysFirst(downloadsDialog_, this);
    }
    downloadsDialog_->Open();
}

void Form1::askBeforeClosing(wxCloseEvent& event)
{
    const std::vector<DownloadInfo> downloads = WebBrowser1->Downloads();
    const auto running = std::count_if(downloads.begin(), downloads.end(), [](const DownloadInfo& d) {
        return d.state == DownloadInfo::State::Running || d.state == DownloadInfo::State::Waiting;
    });
    // Closed anyway, the window takes the partial files with it.
    if (running > 0 && event.CanVeto()
        && !seams_.ask(bilingual(kCloseWithDownloads, {{"n", std::to_string(running)}}))) {
        event.Veto();
        return;
    }
    event.Skip();
}

void Form1::ZoomBy(int steps)
{
    double level = 1.0;
    if (steps != 0) {
        // The step nearest the present zoom, then as many steps on.
        const double now = WebBrowser1->Zoom();
        const auto nearest = std::min_element(kZoomLevels.begin(), kZoomLevels.end(), [now](double a, double b) {
            return std::fabs(a - now) < std::fabs(b - now);
        });
        const int last = static_cast<int>(kZoomLevels.size()) - 1;
        const int at = std::clamp(static_cast<int>(nearest - kZoomLevels.begin()) + steps, 0, last);
        level = kZoomLevels[static_cast<std::size_t>(at)];
    }
    WebBrowser1->SetZoom(level);
}

} // namespace zemora
