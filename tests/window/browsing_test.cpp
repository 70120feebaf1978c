// The address bar, toolbar commands, browser events and auto refresh, with a fake control.
#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <gdk/gdkkeysyms.h>

#include "base/Texts.h"
#include "tests/support/FormFixture.h"
#include "tests/support/UserActions.h"

using namespace zemora;
using namespace zemora::test;

namespace {

class Browsing : public FormFixture {
protected:
    // Types into the box and confirms, by Enter or by "GO...".
    void type(const wxString& text, bool enter = true)
    {
        form->Combo1->SetText(text);
        if (enter)
            pressKey(form->Combo1->Window(), GDK_KEY_Return);
        else
            clickButton(form->Command1);
    }

    std::vector<wxString> history()
    {
        std::vector<wxString> items;
        for (int i = 0; i < form->Combo1->ListCount(); ++i)
            items.push_back(form->Combo1->List(i));
        return items;
    }

    // Clicks the toolbar button that shows this caption.
    void click(const char* caption)
    {
        clickTool(form->Toolbar1->Window(), slotCaptioned(form->Toolbar1->Window(), caption));
    }
};

} // namespace

TEST_F(Browsing, EnterAndGoOpenTheSameCompletedAddressAndRecordItOnce)
{
    for (bool enter : {true, false}) {
        SCOPED_TRACE(enter ? "Enter" : "GO...");
        browser->calls.clear();
        type("  sina ", enter);
        EXPECT_EQ(browser->calls, std::vector<wxString>{"NavigateTo http://www.sina.com"});
        EXPECT_EQ(form->Combo1->Text(), "http://www.sina.com");
    }
    EXPECT_EQ(history(), std::vector<wxString>{"http://www.sina.com"});

    type("HTTP://WWW.SINA.COM");
    type("http://www.sina.com");
    EXPECT_EQ(history(), (std::vector<wxString>{"http://www.sina.com", "HTTP://WWW.SINA.COM"}));
    EXPECT_TRUE(reports.empty());
}

TEST_F(Browsing, OtherKeysAndBlankBoxesOpenNothing)
{
    form->Combo1->SetText("sina");
    for (unsigned key : {GDK_KEY_a, GDK_KEY_Tab, GDK_KEY_space})
        pressKey(form->Combo1->Window(), key);
    type("   ");
    EXPECT_TRUE(browser->calls.empty());
    EXPECT_EQ(form->Combo1->Text(), "   ");
    EXPECT_EQ(form->Combo1->ListCount(), 0);
}

TEST_F(Browsing, RefusedNavigationLeavesTheBoxUntrimmedAndTheHistoryUnchanged)
{
    type("first");
    browser->failing = "NavigateTo";
    type("  second ");
    EXPECT_EQ(form->Combo1->Text(), "  second ");
    EXPECT_EQ(history(), std::vector<wxString>{"http://www.first.com"});
    EXPECT_EQ(reports.size(), 1u);
}

TEST_F(Browsing, ChoosingAHistoryEntryOpensItAsStored)
{
    type("first");
    type("second");
    browser->calls.clear();
    chooseFromList(form->Combo1->Window(), 0);
    EXPECT_EQ(browser->calls, std::vector<wxString>{"NavigateTo http://www.first.com"});
    EXPECT_EQ(form->Combo1->Text(), "http://www.first.com");
    EXPECT_EQ(history().size(), 2u);
}

TEST_F(Browsing, RefusedBackIsReportedAndTheWindowGoesOn)
{
    browser->failing = "GoBack";
    click("Back");
    click("Forward");
    EXPECT_EQ(reports.size(), 1u);
    EXPECT_EQ(browser->calls.back(), "GoForward");
}

TEST_F(Browsing, CommandStateChangeEnablesBackAndForwardByPosition)
{
    form->WebBrowser1_CommandStateChange(1, false);
    EXPECT_FALSE(form->Toolbar1->Enabled(3));
    EXPECT_TRUE(form->Toolbar1->Enabled(1));
    form->WebBrowser1_CommandStateChange(2, false);
    EXPECT_FALSE(form->Toolbar1->Enabled(1));
    form->WebBrowser1_CommandStateChange(-1, true);
    form->WebBrowser1_CommandStateChange(3, true);
    EXPECT_FALSE(form->Toolbar1->Enabled(1));
    EXPECT_FALSE(form->Toolbar1->Enabled(3));
    form->WebBrowser1_CommandStateChange(1, true);
    EXPECT_TRUE(form->Toolbar1->Enabled(3));
}

TEST_F(Browsing, DownloadCompleteWritesBannerBoxesAndNamesInOrder)
{
    type("typed");
    browser->url = "http://final.example/";
    browser->name = "Final";
    browser->calls.clear();
    form->Combo1->SetText("left in the box");
    // Typing has moved on elsewhere (text still being typed is kept: UserInputKept).
    form->Command1->SetFocus();
    runPendingEvents();
    handle(&Form1::WebBrowser1_DownloadComplete);
    EXPECT_EQ(browser->calls, (std::vector<wxString>{"LocationURL", "LocationURL", "LocationName"}));
    EXPECT_EQ(form->Label2->GetLabel(), wxText(kBanner));
    EXPECT_EQ(form->Combo1->Text(), "http://final.example/");
    EXPECT_EQ(form->Text2->GetValue(), "http://final.example/");
    EXPECT_EQ(form->Text1->GetValue(), "Final");
    EXPECT_EQ(history(), std::vector<wxString>{"http://www.typed.com"});

    handle(&Form1::WebBrowser1_DownloadComplete);
    EXPECT_EQ(form->Label2->GetLabel(), wxText(kBanner)) << "the same banner every time";
}

TEST_F(Browsing, TitleChangeAppendsTheSuffix)
{
    const wxString suffix = wxString::FromUTF8(" - Zemora浏览器是真正无限制的浏览器！");
    form->WebBrowser1_TitleChange("");
    EXPECT_EQ(form->GetTitle(), suffix);
    form->WebBrowser1_TitleChange("Page" + suffix);
    EXPECT_EQ(form->GetTitle(), "Page" + suffix + suffix);
}

TEST_F(Browsing, AutoRefreshOpensTheBoxAsItStandsThenReloadsEveryTick)
{
    form->Combo1->SetText(" sina ");
    clickButton(form->autofresh);
    EXPECT_EQ(form->Timer1.Interval(), 60000);
    EXPECT_TRUE(form->Timer1.IsRunning());
    EXPECT_EQ(browser->calls, std::vector<wxString>{"NavigateTo http:// sina "}) << "as it stands, as a web address";
    EXPECT_EQ(form->Combo1->ListCount(), 0);

    browser->calls.clear();
    browser->failing = "Refresh";
    handle(&Form1::Timer1_Timer);
    handle(&Form1::Timer1_Timer);
    EXPECT_EQ(browser->calls, (std::vector<wxString>{"Refresh", "Refresh"}));
    EXPECT_TRUE(reports.empty()) << "a failing tick is skipped silently";
    EXPECT_TRUE(form->Timer1.IsRunning());

    browser->failing = "NavigateTo";
    clickButton(form->autofresh);
    EXPECT_EQ(form->Timer1.Interval(), 60000) << "the interval is set before the navigation";
    EXPECT_EQ(reports.size(), 1u);
}
