// The window's keys, find dialog, zoom and auto refresh's look, through the events the
// toolkit delivers, with a fake browser control.
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/listctrl.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "app/DownloadsDialog.h"
#include "app/FindDialog.h"
#include "app/gtk/Accessibility.h"
#include "base/Commands.h"
#include "base/Texts.h"
#include "tests/support/FormFixture.h"

using namespace zemora;
using zemora::test::FormFixture;
using zemora::test::runPendingEvents;

namespace {

class Habits : public FormFixture {
protected:
    void SetUp() override
    {
        FormFixture::SetUp();
        form->Show();
        form->Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent& event) {
            ++closes;
            event.Veto();
        });
    }

    // A key as the toolkit delivers it to the control with the focus.
    bool press(wxWindow* focus, int code, int modifiers = wxMOD_NONE)
    {
        wxKeyEvent key(wxEVT_CHAR_HOOK);
        key.m_keyCode = code;
        key.m_uniChar = code < WXK_START ? code : WXK_NONE;
        key.SetControlDown((modifiers & wxMOD_CONTROL) != 0);
        key.m_altDown = (modifiers & wxMOD_ALT) != 0;
        key.m_shiftDown = (modifiers & wxMOD_SHIFT) != 0;
        key.SetEventObject(focus);
        key.SetId(focus->GetId());
        // The focused control's own handlers come first; the key rises to the window,
        // which keeps it (true) or lets it go on (false).
        return focus->ProcessWindowEvent(key);
    }

    wxWindow* page() { return form->WebBrowser1->Window(); }
    wxWindow* box() { return form->Combo1->Window(); }

    void clickButton(wxWindow* button)
    {
        wxCommandEvent click(wxEVT_BUTTON, button->GetId());
        click.SetEventObject(button);
        button->ProcessWindowEvent(click);
    }

    int closes = 0;
};

} // namespace

TEST_F(Habits, ToolbarKeysRunTheirButtonsWhereverTheFocusIs)
{
    struct Case {
        int code;
        int modifiers;
        const char* call;
    };
    const Case cases[] = {
        {WXK_F5, wxMOD_NONE, "Refresh"},
        {'R', wxMOD_CONTROL, "Refresh"},
        {'R', wxMOD_CONTROL | wxMOD_SHIFT, "Refresh"}, // Shift passed over where no row names it
        {WXK_LEFT, wxMOD_ALT, "GoBack"},
        {WXK_RIGHT, wxMOD_ALT, "GoForward"},
        {WXK_HOME, wxMOD_ALT, "GoHome"},
        {WXK_ESCAPE, wxMOD_NONE, "Stop"},
    };
    browser->loading = true; // Esc stops a load
    for (wxWindow* focus : {page(), box(), static_cast<wxWindow*>(form->Command1)})
        for (const Case& c : cases) {
            browser->calls.clear();
            EXPECT_TRUE(press(focus, c.code, c.modifiers)) << c.call;
            EXPECT_EQ(browser->calls, std::vector<wxString>{c.call});
        }
    EXPECT_TRUE(reports.empty());
}

