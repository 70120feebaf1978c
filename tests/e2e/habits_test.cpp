// The window's keys, find and zoom on the real engine, with keys typed as the display
// delivers them, the page holding the focus.
#include <glib/gi18n.h>
#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/toolbar.h>
#include <wx/uiaction.h>

#include "app/FindDialog.h"
#include "app/Language.h"
#include "tests/support/HttpServer.h"
#include "tests/support/RealFormFixture.h"

using namespace zemora;
using namespace zemora::test;

namespace {

class RealHabits : public RealFormFixture {
protected:
    void SetUp() override
    {
        RealFormFixture::SetUp();
        server.page("/a.html", "Page A");
        server.page("/b.html", "Page B");
        ASSERT_TRUE(runEventsUntil([&] { return form->IsShownOnScreen(); }));
    }

    bool opened(const std::string& path, const wxString& title)
    {
        form->runHandler([&] { form->WebBrowser1->NavigateTo(wxString::FromUTF8(server.url(path))); });
        return runEventsUntil([&] { return form->GetTitle() == title + wxText(kTitleSuffix); });
    }

    // Puts the pointer over the page and clicks, so the page has the focus.
    void focusPage()
    {
        wxWindow* page = form->WebBrowser1->Window();
        form->Raise();
        wxUIActionSimulator sim;
        sim.MouseMove(page->GetScreenPosition() + wxPoint(40, 40));
        sim.MouseClick();
        runEventsUntil([&] { return false; }, std::chrono::milliseconds(300));
    }

    HttpServer server;
};

} // namespace

TEST_F(RealHabits, ZoomKeyTypedInThePageZoomsItAndTheZoomOutlivesNavigation)
{
    ASSERT_TRUE(opened("/a.html", "Page A"));
    focusPage();
    wxUIActionSimulator sim;
    sim.Char('=', wxMOD_CONTROL);
    ASSERT_TRUE(runEventsUntil([&] { return form->WebBrowser1->Zoom() > 1.05; }, std::chrono::seconds(5)))
        << "the key reached the window from inside the page";
    EXPECT_DOUBLE_EQ(form->WebBrowser1->Zoom(), 1.1);

    ASSERT_TRUE(opened("/b.html", "Page B"));
    EXPECT_DOUBLE_EQ(form->WebBrowser1->Zoom(), 1.1);
    EXPECT_EQ(form->GetClientSize(), form->FromDIP(wxSize(663, 519))) << "the window's layout stays";

    focusPage();
    sim.Char('L', wxMOD_CONTROL);
    EXPECT_TRUE(runEventsUntil([&] { return wxWindow::FindFocus() == form->Combo1->Window(); },
                               std::chrono::seconds(5)));
    EXPECT_TRUE(reports.empty());
}

TEST_F(RealHabits, FindCountsMatchesOrSaysThereAreNone)
{
    server.route("/c.html", {200, "<title>C</title><p>Hello hello HELLO</p>", "text/html", ""});
    ASSERT_TRUE(opened("/c.html", "C"));
    form->ShowFind();
    FindDialog* find = form->findDialog();
    const wxString found = wxString::FromUTF8("找到 3 处");
    find->textField()->SetValue("hello");
    EXPECT_TRUE(runEventsUntil([&] { return find->status()->GetLabel() == found; }, std::chrono::seconds(5)))
        << find->status()->GetLabel();
    find->textField()->SetValue("nowhere");
    EXPECT_TRUE(runEventsUntil([&] { return find->status()->GetLabel() == wxString::FromUTF8(bilingual(kNoMatches)); },
                               std::chrono::seconds(5)))
        << find->status()->GetLabel();
}

TEST_F(RealHabits, AnAddressWithoutASchemeOpensAsAWebAddress)
{
    const std::string address = "127.0.0.1:" + std::to_string(server.port()) + "/a.html";
    form->runHandler([&] { form->WebBrowser1->NavigateTo(wxString::FromUTF8(address)); });
    EXPECT_TRUE(runEventsUntil([&] { return form->GetTitle() == "Page A" + wxText(kTitleSuffix); }));
    EXPECT_EQ(form->WebBrowser1->LocationURL(), wxString::FromUTF8(server.url("/a.html")));
}

TEST_F(RealHabits, StockTextsOfTheToolkitAndTheEngineAreChinese)
{
    useChineseMessages();
    EXPECT_STREQ(g_dgettext("gtk30", "_OK"), "确定(_O)");
    EXPECT_STREQ(g_dgettext("WebKitGTK-4.0", "_Back"), "后退(_B)");
}

