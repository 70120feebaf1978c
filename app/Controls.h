#pragma once
// Thin wrappers that give the window's controls the properties its handlers use, and the
// entries of the control collection that the layout passes walk.
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include <wx/bmpbndl.h>
#include <wx/string.h>
#include <wx/timer.h>

#include "base/Layout.h"

class wxComboBox;
class wxToolBar;
class wxWindow;

namespace zemora {

// Twips to the window's pixels (15 at 96 DPI).
class TwipScale {
public:
    explicit TwipScale(const wxWindow* window);
    int toPixels(float twips) const;
    float toTwips(int pixels) const { return static_cast<float>(pixels) * twipsPerPixel_; }

private:
    float twipsPerPixel_;
};

// A control with a real window: all four properties, in twips.
class WindowEntry : public LayoutControl {
public:
    WindowEntry(wxWindow* window, const TwipScale& scale) : window_(window), scale_(scale) {}
    float Get(Prop p) const override;
    void Set(Prop p, float twips) override;

private:
    int pixels(Prop p) const;

    wxWindow* window_;
    const TwipScale& scale_;
    // The twips last set, read back while the control still sits on the same pixel, so
    // the design values survive the round trip through whole pixels.
    std::array<std::optional<float>, 4> exact_{};
};

// A component that is never drawn: a stored Left and Top, and no size.
class PositionOnlyEntry : public LayoutControl {
public:
    PositionOnlyEntry(float left, float top) : left_(left), top_(top) {}
    float Get(Prop p) const override;
    void Set(Prop p, float twips) override;

private:
    float left_;
    float top_;
};

// An editable drop-down with an unsorted list. The list is mirrored here so that reading
// an entry or testing for one costs no walk through the native list.
class ComboBox {
public:
    explicit ComboBox(wxComboBox* box) : box_(box) {}
    wxString Text() const;
    void SetText(const wxString& text);
    int ListCount() const { return static_cast<int>(items_.size()); }
    const wxString& List(int index) const;
    bool Contains(const wxString& text) const;
    void AddItem(const wxString& item);
    void AddItems(const std::vector<wxString>& items);
    // The whole list at once; the text stays as it is.
    void SetItems(std::vector<wxString> items);
    void Clear();
    wxComboBox* Window() const { return box_; }

private:
    wxComboBox* box_;
    std::vector<wxString> items_;
    std::unordered_set<std::wstring> index_;
};

// The timer: enabled with interval 0 raises no ticks.
class Timer : public wxTimer {
public:
    Timer(float left, float top) : entry(left, top) {}
    int Interval() const { return interval_; }
    void SetInterval(int milliseconds);
    bool Enabled() const { return enabled_; }

    std::function<void()> onTick;
    PositionOnlyEntry entry;

protected:
    void Notify() override
    {
        if (onTick)
            onTick();
    }

private:
    int interval_ = 0;
    bool enabled_ = true;
};

struct ToolbarButton {
    wxString Key;
    wxString Caption;
    int Image; // picture number in the image list, from 1
    int id;    // the native tool's id
};

// Toolbar buttons addressed by position from 1.
class Toolbar {
public:
    Toolbar(wxToolBar* bar, std::vector<ToolbarButton> buttons) : bar_(bar), buttons_(std::move(buttons)) {}
    int Count() const { return static_cast<int>(buttons_.size()); }
    const ToolbarButton& Buttons(int position) const;
    bool Enabled(int position) const;
    void SetEnabled(int position, bool enabled);
    // The position of the button with this native id, or 0.
    int positionOf(int id) const;
    wxToolBar* Window() const { return bar_; }

private:
    wxToolBar* bar_;
    std::vector<ToolbarButton> buttons_;
};

struct ImageList {
    std::vector<wxBitmapBundle> ListImages; // picture n at index n - 1
    PositionOnlyEntry entry;
};

} // namespace zemora
