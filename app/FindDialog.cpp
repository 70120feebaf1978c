#include "app/FindDialog.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "app/WxText.h"
#include "base/Failure.h"
#include "base/Texts.h"

namespace zemora {

FindDialog::FindDialog(wxWindow* owner, Search onSearch)
    : wxDialog(owner, wxID_ANY, wxText(kFindTitle)),
      search_(std::move(onSearch))
{
    auto* label = new wxStaticText(this, wxID_ANY, wxText(kFindLabel));
    text_ = new wxTextCtrl(this, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize, wxTE_PROCESS_ENTER);
    next_ = new wxButton(this, wxID_ANY, wxText(kFindNextButton));
    previous_ = new wxButton(this, wxID_ANY, wxText(kFindPreviousButton));
    auto* closeButton = new wxButton(this, wxID_CANCEL, wxText(kCloseButton));
    matchCase_ = new wxCheckBox(this, wxID_ANY, wxText(kMatchCaseLabel));
    status_ = new wxStaticText(this, wxID_ANY, wxString());

    const int gap = FromDIP(6);
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(label, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, gap);
    row->Add(text_, 1, wxALIGN_CENTER_VERTICAL);
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->Add(matchCase_, 0, wxALIGN_CENTER_VERTICAL);
    buttons->AddStretchSpacer();
    buttons->Add(previous_, 0, wxLEFT, gap);
    buttons->Add(next_, 0, wxLEFT, gap);
    buttons->Add(closeButton, 0, wxLEFT, gap);
    auto* all = new wxBoxSizer(wxVERTICAL);
    all->Add(row, 0, wxEXPAND | wxALL, gap);
    all->Add(buttons, 0, wxEXPAND | wxLEFT | wxRIGHT, gap);
    all->Add(status_, 0, wxEXPAND | wxALL, gap);
    SetSizerAndFit(all);
    SetMinSize(FromDIP(wxSize(380, -1)));
    SetSize(GetMinSize().x, GetSize().y);
    SetEscapeId(wxID_CANCEL);

    next_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { search(false); });
    previous_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { search(true); });
    text_->Bind(wxEVT_TEXT_ENTER, [this](wxCommandEvent&) { search(false); });
    // Shift+Enter goes back, as Shift does with the buttons' order everywhere.
    text_->Bind(wxEVT_KEY_DOWN, [this](wxKeyEvent& key) {
        const bool enter = key.GetKeyCode() == WXK_RETURN || key.GetKeyCode() == WXK_NUMPAD_ENTER;
        if (enter && key.GetModifiers() == wxMOD_SHIFT)
            search(true);
        else
            key.Skip();
    });
    // A new text or case starts over from the top of the page.
    text_->Bind(wxEVT_TEXT, [this](wxCommandEvent&) { search(false); });
    matchCase_->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { search(false); });
    closeButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { close(); });
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) { close(); });
}

void FindDialog::Open()
{
    Show();
    Raise();
    text_->SetFocus();
    text_->SelectAll();
}

void FindDialog::ShowResult(unsigned current, unsigned matches)
{
    status_->SetLabel(matches == 0 ? wxString::FromUTF8(bilingual(kNoMatches))
                                   : wxString::Format(wxText(kMatchPosition), current, matches));
}

void FindDialog::search(bool backwards)
{
    status_->SetLabel(wxString());
    search_(text_->GetValue(), backwards, matchCase_->GetValue());
}

void FindDialog::close()
{
    // The page keeps no highlights once the dialog is gone.
    search_(wxString(), false, false);
    status_->SetLabel(wxString());
    Hide();
}

} // namespace zemora
