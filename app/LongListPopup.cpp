#include "app/LongListPopup.h"

#include <algorithm>
#include <chrono>

#include <wx/combobox.h>
#include <wx/dcclient.h>
#include <wx/display.h>
#include <wx/popupwin.h>
#include <wx/settings.h>
#include <wx/vlbox.h>

#include "app/Controls.h"
#include "app/gtk/ListPopup.h"
#include "base/Limits.h"

namespace zemora {

namespace {

// Room above and below a row's text, and before it, in pixels at 96 dpi.
constexpr int kRowPadding = 6;
constexpr int kTextInset = 4;
// The popup's simple border, in pixels, on each side.
constexpr int kBorder = 1;
// Rows shown at least, however near the screen's bottom the drop-down is.
constexpr int kMinRows = 3;

// The rows of a ComboBox, each drawn only when in sight.
class Rows : public wxVListBox {
public:
    Rows(wxWindow* parent, const ComboBox& box) : wxVListBox(parent, wxID_ANY), box_(box)
    {
        rowHeight_ = GetCharHeight() + FromDIP(kRowPadding);
        SetItemCount(static_cast<std::size_t>(box.ListCount()));
    }
    int rowHeight() const { return rowHeight_; }

private:
    void OnDrawItem(wxDC& dc, const wxRect& rect, std::size_t n) const override
    {
        dc.SetFont(GetFont());
        dc.SetTextForeground(
            wxSystemSettings::GetColour(IsSelected(n) ? wxSYS_COLOUR_HIGHLIGHTTEXT : wxSYS_COLOUR_LISTBOXTEXT));
        dc.DrawText(box_.List(static_cast<int>(n)), rect.x + FromDIP(kTextInset),
                    rect.y + (rect.height - dc.GetCharHeight()) / 2);
    }
    wxCoord OnMeasureItem(std::size_t) const override { return rowHeight_; }

    const ComboBox& box_;
    int rowHeight_;
};

class LongListPopup : public wxPopupTransientWindow {
public:
    explicit LongListPopup(ComboBox& box) : wxPopupTransientWindow(box.Window(), wxBORDER_SIMPLE), box_(box)
    {
        rows_ = new Rows(this, box);
        const int current = box.Window()->GetSelection();
        rows_->SetSelection(current >= 0 ? current : 0);
        rows_->Bind(wxEVT_LISTBOX_DCLICK, [this](wxCommandEvent&) { choose(); });
        rows_->Bind(wxEVT_LEFT_UP, [this](wxMouseEvent& event) {
            event.Skip();
            CallAfter([this] { choose(); });
        });
        rows_->Bind(wxEVT_KEY_DOWN, [this](wxKeyEvent& event) {
            if (event.GetKeyCode() == WXK_RETURN || event.GetKeyCode() == WXK_NUMPAD_ENTER)
                choose();
            else if (event.GetKeyCode() == WXK_ESCAPE)
                Dismiss();
            else
                event.Skip();
        });
        // Letters typed jump to the first entry that starts with them, as in any list.
        rows_->Bind(wxEVT_CHAR, [this](wxKeyEvent& event) {
            const wxChar typed = event.GetUnicodeKey();
            if (typed == WXK_NONE || typed < ' ' || event.HasAnyModifiers()) {
                event.Skip();
                return;
            }
            const auto now = std::chrono::steady_clock::now();
            if (now - lastTyped_ > kTypeAheadPause)
                prefix_.clear();
            lastTyped_ = now;
            prefix_ += typed;
            jumpTo(prefix_);
        });
    }

    // Below the drop-down, as wide, as many rows as fit on its screen.
    void showBelow()
    {
        wxComboBox* combo = box_.Window();
        const wxRect screen =
            wxDisplay(static_cast<unsigned>(std::max(wxDisplay::GetFromWindow(combo), 0))).GetClientArea();
        const wxPoint origin = combo->ClientToScreen(wxPoint(0, combo->GetSize().y));
        const int room = std::max(screen.GetBottom() - origin.y, rows_->rowHeight() * kMinRows);
        const int rows = std::min(box_.ListCount(), std::min(kLongListRows, room / rows_->rowHeight()));
        const wxSize size(combo->GetSize().x, rows * rows_->rowHeight() + 2 * kBorder);
        rows_->SetSize(wxSize(size.x - 2 * kBorder, size.y - 2 * kBorder));
        SetSize(size);
        Position(combo->ClientToScreen(wxPoint(0, 0)), wxSize(0, combo->GetSize().y));
        rows_->ScrollToRow(static_cast<std::size_t>(std::max(rows_->GetSelection(), 0)));
        Popup(rows_);
    }

private:
    void choose()
    {
        const int chosen = rows_->GetSelection();
        Dismiss();
        if (chosen < 0)
            return;
        wxComboBox* combo = box_.Window();
        combo->SetSelection(chosen);
        wxCommandEvent event(wxEVT_COMBOBOX, combo->GetId());
        event.SetEventObject(combo);
        event.SetInt(chosen);
        event.SetString(box_.List(chosen));
        combo->ProcessWindowEvent(event);
    }
    void OnDismiss() override
    {
        CallAfter([this] { Destroy(); });
    }

    void jumpTo(const wxString& prefix)
    {
        const wxString wanted = prefix.Lower();
        for (int i = 0; i < box_.ListCount(); ++i)
            if (box_.List(i).Lower().StartsWith(wanted)) {
                rows_->SetSelection(i);
                rows_->ScrollToRow(static_cast<std::size_t>(i));
                return;
            }
    }

    // A pause this long starts what is typed afresh.
    static constexpr auto kTypeAheadPause = std::chrono::milliseconds(1000);
    ComboBox& box_;
    Rows* rows_;
    wxString prefix_;
    std::chrono::steady_clock::time_point lastTyped_;
};

} // namespace

void openLongListsOurselves(ComboBox& box)
{
    whenListOpens(box.Window(), [&box] {
        if (box.ListCount() <= kLongListEntries)
            return false;
        (new LongListPopup(box))->showBelow();
        return true;
    });
}

} // namespace zemora
