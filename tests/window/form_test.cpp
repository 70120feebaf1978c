#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/toolbar.h>

#include "base/Failure.h"
#include "tests/support/FormFixture.h"

using namespace zemora;
using zemora::test::FormFixture;

namespace {

struct Place {
    float left, top;
    std::optional<float> width, height;
};

// The window's controls at its layout size, in creation order.
const Place kLayout[] = {
    {9050, 1080, 840, 270},  {6600, 3960, {}, {}},  {5880, 1080, 3135, 300},
    {6480, 2040, 2415, 270}, {3240, 1800, 2415, 270}, {0, 0, 9945, 945},
    {3240, 3600, {}, {}},    {840, 1080, 3975, 300},  {4980, 1080, 735, 255},
    {0, 1440, 9970, 6015},   {0, 7560, 10455, 255},   {110, 1110, 735, 255},
};

std::optional<float> read(LayoutControl* c, Prop p)
{
    try {
        return c->Get(p);
    } catch (const Failure&) {
        return std::nullopt;
    }
}

} // namespace

using FormWindow = FormFixture;

TEST_F(FormWindow, CollectionListsTwelveControlsInCreationOrderAtTheirPlaces)
{
    EXPECT_FLOAT_EQ(form->ScaleWidth(), 9945);
    EXPECT_FLOAT_EQ(form->ScaleHeight(), 7785);
    const auto controls = form->Controls();
    ASSERT_EQ(controls.size(), std::size(kLayout));
    for (std::size_t i = 0; i < controls.size(); ++i) {
        SCOPED_TRACE("control " + std::to_string(i + 1));
        EXPECT_EQ(read(controls[i], Prop::Left), kLayout[i].left);
        EXPECT_EQ(read(controls[i], Prop::Top), kLayout[i].top);
        EXPECT_EQ(read(controls[i], Prop::Width), kLayout[i].width);
        EXPECT_EQ(read(controls[i], Prop::Height), kLayout[i].height);
    }
    // The native widgets sit on the nearest pixels (15 twips each at 96 DPI).
    EXPECT_EQ(form->autofresh->GetRect(), wxRect(603, 72, 56, 18));
    EXPECT_EQ(form->Label1->GetRect(), wxRect(7, 74, 49, 17));
    EXPECT_EQ(form->WebBrowser1->Window()->GetRect(), wxRect(0, 96, 665, 401));
}

TEST_F(FormWindow, ControlsStartWithTheirCaptionsAndTexts)
{
    EXPECT_EQ(form->GetTitle(), wxString::FromUTF8("Zemora浏览器"));
    EXPECT_EQ(form->GetMenuBar(), nullptr);
    EXPECT_EQ(form->autofresh->GetLabel(), wxString::FromUTF8("自动刷新"));
    EXPECT_EQ(form->Command1->GetLabel(), "GO...");
    EXPECT_EQ(form->Combo1->Text(), "");
    EXPECT_EQ(form->Combo1->ListCount(), 0);
    EXPECT_EQ(form->Combo2->Text(), wxString::FromUTF8("点击收藏夹，再请选择你要访问的网站"));
    EXPECT_EQ(form->Combo2->ListCount(), 0);
    EXPECT_EQ(form->Text1->GetValue(), wxString::FromUTF8("请填写您想收藏的网站名称"));
    EXPECT_EQ(form->Text2->GetValue(), wxString::FromUTF8("请填写您想收藏的网址"));
    EXPECT_FALSE(form->Text1->IsShown());
    EXPECT_FALSE(form->Text2->IsShown());
    EXPECT_EQ(form->Label2->GetLabel(), "please wait a minute");
    EXPECT_EQ(form->Label1->GetLabel(), "Address:");
    EXPECT_EQ(form->Timer1.Interval(), 0);
    EXPECT_TRUE(form->Timer1.Enabled());
    EXPECT_FALSE(form->Timer1.IsRunning());
    EXPECT_TRUE(browser->calls.empty()) << "the control has no page of its own";
}

TEST_F(FormWindow, ToolbarButtonsAreAddressedByPositionFromOne)
{
    const char* keys[] = {"back", "home", "forward", "refresh", "stop", "baidu",
                          "MSN", "souhu", "wangyi", "xinlang", "yahoo", "add"};
    ASSERT_EQ(form->Toolbar1->Count(), 12);
    for (int position = 1; position <= 12; ++position) {
        EXPECT_EQ(form->Toolbar1->Buttons(position).Key, keys[position - 1]);
        EXPECT_EQ(form->Toolbar1->Buttons(position).Image, position);
        EXPECT_TRUE(form->Toolbar1->Enabled(position));
    }
    EXPECT_EQ(form->Toolbar1->Buttons(12).Caption, wxString::FromUTF8("添加收藏"));
    EXPECT_EQ(form->Toolbar1->Buttons(6).Caption, wxString::FromUTF8("百度"));
    EXPECT_THROW(form->Toolbar1->Buttons(13), Failure);
    EXPECT_EQ(form->ImageList1.ListImages.size(), 13u);
    EXPECT_EQ(form->ImageList1.ListImages[5].GetDefaultSize(), wxSize(40, 42));
}

TEST_F(FormWindow, TabOrderFollowsTheTabIndexes)
{
    wxWindow* const expected[] = {form->WebBrowser1->Window(), form->Label1, form->Command1,
                                  form->Combo1->Window(), form->Toolbar1->Window(), form->Label2,
                                  form->Text1, form->Text2, form->Combo2->Window(), form->autofresh};
    for (std::size_t i = 1; i < std::size(expected); ++i)
        EXPECT_EQ(expected[i - 1]->GetNextSibling(), expected[i]) << "tab index " << i;
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

TEST_F(FormWindow, ResizeScalesTheRealControlsAndRestores)
{
    form->ApplyLayout(); // before the capture: nothing moves
    EXPECT_EQ(form->Command1->GetRect(), wxRect(332, 72, 49, 17));

    handle(&Form1::Form_Load);
    form->SetClientSize(1326, 519);
    form->ApplyLayout();
    EXPECT_EQ(form->Command1->GetRect(), wxRect(664, 72, 98, 17));
    EXPECT_EQ(form->WebBrowser1->Window()->GetRect(), wxRect(0, 96, 1329, 401));

    form->SetClientSize(663, 519);
    form->ApplyLayout();
    EXPECT_EQ(form->Command1->GetRect(), wxRect(332, 72, 49, 17));
    EXPECT_FLOAT_EQ(form->Controls()[8]->Get(Prop::Left), 4980);
}

TEST_F(FormWindow, HandlerFailureIsReportedAndTheWindowGoesOn)
{
    form->runHandler([] { throw Failure("测试", "Test"); });
    form->runHandler([] { throw std::runtime_error("plain"); });
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[0], "测试 (Test)");
    EXPECT_EQ(reports[1], "plain");
}
