// The window as the user meets it: every control where it can be seen and reached at
// whatever size the window is given, each toolbar button doing the job its caption names,
// and the load sequence.
#include <chrono>

#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/toolbar.h>

#include "app/WxText.h"
#include "base/Addresses.h"
#include "base/Failure.h"
#include "tests/support/FormFixture.h"
#include "tests/support/UserActions.h"

using namespace zemora;
using namespace zemora::test;

namespace {

struct Shown {
    const char* name;
    wxWindow* window;
};

// Where a control ends, its last pixel's edge; pixel rounding may put it one over its neighbour.
int right(const wxRect& r) { return r.x + r.width; }
int bottom(const wxRect& r) { return r.y + r.height; }

// A control's place as shares of the window's inner area.
struct Share {
    double left, top, width, height;
};

class FormWindow : public FormFixture {
protected:
    // The controls the user sees, named for failure messages.
    std::vector<Shown> shown()
    {
        return {{"toolbar", form->Toolbar1->Window()},   {"address label", form->Label1},
                {"address box", form->Combo1->Window()}, {"GO", form->Command1},
                {"favorites", form->Combo2->Window()},   {"auto refresh", form->autofresh},
                {"page", form->WebBrowser1->Window()},   {"banner", form->Label2}};
    }

    // Gives the window's inner area this size, as a drag of its edge does, and lets the
    // window's own size events run. The toolkit answers the asked size at once, while the
    // display's word on an earlier size may still be on its way and set it back for a
    // moment; so the size must have held, with no size event, for a while.
    void resizeTo(wxSize size)
    {
        auto lastEvent = std::chrono::steady_clock::now();
        const auto heard = [&](wxSizeEvent& event) {
            event.Skip();
            lastEvent = std::chrono::steady_clock::now();
        };
        form->Bind(wxEVT_SIZE, heard);
        form->SetClientSize(size);
        const bool settled = runEventsUntil([&] {
            return form->GetClientSize() == size
                   && std::chrono::steady_clock::now() - lastEvent > std::chrono::milliseconds(150);
        });
        form->Unbind(wxEVT_SIZE, heard);
        ASSERT_TRUE(settled) << "asked " << size.x << "x" << size.y << ", got " << form->GetClientSize().x << "x"
                             << form->GetClientSize().y;
        runPendingEvents();
    }

    Share shareOf(wxWindow* control)
    {
        const wxRect r = control->GetRect();
        const wxSize inner = form->GetClientSize();
        return {double(r.x) / inner.x, double(r.y) / inner.y, double(r.width) / inner.x, double(r.height) / inner.y};
    }

    wxToolBar* bar() { return form->Toolbar1->Window(); }
};

} // namespace

TEST_F(FormWindow, AtStartNoPageIsAskedForAndNothingRuns)
{
    EXPECT_EQ(form->GetMenuBar(), nullptr);
    EXPECT_EQ(form->Combo1->ListCount(), 0);
    EXPECT_EQ(form->Combo2->ListCount(), 0);
    // They only carry the page's name and address for adding a favorite.
    EXPECT_FALSE(form->Text1->IsShown());
    EXPECT_FALSE(form->Text2->IsShown());
    EXPECT_FALSE(form->Timer1.IsRunning());
    EXPECT_TRUE(browser->calls.empty()) << "the control has no page of its own";
}

TEST_F(FormWindow, EveryControlStaysInsideInOrderAndInProportionAtAnySize)
{
    resizeTo(form->GetClientSize()); // the window as it was made, once the display agrees
    const wxSize layout = form->GetClientSize();
    const std::vector<Shown> controls = shown();
    std::vector<wxRect> atLoad;
    std::vector<Share> shares;
    for (const Shown& control : controls) {
        atLoad.push_back(control.window->GetRect());
        shares.push_back(shareOf(control.window));
    }
    const auto rect = [&](std::size_t i) { return controls[i].window->GetRect(); };
    // Before the load has taken the proportions, a resize moves nothing.
    resizeTo(layout * 2);
    for (std::size_t i = 0; i < controls.size(); ++i)
        EXPECT_EQ(rect(i), atLoad[i]) << controls[i].name;
    resizeTo(layout);
    handle(&Form1::Form_Load);

    // Small, large, wide and low, narrow and tall, and back.
    const wxSize sizes[] = {{480, 360}, {1200, 960}, {1250, 200}, {480, 1000}, layout};
    for (const wxSize size : sizes) {
        SCOPED_TRACE(testing::Message() << "inner area " << size.x << "x" << size.y);
        resizeTo(size);
        for (std::size_t i = 0; i < controls.size(); ++i) {
            SCOPED_TRACE(controls[i].name);
            const wxRect r = rect(i);
            const Share s = shareOf(controls[i].window);
            // Each edge lands on a whole pixel of its own: a pixel and a half either way.
            EXPECT_NEAR(s.left, shares[i].left, 1.5 / size.x);
            EXPECT_NEAR(s.top, shares[i].top, 1.5 / size.y);
            EXPECT_NEAR(s.width, shares[i].width, 1.5 / size.x);
            EXPECT_NEAR(s.height, shares[i].height, 1.5 / size.y);
            EXPECT_GE(r.x, 0);
            EXPECT_GE(r.y, 0);
            // What the user clicks or types into lies wholly inside the window; the page
            // and the banner reach its right edge.
            if (controls[i].window == form->WebBrowser1->Window() || controls[i].window == form->Label2) {
                EXPECT_GE(right(r), size.x - 1);
            } else {
                EXPECT_LE(right(r), size.x + 1);
                EXPECT_LE(bottom(r), size.y + 1);
            }
            EXPECT_LT(r.y, size.y);
        }
        // From top to bottom: the toolbar, the address row left to right, the page, the banner.
        const wxRect toolbar = rect(0), page = rect(6), banner = rect(7);
        for (std::size_t i = 1; i <= 5; ++i) {
            SCOPED_TRACE(controls[i].name);
            EXPECT_LE(bottom(toolbar), rect(i).y + 1);
            EXPECT_LE(bottom(rect(i)), page.y + 1);
            if (i < 5) {
                EXPECT_LE(right(rect(i)), rect(i + 1).x + 1) << "overlaps " << controls[i + 1].name;
            }
        }
        EXPECT_LE(bottom(page), banner.y + 1);
    }
    // Back at the size it was loaded at, each control is where it started.
    for (std::size_t i = 0; i < controls.size(); ++i)
        EXPECT_EQ(rect(i), atLoad[i]) << controls[i].name;
}