TEST_F(Habits, EscStopsALoadAndOtherwiseIsThePagesOrPutsTheAddressBack)
{
    browser->url = "http://example.test/page";
    struct Case {
        const char* what;
        wxWindow* focus;
        bool loading;
        const char* typed; // into the box first
        bool kept;         // by the window, not passed on
        bool stops;
        const char* boxAfter;
    };
    const Case cases[] = {
        {"in the page, nothing loading", page(), false, "", false, false, ""},
        {"in the page, loading", page(), true, "", true, true, ""},
        {"in the box, typed over", box(), false, "half-typ", true, false, "http://example.test/page"},
        {"in the box, typed over, loading", box(), true, "half-typ", true, false, "http://example.test/page"},
        {"in the box as loaded, loading", box(), true, "http://example.test/page", true, true,
         "http://example.test/page"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.focus->SetFocus();
        runPendingEvents();
        form->Combo1->SetText(c.typed);
        browser->loading = c.loading;
        browser->calls.clear();
        EXPECT_EQ(press(c.focus, WXK_ESCAPE), c.kept);
        EXPECT_EQ(std::count(browser->calls.begin(), browser->calls.end(), "Stop"), c.stops ? 1 : 0);
        EXPECT_EQ(form->Combo1->Text(), c.boxAfter);
    }
}

TEST_F(Habits, UndoAndRedoAreThePagesTextFieldsOnly)
{
    const std::pair<int, const char*> keysAndCalls[] = {{wxMOD_CONTROL, "Undo"}, {wxMOD_CONTROL | wxMOD_SHIFT, "Redo"}};
    for (const auto& [modifiers, call] : keysAndCalls) {
        SCOPED_TRACE(call);
        page()->SetFocus();
        runPendingEvents();
        browser->calls.clear();
        EXPECT_TRUE(press(page(), 'Z', modifiers));
        EXPECT_EQ(browser->calls, std::vector<wxString>{call});
        // The address box keeps its own editing keys.
        box()->SetFocus();
        runPendingEvents();
        browser->calls.clear();
        EXPECT_FALSE(press(box(), 'Z', modifiers));
        EXPECT_TRUE(browser->calls.empty());
    }
}

TEST_F(Habits, TheDownloadsListOpensWhatWasSavedAndCancelsWhatRuns)
{
    DownloadInfo saved;
    saved.id = 1;
    saved.name = "report.pdf";
    saved.path = "/home/u/Downloads/report.pdf";
    saved.received = saved.total = 1500000;
    saved.state = DownloadInfo::State::Saved;
    DownloadInfo running;
    running.id = 2;
    running.name = "big.iso";
    running.received = 500000;
    running.total = 3000000;
    running.bytesPerSecond = 800000;
    DownloadInfo failed;
    failed.id = 3;
    failed.state = DownloadInfo::State::Failed;
    failed.reason = "no space";
    browser->downloads = {saved, running, failed};
    EXPECT_TRUE(press(page(), 'J', wxMOD_CONTROL));
    DownloadsDialog* list = form->downloadsDialog();
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->list()->GetItemCount(), 3);
    const std::vector<std::vector<std::string>> rows = {
        {"report.pdf", "1.5 MB / 1.5 MB", "", "已保存 (saved)"},
        {"big.iso", "500.0 KB / 3.0 MB", "800.0 KB/s", "正在下载 (downloading)"},
        {"文件", "0 B", "", "失败 (failed): no space"},
    };
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 4; ++column)
            EXPECT_EQ(list->list()->GetItemText(row, column).utf8_string(), rows[row][column]) << row << "," << column;
    // The newest is chosen: a failed one offers nothing.
    EXPECT_FALSE(list->cancelButton()->IsEnabled() || list->openButton()->IsEnabled());
    const auto choose = [&](long row) {
        list->list()->SetItemState(row, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
        runPendingEvents();
    };
    choose(0);
    clickButton(list->openButton());
    clickButton(list->folderButton());
    EXPECT_EQ(launched, (std::vector<std::string>{"open " + saved.path, "show " + saved.path}));
    choose(1);
    EXPECT_FALSE(list->openButton()->IsEnabled());
    browser->calls.clear();
    clickButton(list->cancelButton());
    EXPECT_EQ(browser->calls, std::vector<wxString>{"CancelDownload 2"});
    // The list follows the control's news, the chosen row kept.
    browser->downloads[1].state = DownloadInfo::State::Cancelled;
    browser->DownloadsChange();
    EXPECT_EQ(list->list()->GetItemText(1, 3).utf8_string(), "已取消 (cancelled)");
    EXPECT_FALSE(list->cancelButton()->IsEnabled());
    // Every button and heading is whole within the dialog as it opens.
    list->Layout();
    wxWindow* const close = list->FindWindow(wxID_CANCEL);
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(close->GetLabel().utf8_string(), "关闭 (Close)") << "in Chinese with English beside, as the rest";
    for (wxWindow* button :
         std::initializer_list<wxWindow*>{list->cancelButton(), list->openButton(), list->folderButton(), close})
        EXPECT_TRUE(button->GetRect().GetRight() <= list->GetClientSize().x
                    && button->GetSize().x >= button->GetBestSize().x)
            << button->GetLabel() << ": " << button->GetSize().x << " wide, needs " << button->GetBestSize().x;
    for (int column = 0; column < 4; ++column) {
        wxListItem heading;
        heading.SetMask(wxLIST_MASK_TEXT);
        list->list()->GetColumn(column, heading);
        EXPECT_GE(list->list()->GetColumnWidth(column), list->list()->GetTextExtent(heading.GetText()).x)
            << heading.GetText();
    }
}

TEST_F(Habits, KeysRefusedLikeTheirButtonsAndOtherKeysPassOn)
{
    browser->failing = "GoBack";
    press(page(), WXK_LEFT, wxMOD_ALT);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(reports[0].find("refused"), std::string::npos);

    press(page(), 'D', wxMOD_CONTROL); // no page yet: told, as the button tells
    EXPECT_EQ(told, std::vector<std::string>{bilingual(kNoPageToAdd)});

    browser->calls.clear();
    for (const auto& [code, modifiers] : {std::pair{int('R'), int(wxMOD_NONE)},
                                          {WXK_LEFT, wxMOD_NONE},
                                          {WXK_F5, wxMOD_CONTROL | wxMOD_ALT},
                                          {'L', wxMOD_ALT},
                                          {WXK_RETURN, 0}})
        EXPECT_FALSE(press(box(), code, modifiers)) << code;
    EXPECT_TRUE(browser->calls.empty());
    EXPECT_EQ(closes, 0);
}

TEST_F(Habits, AddressKeysSelectTheBoxText)
{
    form->Combo1->SetText("http://www.sina.com");
    for (const auto& [code, modifiers] : {std::pair{int('L'), int(wxMOD_CONTROL)}, {'D', wxMOD_ALT}, {WXK_F6, 0}}) {
        page()->SetFocus();
        box()->SetFocus(); // nothing selected before the key
        form->Combo1->Window()->SetSelection(0, 0);
        page()->SetFocus();
        runPendingEvents();
        EXPECT_TRUE(press(page(), code, modifiers));
        runPendingEvents();
        long from = -1, to = -1;
        form->Combo1->Window()->GetSelection(&from, &to);
        EXPECT_EQ(from, 0) << code;
        EXPECT_EQ(to, 19) << code;
    }
    EXPECT_TRUE(browser->calls.empty());
}

