// The window at the user's text scale (GDK_DPI_SCALE, set per CTest run): twips follow the
// resolution text is drawn at, so no control clips its text and the toolbar keeps all its
// buttons.
#include <cstdlib>

#include <gtk/gtk.h>
#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/stattext.h>
#include <wx/toolbar.h>

#include "app/ToolkitTweaks.h"
#include "tests/support/FormFixture.h"

using namespace zemora;
using zemora::test::FormFixture;
using zemora::test::runPendingEvents;

namespace {

GtkWidget* findToolbar(GtkWidget* widget)
{
    if (GTK_IS_TOOLBAR(widget) || !GTK_IS_CONTAINER(widget))
        return GTK_IS_TOOLBAR(widget) ? widget : nullptr;
    GtkWidget* found = nullptr;
    GList* children = gtk_container_get_children(GTK_CONTAINER(widget));
    for (GList* i = children; i && !found; i = i->next)
        found = findToolbar(GTK_WIDGET(i->data));
    g_list_free(children);
    return found;
}

int toolsShown(wxToolBar* bar)
{
    int shown = 0;
    GtkWidget* toolbar = findToolbar(bar->GetHandle());
    if (!toolbar)
        return -1;
    GList* items = gtk_container_get_children(GTK_CONTAINER(toolbar));
    for (GList* i = items; i; i = i->next)
        if (GTK_IS_TOOL_BUTTON(i->data) && gtk_widget_get_child_visible(GTK_WIDGET(i->data)) &&
            gtk_widget_get_mapped(GTK_WIDGET(i->data)))
            ++shown;
    g_list_free(items);
    return shown;
}

// The text's size as the control draws it (with the window's own style).
wxSize drawnSize(wxWindow* control, const wxString& text)
{
    GtkWidget* widget = control->GetHandle();
    if (GTK_IS_BUTTON(widget))
        widget = gtk_bin_get_child(GTK_BIN(widget));
    else if (GTK_IS_COMBO_BOX(widget))
        widget = gtk_bin_get_child(GTK_BIN(widget));
    PangoLayout* layout = gtk_widget_create_pango_layout(widget, text.utf8_str());
    int width = 0, height = 0;
    pango_layout_get_pixel_size(layout, &width, &height);
    g_object_unref(layout);
    return {width, height};
}

} // namespace

using TextScale = FormFixture;

TEST_F(TextScale, ControlsHoldTheirTextAndTheToolbarAllTwelveButtons)
{
    const char* scale = std::getenv("GDK_DPI_SCALE");
    const double expected = 96.0 * (scale ? std::atof(scale) : 1.0);
    EXPECT_NEAR(textDotsPerInch(form), expected, 0.5);
    EXPECT_NEAR(form->GetClientSize().x, 9945 * expected / 1440, 1);
    EXPECT_NEAR(form->ScaleWidth(), 9945, 15) << "the layout's size in twips is the same";

    handle(&Form1::Form_Load);
    form->Show();
    ASSERT_TRUE(zemora::test::runEventsUntil(
        [&] { return gtk_widget_get_mapped(form->Toolbar1->Window()->GetHandle()); }));
    runPendingEvents();
    const auto holds = [](wxWindow* control, const wxString& text) {
        const wxSize need = drawnSize(control, text);
        const wxSize has = control->GetSize();
        EXPECT_LE(need.x, has.x) << text;
        EXPECT_LE(need.y, has.y) << text;
    };
    holds(form->Label1, form->Label1->GetLabel());
    holds(form->Label2, form->Label2->GetLabel());
    holds(form->Command1, form->Command1->GetLabel());
    holds(form->autofresh, form->autofresh->GetLabel());
    holds(form->Combo1->Window(), "Ag");
    holds(form->Combo2->Window(), "Ag");
    EXPECT_EQ(toolsShown(form->Toolbar1->Window()), 12);
    EXPECT_LE(form->Toolbar1->Window()->GetBestSize().y, form->Toolbar1->Window()->GetSize().y);
}
