#include "app/DownloadsDialog.h"

#include <algorithm>

#include <wx/button.h>
#include <wx/listctrl.h>
#include <wx/sizer.h>

#include "app/WxText.h"
#include "app/gtk/Accessibility.h"
#include "base/Failure.h"
#include "base/Texts.h"

namespace zemora {

namespace {

enum Column { kName, kSize, kSpeed, kState };

wxString both(const BilingualText& text) { return wxString::FromUTF8(bilingual(text)); }

// The list's width in characters of its columns, as first shown.
constexpr int kColumnChars[] = {28, 18, 10, 22};

} // namespace

DownloadsDialog::DownloadsDialog(wxWindow* owner, Actions actions)
    : wxDialog(owner, wxID_ANY, both(kDownloadsTitle), wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      actions_(std::move(actions))
{
    list_ = new wxListCtrl(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxLC_REPORT | wxLC_SINGLE_SEL);
    const BilingualText* headings[] = {&kDownloadNameColumn, &kDownloadSizeColumn, &kDownloadSpeedColumn,
                                       &kDownloadStateColumn};
    // Each column at least as wide as its heading, so no heading is cut at any text size.
    int width = 0;
    for (int column = kName; column <= kState; ++column) {
        const wxString heading = both(*headings[column]);
        const int columnWidth =
            std::max(GetCharWidth() * kColumnChars[column], GetTextExtent(heading).x + 4 * GetCharWidth());
        list_->AppendColumn(heading, wxLIST_FORMAT_LEFT, columnWidth);
        width += columnWidth;
    }
    describeForAssistiveTools(list_, both(kDownloadsTitle));
    cancel_ = new wxButton(this, wxID_ANY, both(kCancelDownloadButton));
    open_ = new wxButton(this, wxID_ANY, both(kOpenDownloadButton));
    folder_ = new wxButton(this, wxID_ANY, both(kShowDownloadButton));
    auto* closeButton = new wxButton(this, wxID_CANCEL, both(kCloseDownloadsButton));

    const int gap = FromDIP(6);
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    for (wxButton* button : {cancel_, open_, folder_})
        buttons->Add(button, 0, wxRIGHT, gap);
    buttons->AddStretchSpacer();
    buttons->Add(closeButton);
    auto* all = new wxBoxSizer(wxVERTICAL);
    all->Add(list_, 1, wxEXPAND | wxALL, gap);
    all->Add(buttons, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, gap);
    // Never narrower than its row of buttons, which the list's columns alone could be.
    SetSizerAndFit(all);
    SetSize(std::max(width + 4 * gap, GetMinSize().x), std::max(FromDIP(320), GetMinSize().y));
    SetEscapeId(wxID_CANCEL);

    list_->Bind(wxEVT_LIST_ITEM_SELECTED, [this](wxListEvent&) { updateButtons(); });
    list_->Bind(wxEVT_LIST_ITEM_DESELECTED, [this](wxListEvent&) { updateButtons(); });
    list_->Bind(wxEVT_LIST_ITEM_ACTIVATED, [this](wxListEvent&) {
        if (const DownloadInfo* download = chosen(); download && download->state == DownloadInfo::State::Saved)
            actions_.open(*download);
    });
    cancel_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        if (const DownloadInfo* download = chosen())
            actions_.cancel(download->id);
    });
    open_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        if (const DownloadInfo* download = chosen())
            actions_.open(*download);
    });
    folder_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        if (const DownloadInfo* download = chosen())
            actions_.showInFolder(*download);
    });
    closeButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Hide(); });
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) { Hide(); });
}

void DownloadsDialog::Open()
{
    showDownloads();
    if (!shown_.empty()) {
        const long newest = static_cast<long>(shown_.size()) - 1;
        list_->SetItemState(newest, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                            wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
        list_->EnsureVisible(newest);
    }
    Show();
    Raise();
    list_->SetFocus();
    updateButtons();
}

void DownloadsDialog::showDownloads()
{
    const long selected = list_->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED);
    const unsigned chosenId = selected >= 0 && selected < static_cast<long>(shown_.size())
                                  ? shown_[static_cast<std::size_t>(selected)].id
                                  : 0;
    shown_ = actions_.list();
    // Rows change in place, so the one chosen and the reader's place stay.
    while (list_->GetItemCount() > static_cast<int>(shown_.size()))
        list_->DeleteItem(list_->GetItemCount() - 1);
    for (std::size_t row = 0; row < shown_.size(); ++row) {
        const DownloadInfo& download = shown_[row];
        const long item = static_cast<long>(row);
        const wxString name = wxString::FromUTF8(download.name.empty() ? std::string(kSomeFile) : download.name);
        if (item >= list_->GetItemCount())
            list_->InsertItem(item, name);
        const wxString texts[] = {name, wxString::FromUTF8(downloadSizeText(download)),
                                  wxString::FromUTF8(downloadSpeedText(download)),
                                  wxString::FromUTF8(downloadStateText(download))};
        for (int column = kName; column <= kState; ++column)
            if (list_->GetItemText(item, column) != texts[column])
                list_->SetItem(item, column, texts[column]);
        if (download.id == chosenId && !(list_->GetItemState(item, wxLIST_STATE_SELECTED) & wxLIST_STATE_SELECTED))
            list_->SetItemState(item, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    }
    updateButtons();
}

const DownloadInfo* DownloadsDialog::chosen() const
{
    const long selected = list_->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED);
    if (selected < 0 || selected >= static_cast<long>(shown_.size()))
        return nullptr;
    return &shown_[static_cast<std::size_t>(selected)];
}

void DownloadsDialog::updateButtons()
{
    const DownloadInfo* download = chosen();
    const bool running =
        download
        && (download->state == DownloadInfo::State::Running || download->state == DownloadInfo::State::Waiting);
    const bool saved = download && download->state == DownloadInfo::State::Saved;
    cancel_->Enable(running);
    open_->Enable(saved);
    folder_->Enable(saved);
}

} // namespace zemora
