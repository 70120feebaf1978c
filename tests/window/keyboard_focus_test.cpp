// The keyboard's way through the window: Tab and Shift+Tab as the display delivers them,
// the toolbar's buttons under the arrow keys, and a focus that can be seen.
#include <gtk/gtk.h>
#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/toolbar.h>

#include "app/gtk/Focus.h"
#include "tests/support/FormFixture.h"
#include "tests/support/UserActions.h"

using namespace zemora;
using zemora::test::FormFixture;
using zemora::test::typeKey;

namespace {

class KeyboardFocus : public FormFixture {
protected:
    // The control that holds the window's keyboard focus, from the toolkit's own record.
    // Not wxWindow::FindFocus(): that follows the display's focus, which another test's
    // window on the same display can take for a moment.
    wxWindow* focusedControl()
    {
        for (wxWindow* control : std::initializer_list<wxWindow*>{form->Command1, form->Combo1->Window(), toolbar(),
                                                                  form->Combo2->Window(), form->autofresh, page()})
            if (holdsWindowFocus(control))
                return control;
        return nullptr;
    }
    // The control that holds the focus after each of `count` presses of the key.
    std::vector<wxWindow*> walk(unsigned keyval, unsigned modifiers, int count)
    {
        std::vector<wxWindow*> seen;
        for (int i = 0; i < count; ++i) {
            typeKey(form, keyval, modifiers);
            seen.push_back(focusedControl());
        }
        return seen;
    }
    GtkWidget* focusWidget() { return gtk_window_get_focus(GTK_WINDOW(form->GetHandle())); }
    GtkWidget* toolButton(int slot)
    {
        GtkToolItem* item = gtk_toolbar_get_nth_item(form->Toolbar1->Window()->GTKGetToolbar(), slot - 1);
        return gtk_bin_get_child(GTK_BIN(item));
    }
    wxWindow* page() { return form->WebBrowser1->Window(); }
    wxWindow* toolbar() { return form->Toolbar1->Window(); }
};

} // namespace

TEST_F(KeyboardFocus, TabWalksEveryControlInTabOrderAndShiftTabWalksBack)
{
    form->Command1->SetFocus();
    zemora::test::runPendingEvents();
    ASSERT_EQ(focusedControl(), form->Command1);

    // Labels and the hidden boxes are passed over; after the last control the page.
    const std::vector<wxWindow*> forward = {form->Combo1->Window(), toolbar(), form->Combo2->Window(),
                                            form->autofresh,        page(),    form->Command1};
    EXPECT_EQ(walk(GDK_KEY_Tab, 0, 2), std::vector<wxWindow*>(forward.begin(), forward.begin() + 2));
    EXPECT_EQ(focusWidget(), toolButton(1)) << "the toolbar starts at its first button";
    EXPECT_TRUE(gtk_window_get_focus_visible(GTK_WINDOW(form->GetHandle()))) << "keys show the focus";
    EXPECT_EQ(walk(GDK_KEY_Tab, 0, 4), std::vector<wxWindow*>(forward.begin() + 2, forward.end()));

    const std::vector<wxWindow*> back = {page(),    form->autofresh,        form->Combo2->Window(),
                                         toolbar(), form->Combo1->Window(), form->Command1};
    EXPECT_EQ(walk(GDK_KEY_ISO_Left_Tab, GDK_SHIFT_MASK, 4), std::vector<wxWindow*>(back.begin(), back.begin() + 4));
    EXPECT_EQ(focusWidget(), toolButton(form->Toolbar1->Count())) << "coming back, at its last button";
    EXPECT_EQ(walk(GDK_KEY_ISO_Left_Tab, GDK_SHIFT_MASK, 2), std::vector<wxWindow*>(back.begin() + 4, back.end()));

    // The address box is one stop: its text, never its arrow.
    form->Combo1->Window()->SetFocus();
    zemora::test::runPendingEvents();
    typeKey(form, GDK_KEY_Tab);
    EXPECT_EQ(focusWidget(), toolButton(1));
}

TEST_F(KeyboardFocus, ArrowKeysWalkTheToolbarAndEnterRunsTheButton)
{
    form->Combo1->Window()->SetFocus();
    zemora::test::runPendingEvents();
    typeKey(form, GDK_KEY_Tab);
    typeKey(form, GDK_KEY_Right);
    EXPECT_EQ(focusWidget(), toolButton(2));
    EXPECT_EQ(focusedControl(), toolbar());
    typeKey(form, GDK_KEY_Return);
    EXPECT_EQ(browser->calls, std::vector<wxString>{"GoHome"});

    typeKey(form, GDK_KEY_Left);
    typeKey(form, GDK_KEY_Left);
    EXPECT_EQ(focusWidget(), toolButton(1)) << "the first button holds";
    typeKey(form, GDK_KEY_space);
    EXPECT_EQ(browser->calls, (std::vector<wxString>{"GoHome", "GoBack"}));
    EXPECT_TRUE(reports.empty());
}

TEST_F(KeyboardFocus, TheFocusedControlIsOutlined)
{
    // The compact style trims paddings, never the ring the theme draws round the focus.
    for (GtkWidget* widget : {static_cast<GtkWidget*>(form->Command1->GetHandle()),
                              static_cast<GtkWidget*>(form->autofresh->GetHandle()), toolButton(3)}) {
        gtk_widget_grab_focus(widget);
        GtkStyleContext* style = gtk_widget_get_style_context(widget);
        GtkBorderStyle outline = GTK_BORDER_STYLE_NONE;
        int width = 0;
        gtk_style_context_get(style, gtk_style_context_get_state(style), "outline-style", &outline, "outline-width",
                              &width, nullptr);
        EXPECT_NE(outline, GTK_BORDER_STYLE_NONE) << G_OBJECT_TYPE_NAME(widget);
        EXPECT_GT(width, 0) << G_OBJECT_TYPE_NAME(widget);
    }
}
