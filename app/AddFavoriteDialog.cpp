#include "app/AddFavoriteDialog.h"
#include "app/gtk/KeyCapture.h"

#include "app/WxText.h"

#include "base/Failure.h"
#include "base/Limits.h"
#include "base/Paths.h"
#include "base/Texts.h"
#include "base/Utf8.h"
#include "favorites/NewFavorite.h"

#include <wx/button.h>
#include <wx/msgdlg.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/textdlg.h>
#include <wx/treectrl.h>

#include <string>

namespace zemora {
namespace {

// Raw folder paths live here rather than in wxString, which cannot carry names that are
// not UTF-8.
class FolderItem : public wxTreeItemData {
public:
    explicit FolderItem(std::string path) : path(std::move(path)) {}
    const std::string path;
};

// The name as typed, lone surrogates included: wxString's own conversion to UTF-8 would
// give up on the whole string at the first of them.
std::u32string codePoints(const wxString& text)
{
    std::u32string out;
    out.reserve(text.length());
    for (const wxUniChar c : text)
        out.push_back(static_cast<char32_t>(c.GetValue()));
    return out;
}

std::string cleanName(const wxString& name) { return sanitizeName(codePoints(name)); }

} // namespace

AddFavoriteDialog::AddFavoriteDialog(wxWindow* owner, const wxString& name, const std::string& favoritesFolder)
    : wxDialog(owner, wxID_ANY, wxText(kAddFavoriteTitle), wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER)
{
    tell = [this](const wxString& message) {
        wxMessageBox(message, wxText(kAddFavoriteTitle), wxOK | wxICON_ERROR, this);
    };
    askReplace = [this](const wxString& question) {
        wxMessageDialog ask(this, question, wxText(kAddFavoriteTitle), wxYES_NO | wxNO_DEFAULT | wxICON_QUESTION);
        ask.SetYesNoLabels(wxText(kYesButton), wxText(kNoButton));
        return ask.ShowModal() == wxID_YES;
    };
    askFolderName = [this]() -> std::optional<wxString> {
        wxTextEntryDialog ask(this, wxText(kFolderNamePrompt), wxText(kNewFolderTitle), wxText(kNewFolderTitle));
        // The stock buttons would follow the process's language; ours are Chinese always.
        for (const auto& [id, label] : {std::pair{wxID_OK, kOkButton}, std::pair{wxID_CANCEL, kCancelButton}})
            if (wxWindow* button = ask.FindWindow(id))
                button->SetLabel(wxText(label));
        if (ask.ShowModal() != wxID_OK)
            return std::nullopt;
        return ask.GetValue();
    };

    auto* nameLabel = new wxStaticText(this, wxID_ANY, wxText(kNameLabel));
    nameField_ = new wxTextCtrl(this, wxID_ANY, name);
    auto* folderLabel = new wxStaticText(this, wxID_ANY, wxText(kCreateInLabel));
    folderTree_ = new wxTreeCtrl(this, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                 wxTR_DEFAULT_STYLE | wxTR_SINGLE | wxBORDER_THEME);
    newFolderButton_ = new wxButton(this, wxID_ANY, wxText(kNewFolderButton));
    okButton_ = new wxButton(this, wxID_OK, wxText(kOkButton));
    auto* cancelButton = new wxButton(this, wxID_CANCEL, wxText(kCancelButton));

    const wxTreeItemId root = folderTree_->AddRoot(wxText(kFavoritesRoot), -1, -1, new FolderItem(favoritesFolder));
    fillTree(root, favoritesFolder, 1);
    folderTree_->Expand(root);
    folderTree_->SelectItem(root);

    const int gap = FromDIP(6);
    auto* standardButtons = new wxStdDialogButtonSizer;
    standardButtons->AddButton(okButton_);
    standardButtons->AddButton(cancelButton);
    standardButtons->Realize();
    auto* buttonRow = new wxBoxSizer(wxHORIZONTAL);
    buttonRow->Add(newFolderButton_, 0, wxALIGN_CENTER_VERTICAL);
    buttonRow->AddStretchSpacer();
    buttonRow->Add(standardButtons, 0, wxALIGN_CENTER_VERTICAL);

    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(nameLabel, 0, wxBOTTOM, gap / 2);
    column->Add(nameField_, 0, wxEXPAND | wxBOTTOM, gap * 2);
    column->Add(folderLabel, 0, wxBOTTOM, gap / 2);
    column->Add(folderTree_, 1, wxEXPAND | wxBOTTOM, gap * 2);
    column->Add(buttonRow, 0, wxEXPAND);
    auto* outer = new wxBoxSizer(wxVERTICAL);
    outer->Add(column, 1, wxEXPAND | wxALL, gap * 2);
    SetSizer(outer);
    SetMinSize(FromDIP(wxSize(420, 360)));
    Fit();
    CentreOnParent();

    okButton_->SetDefault();
    SetAffirmativeId(wxID_OK);
    SetEscapeId(wxID_CANCEL);
    updateOkButton();

    nameField_->Bind(wxEVT_TEXT, [this](wxCommandEvent&) { updateOkButton(); });
    newFolderButton_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { makeNewFolder(); });
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { confirm(); }, wxID_OK);
    Bind(
        wxEVT_BUTTON,
        [this](wxCommandEvent&) {
            choice_.reset();
            close(wxID_CANCEL);
        },
        wxID_CANCEL);
    Bind(wxEVT_INIT_DIALOG, [this](wxInitDialogEvent& event) {
        event.Skip();
        nameField_->SetFocus();
        nameField_->SelectAll();
    });
}

