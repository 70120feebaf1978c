#pragma once
// The list of this session's downloads: name, size, speed and state, and what can be done
// to the one chosen (cancel it while it runs; open it, or its folder, once saved).
#include <functional>
#include <vector>

#include <wx/dialog.h>

#include "browse/DownloadInfo.h"

class wxButton;
class wxListCtrl;

namespace zemora {

class DownloadsDialog : public wxDialog {
public:
    struct Actions {
        std::function<std::vector<DownloadInfo>()> list;
        std::function<void(unsigned id)> cancel;
        std::function<void(const DownloadInfo&)> open;
        std::function<void(const DownloadInfo&)> showInFolder;
    };
    DownloadsDialog(wxWindow* owner, Actions actions);

    // Shows the list as it stands, the newest download chosen.
    void Open();
    // Shows the downloads as they stand now, the one chosen kept chosen.
    void showDownloads();

    wxListCtrl* list() const { return list_; }
    wxButton* cancelButton() const { return cancel_; }
    wxButton* openButton() const { return open_; }
    wxButton* folderButton() const { return folder_; }

private:
    // The download chosen in the list, as it stood at the last refresh.
    const DownloadInfo* chosen() const;
    void updateButtons();

    Actions actions_;
    std::vector<DownloadInfo> shown_;
    wxListCtrl* list_;
    wxButton* cancel_;
    wxButton* open_;
    wxButton* folder_;
};

} // namespace zemora
