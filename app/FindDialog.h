#pragma once
// The small, modeless find dialog: the text, next, previous and match case. It searches
// through a callback and shows what the page answered.
#include <functional>

#include <wx/dialog.h>

class wxButton;
class wxCheckBox;
class wxStaticText;
class wxTextCtrl;

namespace zemora {

class FindDialog : public wxDialog {
public:
    using Search = std::function<void(const wxString& text, bool backwards, bool matchCase)>;
    FindDialog(wxWindow* owner, Search onSearch);

    // Shows the dialog with its text selected, ready for typing.
    void Open();
    // The page's answer to the last search: the match shown (from 1) of how many.
    void ShowResult(unsigned current, unsigned matches);

    wxTextCtrl* textField() const { return text_; }
    wxButton* nextButton() const { return next_; }
    wxButton* previousButton() const { return previous_; }
    wxCheckBox* matchCase() const { return matchCase_; }
    wxStaticText* status() const { return status_; }

private:
    void search(bool backwards);
    void close();

    Search search_;
    wxTextCtrl* text_;
    wxButton* next_;
    wxButton* previous_;
    wxCheckBox* matchCase_;
    wxStaticText* status_;
};

} // namespace zemora