TEST_F(FormWindow, EachToolbarButtonDoesTheJobItsCaptionNames)
{
    // The portals open the addresses the program keeps for them.
    std::vector<std::pair<wxString, wxString>> jobs = {
        {"Back", "GoBack"}, {"Home", "GoHome"}, {"Forward", "GoForward"}, {"Refresh", "Refresh"}, {"Stop", "Stop"}};
    for (const Portal& portal : kPortals)
        jobs.push_back({wxText(portal.caption), "NavigateTo " + wxText(portal.address)});
    const wxString add = wxString::FromUTF8("添加收藏");
    EXPECT_EQ(bar()->GetToolsCount(), jobs.size() + 1) << "no button without a job";

    for (const auto& [caption, call] : jobs) {
        SCOPED_TRACE(caption);
        const int slot = slotCaptioned(bar(), caption);
        ASSERT_NE(slot, 0);
        browser->calls.clear();
        clickTool(bar(), slot);
        EXPECT_EQ(browser->calls, std::vector<wxString>{call});
    }
    EXPECT_EQ(form->Combo1->Text(), "") << "a portal leaves the address box alone";
    EXPECT_EQ(form->Combo1->ListCount(), 0) << "and the typed-address history";

    // "Add" hands the page on show to the add-to-favorites dialog.
    browser->url = "http://example.test/";
    browser->name = "Page";
    browser->DownloadComplete();
    ASSERT_NE(slotCaptioned(bar(), add), 0);
    clickTool(bar(), slotCaptioned(bar(), add));
    ASSERT_EQ(dialogCalls.size(), 1u);
    EXPECT_EQ(dialogCalls[0].owner, form);
    EXPECT_EQ(dialogCalls[0].name, "Page");
    EXPECT_EQ(dialogCalls[0].folder, *favoritesFolder);
    EXPECT_TRUE(reports.empty());
}

TEST_F(FormWindow, LoadListsFavoritesThenCapturesLayoutThenOpensTheStartAddress)
{
    handle(&Form1::Form_Load);
    EXPECT_TRUE(reports.empty());
    ASSERT_EQ(folderLookups.size(), 1u);
    EXPECT_FALSE(folderLookups[0]) << "favorites come before the layout";
    EXPECT_EQ(form->FavoritesPath, wxString(*favoritesFolder));
    EXPECT_EQ(form->CtlCount, 12);
    EXPECT_EQ(form->WidthRatio.upperBound(), 12);
    ASSERT_EQ(browser->calls.size(), 1u);
    EXPECT_EQ(browser->calls[0], "NavigateTo http://www.baidu.com");
}

TEST_F(FormWindow, FailingFavoritesStepEndsTheLoadAndIsReported)
{
    favoritesFolder.reset();
    handle(&Form1::Form_Load);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(reports[0].find("Favorites"), std::string::npos);
    EXPECT_FALSE(form->TopRatio.exists()) << "no layout captured";
    EXPECT_TRUE(browser->calls.empty()) << "no page requested";
}

TEST_F(FormWindow, RefusedStartAddressIsReportedAfterTheLayoutIsCaptured)
{
    browser->failing = "NavigateTo";
    handle(&Form1::Form_Load);
    EXPECT_EQ(reports.size(), 1u);
    EXPECT_EQ(form->CtlCount, 12);
}

TEST_F(FormWindow, HandlerFailureIsReportedAndTheWindowGoesOn)
{
    form->runHandler([] { throw Failure("测试", "Test"); });
    form->runHandler([] { throw std::runtime_error("plain"); });
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[0], "测试 (Test)");
    EXPECT_EQ(reports[1], "plain");
}
