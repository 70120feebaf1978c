#include "app/Controls.h"

#include <cmath>
#include <limits>

#include <wx/combobox.h>
#include <wx/toolbar.h>

#include "app/gtk/ListPopup.h"
#include "app/gtk/ToolbarLook.h"
#include "base/Failure.h"
#include "base/Texts.h"

namespace zemora {

namespace {

[[noreturn]] void unsupported() { throw Failure(kPropertyNotSupported); }

[[noreturn]] void invalidValue() { throw Failure(kInvalidPropertyValue); }

std::size_t slot(Prop p) { return static_cast<std::size_t>(p); }

} // namespace

TwipScale::TwipScale(const wxWindow* window)
    // A twip is 1/1440 inch at the resolution text is drawn at, so a larger text setting
    // grows the window and its controls with their text.
    : twipsPerPixel_(static_cast<float>(1440.0 / textDotsPerInch(window)))
{
}

int TwipScale::toPixels(float twips) const
{
    const float pixels = std::round(twips / twipsPerPixel_);
    if (!std::isfinite(pixels) || std::fabs(pixels) > 1e6f)
        invalidValue();
    return static_cast<int>(pixels);
}

int WindowEntry::pixels(Prop p) const
{
    const wxRect r = window_->GetRect();
    switch (p) {
    case Prop::Top: return r.y;
    case Prop::Left: return r.x;
    case Prop::Height: return r.height;
    case Prop::Width: return r.width;
    }
    return 0;
}

float WindowEntry::Get(Prop p) const
{
    const int px = pixels(p);
    const auto& exact = exact_[slot(p)];
    if (exact && scale_.toPixels(*exact) == px)
        return *exact;
    return scale_.toTwips(px);
}

void WindowEntry::Set(Prop p, float twips)
{
    const int px = scale_.toPixels(twips);
    if ((p == Prop::Height || p == Prop::Width) && px < 0)
        invalidValue();
    wxRect r = window_->GetRect();
    switch (p) {
    case Prop::Top: r.y = px; break;
    case Prop::Left: r.x = px; break;
    case Prop::Height: r.height = px; break;
    case Prop::Width: r.width = px; break;
    }
    window_->SetSize(r.x, r.y, r.width, r.height, wxSIZE_ALLOW_MINUS_ONE);
    exact_[slot(p)] = twips;
}

float PositionOnlyEntry::Get(Prop p) const
{
    switch (p) {
    case Prop::Top: return top_;
    case Prop::Left: return left_;
    default: unsupported();
    }
}

void PositionOnlyEntry::Set(Prop p, float twips)
{
    switch (p) {
    case Prop::Top: top_ = twips; break;
    case Prop::Left: left_ = twips; break;
    default: unsupported();
    }
}

wxString ComboBox::Text() const { return box_->GetValue(); }

void ComboBox::SetText(const wxString& text) { box_->ChangeValue(text); }

const wxString& ComboBox::List(int index) const
{
    if (index < 0 || index >= ListCount())
        throw Failure(kInvalidCall);
    return items_[static_cast<std::size_t>(index)];
}

bool ComboBox::Contains(const wxString& text) const { return index_.count(text.ToStdWstring()) != 0; }

void ComboBox::AddItem(const wxString& item)
{
    appendToList(box_, item);
    items_.push_back(item);
    index_.insert(item.ToStdWstring());
}

void ComboBox::AddItems(const std::vector<wxString>& items)
{
    for (const wxString& item : items)
        AddItem(item);
}

void ComboBox::SetItems(std::vector<wxString> items)
{
    replaceList(box_, items);
    items_ = std::move(items);
    index_.clear();
    for (const wxString& item : items_)
        index_.insert(item.ToStdWstring());
}

void ComboBox::Clear()
{
    box_->Clear();
    items_.clear();
    index_.clear();
}

void Timer::SetInterval(int milliseconds)
{
    interval_ = milliseconds;
    if (enabled_ && interval_ > 0)
        Start(interval_);
    else
        Stop();
}

const ToolbarButton& Toolbar::Buttons(int position) const
{
    if (position < 1 || position > Count())
        throw Failure(kSubscriptOutOfRange);
    return buttons_[static_cast<std::size_t>(position) - 1];
}

bool Toolbar::Enabled(int position) const { return bar_->GetToolEnabled(Buttons(position).id); }

void Toolbar::SetEnabled(int position, bool enabled) { bar_->EnableTool(Buttons(position).id, enabled); }

int Toolbar::positionOf(int id) const
{
    for (int i = 0; i < Count(); ++i)
        if (buttons_[static_cast<std::size_t>(i)].id == id)
            return i + 1;
    return 0;
}

} // namespace zemora