const std::string& AddFavoriteDialog::folderPath(const wxTreeItemId& item) const
{
    const wxTreeItemId known = item.IsOk() ? item : folderTree_->GetRootItem();
    return static_cast<const FolderItem*>(folderTree_->GetItemData(known))->path;
}

void AddFavoriteDialog::fillTree(const wxTreeItemId& parent, const std::string& folder, int depth)
{
    if (depth > kMaxFolderDepth)
        return;
    for (const std::string& name : subfolderNames(folder)) {
        const std::string path = joinPath(folder, name);
        const wxTreeItemId item =
            folderTree_->AppendItem(parent, wxText(replaceInvalidUtf8(name)), -1, -1, new FolderItem(path));
        fillTree(item, path, depth + 1);
    }
}

wxTreeItemId AddFavoriteDialog::addFolderItem(const wxTreeItemId& parent, const std::string& name,
                                              const std::string& path)
{
    // Siblings share the parent's path, so ordering by path orders by name as fillTree does.
    size_t position = 0;
    wxTreeItemIdValue cookie;
    for (wxTreeItemId child = folderTree_->GetFirstChild(parent, cookie); child.IsOk();
         child = folderTree_->GetNextChild(parent, cookie), ++position) {
        const std::string& childPath = folderPath(child);
        if (childPath == path)
            return child;
        if (childPath > path)
            break;
    }
    return folderTree_->InsertItem(parent, position, wxText(replaceInvalidUtf8(name)), -1, -1, new FolderItem(path));
}

wxTreeItemId AddFavoriteDialog::selectedFolder() const
{
    const wxTreeItemId item = folderTree_->GetSelection();
    return item.IsOk() ? item : folderTree_->GetRootItem();
}

void AddFavoriteDialog::updateOkButton() { okButton_->Enable(!cleanName(nameField_->GetValue()).empty()); }

void AddFavoriteDialog::makeNewFolder()
{
    const std::optional<wxString> answer = askFolderName();
    if (!answer)
        return;
    const std::string name = cleanName(*answer);
    if (name.empty())
        return;
    const wxTreeItemId parent = selectedFolder();
    std::string path;
    try {
        path = makeFolderIn(folderPath(parent), name);
    } catch (const Failure& failure) {
        tell(wxText(failure.what()));
        return;
    }
    const wxTreeItemId item = addFolderItem(parent, name, path);
    folderTree_->Expand(parent);
    folderTree_->SelectItem(item);
    folderTree_->EnsureVisible(item);
}

void AddFavoriteDialog::confirm()
{
    const std::string name = cleanName(nameField_->GetValue());
    if (name.empty()) {
        updateOkButton();
        return;
    }
    const wxString shownName = wxText(name);
    if (shownName != nameField_->GetValue())
        nameField_->ChangeValue(shownName); // show what will be saved

    const FavoriteTarget target = checkFavoriteTarget(folderPath(selectedFolder()), name);
    switch (target.verdict) {
    case FavoriteTarget::Verdict::Free: break;
    case FavoriteTarget::Verdict::Taken:
        if (!askReplace(wxText(target.message)))
            return;
        break;
    default: tell(wxText(target.message)); return;
    }
    choice_ = AddFavoriteChoice{target.path, shownName};
    close(wxID_OK);
}

void AddFavoriteDialog::close(int code)
{
    SetReturnCode(code);
    EndDialog(code); // ends the modal loop, or hides a dialog shown modelessly
}

std::optional<AddFavoriteChoice> showAddFavoriteDialog(wxWindow* owner, const wxString& name,
                                                       const std::string& favoritesFolder)
{
    AddFavoriteDialog dialog(owner, name, favoritesFolder);
    // The window's keys that act on the page still work while the dialog is up.
    if (owner)
        hearKeysFirst(&dialog, owner);
    if (dialog.ShowModal() != wxID_OK)
        return std::nullopt;
    return dialog.choice();
}

} // namespace zemora