TEST_F(Habits, ZoomKeysAndCtrlWheelWalkTheStepsAndCloseKeysCloseTheWindow)
{
    press(page(), '=', wxMOD_CONTROL);
    press(page(), '+', wxMOD_CONTROL | wxMOD_SHIFT);
    press(box(), WXK_NUMPAD_ADD, wxMOD_CONTROL);
    EXPECT_DOUBLE_EQ(browser->zoom, 1.5);
    press(page(), '-', wxMOD_CONTROL);
    EXPECT_DOUBLE_EQ(browser->zoom, 1.25);
    press(page(), '0', wxMOD_CONTROL);
    EXPECT_DOUBLE_EQ(browser->zoom, 1.0);
    for (int i = 0; i < 20; ++i)
        press(page(), WXK_NUMPAD_SUBTRACT, wxMOD_CONTROL);
    EXPECT_DOUBLE_EQ(browser->zoom, kZoomLevels.front()) << "the smallest step holds";

    const auto wheel = [this](int rotation, bool control) {
        wxMouseEvent event(wxEVT_MOUSEWHEEL);
        event.m_wheelRotation = rotation;
        event.m_wheelDelta = 120;
        event.SetControlDown(control);
        event.SetEventObject(page());
        page()->ProcessWindowEvent(event);
    };
    browser->SetZoom(1.0);
    wheel(120, true);
    EXPECT_DOUBLE_EQ(browser->zoom, 1.1);
    wheel(-120, true);
    wheel(-120, true);
    EXPECT_DOUBLE_EQ(browser->zoom, 0.9);
    wheel(-120, false);
    EXPECT_DOUBLE_EQ(browser->zoom, 0.9) << "a plain wheel scrolls the page";

    press(page(), 'W', wxMOD_CONTROL);
    press(box(), 'Q', wxMOD_CONTROL);
    EXPECT_EQ(closes, 2);
    EXPECT_TRUE(reports.empty());
}

TEST_F(Habits, FindDialogSearchesTheControlAndTellsItsAnswer)
{
    EXPECT_TRUE(press(page(), 'F', wxMOD_CONTROL));
    FindDialog* find = form->findDialog();
    ASSERT_NE(find, nullptr);
    EXPECT_TRUE(find->IsShown());
    EXPECT_EQ(find->GetTitle(), wxString::FromUTF8("查找"));

    browser->calls.clear();
    find->textField()->SetValue("Hello"); // typing searches at once
    clickButton(find->nextButton());
    clickButton(find->previousButton());
    find->matchCase()->SetValue(true);
    clickButton(find->nextButton());
    EXPECT_EQ(browser->calls,
              (std::vector<wxString>{"Find Hello", "Find Hello", "Find Hello backwards", "Find Hello case"}));

    browser->FindResult(2, 3);
    EXPECT_EQ(find->status()->GetLabel(), wxString::FromUTF8("第 2 处，共 3 处"));
    browser->FindResult(0, 0);
    EXPECT_EQ(find->status()->GetLabel(), wxString::FromUTF8(bilingual(kNoMatches)));

    // Closed, the page's highlights go; opened again, the same dialog comes back.
    browser->calls.clear();
    wxCommandEvent close(wxEVT_BUTTON, wxID_CANCEL);
    find->FindWindow(wxID_CANCEL)->ProcessWindowEvent(close);
    EXPECT_FALSE(find->IsShown());
    EXPECT_EQ(browser->calls, std::vector<wxString>{"Find "});
    press(box(), 'F', wxMOD_CONTROL);
    EXPECT_EQ(form->findDialog(), find);
    EXPECT_TRUE(find->IsShown());

    browser->failing = "Find";
    clickButton(find->nextButton());
    EXPECT_EQ(reports.size(), 1u) << "a refused search is reported";
}

TEST_F(Habits, AutoRefreshShowsPressedOnceOnAndKeepsItsCaption)
{
    EXPECT_FALSE(shownPressed(form->autofresh));
    clickButton(form->autofresh);
    EXPECT_TRUE(shownPressed(form->autofresh));
    EXPECT_EQ(form->autofresh->GetLabel(), wxText(kAutoRefreshCaption));
}

TEST_F(Habits, LoadingSignShowsOverThePageWhileItLoads)
{
    ASSERT_NE(form->loadingSign(), nullptr);
    EXPECT_FALSE(form->loadingSign()->IsShown());
    browser->LoadingChange(true);
    EXPECT_TRUE(form->loadingSign()->IsShown());
    EXPECT_TRUE(page()->GetRect().Contains(form->loadingSign()->GetRect()));
    browser->LoadingChange(false);
    EXPECT_FALSE(form->loadingSign()->IsShown());
    EXPECT_EQ(form->Label2->GetLabel(), wxText(kBannerAtStart)) << "the banner stays as the events set it";
}
