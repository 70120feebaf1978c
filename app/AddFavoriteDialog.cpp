#include "app/AddFavoriteDialog.h"
#include "app/ToolkitTweaks.h"

#include "app/WxText.h"

#include "favorites/FileIo.h"
#include "base/Utf8.h"

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>

#include <wx/button.h>
#include <wx/msgdlg.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/textdlg.h>
#include <wx/treectrl.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <memory>
#include <string_view>
#include <system_error>
#include <vector>

namespace zemora {
namespace {

constexpr std::string_view kExtension = ".url";


// Raw folder paths live here rather than in wxString, which cannot carry names that are
// not UTF-8.
class FolderItem : public wxTreeItemData {
public:
    explicit FolderItem(std::string path) : path(std::move(path)) {}
    const std::string path;
};

std::string joinPath(const std::string& folder, std::string_view name)
{
    std::string path = folder;
    if (!path.ends_with('/'))
        path += '/';
    return path.append(name);
}

// wxString's own conversion gives up on the whole string at the first value that is not a
// Unicode scalar value; sanitizeName has already replaced those.
std::string toUtf8(const wxString& name)
{
    std::string out;
    for (const wxUniChar c : name)
        appendUtf8(out, static_cast<char32_t>(c.GetValue()));
    return out;
}

bool isDirectory(const std::string& path)
{
    struct stat status;
    return ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

// Names of the real subfolders of `folder`, hidden ones and links left out (links could
// lead back up the tree), in byte order so the tree looks the same every time.
std::vector<std::string> subfolderNames(const std::string& folder)
{
    std::vector<std::string> names;
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), ::closedir);
    if (!dir)
        return names; // a folder we cannot read just shows no subfolders
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::string_view name = entry->d_name;
        if (name.starts_with('.'))
            continue;
        struct stat status;
        if (::fstatat(::dirfd(dir.get()), entry->d_name, &status, AT_SYMLINK_NOFOLLOW) == 0
            && S_ISDIR(status.st_mode))
            names.emplace_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string cannotCreateFolder(const std::string& path, int error)
{
    return systemErrorMessage(kCannotCreate, fileLabel(kFolderKind, path), error);
}

} // namespace

AddFavoriteDialog::AddFavoriteDialog(wxWindow* owner, const wxString& name,
                                     const std::string& favoritesFolder)
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
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { confirm(); }, wxID_OK);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { choice_.reset(); close(wxID_CANCEL); }, wxID_CANCEL);
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

wxString AddFavoriteDialog::sanitizeName(const wxString& name)
{
    wxString clean = name;
    clean.Trim(true).Trim(false);
    wxString out;
    out.reserve(clean.length());
    for (const wxUniChar c : clean) {
        const auto value = static_cast<unsigned long>(c.GetValue());
        const bool control = value < 0x20 || value == 0x7F;
        // Not Unicode scalar values: no file name on disk can say them in UTF-8.
        const bool unencodable = (value >= 0xD800 && value <= 0xDFFF) || value > 0x10FFFF;
        const bool forbidden = value < 0x80 && std::string_view("/\\:*?\"<>|").find(char(value)) != std::string_view::npos;
        out += control || unencodable || forbidden ? wxUniChar('_') : c;
    }
    // A leading dot would hide the file, and ".."/"." are not names at all.
    if (out.StartsWith("."))
        out[0] = '_';
    return out;
}

void AddFavoriteDialog::fillTree(const wxTreeItemId& parent, const std::string& folder, int depth)
{
    if (depth > kMaxFolderDepth)
        return;
    for (const std::string& name : subfolderNames(folder)) {
        const std::string path = joinPath(folder, name);
        const wxTreeItemId item = folderTree_->AppendItem(parent, wxText(replaceInvalidUtf8(name)), -1, -1,
                                                          new FolderItem(path));
        fillTree(item, path, depth + 1);
    }
}

wxTreeItemId AddFavoriteDialog::addFolderItem(const wxTreeItemId& parent, const std::string& name)
{
    const std::string path = joinPath(folderPath(parent), name);
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
    return folderTree_->InsertItem(parent, position, wxText(replaceInvalidUtf8(name)), -1, -1,
                                   new FolderItem(path));
}

wxTreeItemId AddFavoriteDialog::selectedFolder() const
{
    const wxTreeItemId item = folderTree_->GetSelection();
    return item.IsOk() ? item : folderTree_->GetRootItem();
}

void AddFavoriteDialog::updateOkButton()
{
    okButton_->Enable(!sanitizeName(nameField_->GetValue()).empty());
}

void AddFavoriteDialog::makeNewFolder()
{
    const std::optional<wxString> answer = askFolderName();
    if (!answer)
        return;
    const wxString name = sanitizeName(*answer);
    if (name.empty())
        return;
    const wxTreeItemId parent = selectedFolder();
    const std::string& parentPath = folderPath(parent);
    const std::string utf8Name = toUtf8(name);
    const std::string path = joinPath(parentPath, utf8Name);

    // The Favorites folder itself may not exist yet.
    std::error_code error;
    std::filesystem::create_directories(parentPath, error);
    if (error) {
        tell(wxText(cannotCreateFolder(parentPath, error.value())));
        return;
    }
    // An existing folder of that name is simply the one the user wants.
    if (::mkdir(path.c_str(), 0777) != 0 && !(errno == EEXIST && isDirectory(path))) {
        tell(wxText(cannotCreateFolder(path, errno)));
        return;
    }
    const wxTreeItemId item = addFolderItem(parent, utf8Name);
    folderTree_->Expand(parent);
    folderTree_->SelectItem(item);
    folderTree_->EnsureVisible(item);
}

void AddFavoriteDialog::confirm()
{
    const wxString name = sanitizeName(nameField_->GetValue());
    if (name.empty()) {
        updateOkButton();
        return;
    }
    if (name != nameField_->GetValue())
        nameField_->ChangeValue(name); // show what will be saved

    const std::string fileName = toUtf8(name) + std::string(kExtension);
    if (fileName.size() > NAME_MAX) {
        tell(wxText(bilingual(kNameTooLong, {{"max", std::to_string(NAME_MAX)}})));
        return;
    }
    const std::string folder = folderPath(selectedFolder());
    const std::string path = joinPath(folder, fileName);
    if (path.size() >= PATH_MAX) { // PATH_MAX counts the terminating NUL
        tell(wxText(bilingual(kPathTooLong, {{"max", std::to_string(PATH_MAX - 1)}})));
        return;
    }

    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        tell(wxText(cannotCreateFolder(folder, error.value())));
        return;
    }

    struct stat status;
    if (::lstat(path.c_str(), &status) == 0) {
        const FileLabel label = fileLabel(kFavoriteKind, fileName);
        if (S_ISDIR(status.st_mode) || isDirectory(path)) {
            const FileLabel text = fileFailure(kFavoriteIsAFolder, label);
            tell(wxText(bilingual(text.chinese, text.english)));
            return;
        }
        const FileLabel question = fileFailure(kReplaceFavorite, label);
        if (!askReplace(wxText(bilingual(question.chinese, question.english))))
            return;
    }

    choice_ = AddFavoriteChoice{path, name};
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
