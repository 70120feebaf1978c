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

namespace {

struct ToolParts {
    GtkWidget* image = nullptr;
    GtkWidget* label = nullptr;
};

void findParts(GtkWidget* widget, gpointer parts)
{
    auto* found = static_cast<ToolParts*>(parts);
    if (GTK_IS_IMAGE(widget))
        found->image = widget;
    else if (GTK_IS_LABEL(widget))
        found->label = widget;
    else if (GTK_IS_CONTAINER(widget))
        gtk_container_forall(GTK_CONTAINER(widget), findParts, parts);
}

GtkAllocation allocationOf(GtkWidget* widget)
{
    GtkAllocation a;
    gtk_widget_get_allocation(widget, &a);
    return a;
}

bool drawn(GtkWidget* widget)
{
    return gtk_widget_get_visible(widget) && gtk_widget_get_child_visible(widget) &&
           gtk_widget_get_mapped(widget);
}

} // namespace

TEST_F(TextScale, CaptionsSitUnderTheirPicturesOrGoAtEverySize)
{
    handle(&Form1::Form_Load);
    GtkToolbar* toolbar = form->Toolbar1->Window()->GTKGetToolbar();
    for (const wxSize size : {wxSize(500, 400), wxSize(1600, 1000)}) {
        form->SetClientSize(size);
        ASSERT_TRUE(zemora::test::runEventsUntil([&] {
            return allocationOf(GTK_WIDGET(toolbar)).width == form->Toolbar1->Window()->GetSize().x;
        }));
        runPendingEvents();
        const bool roomy = size.x >= 1600;
        for (int i = 0; i < gtk_toolbar_get_n_items(toolbar); ++i) {
            SCOPED_TRACE(testing::Message() << size.x << "x" << size.y << ", tool " << i + 1);
            GtkWidget* item = GTK_WIDGET(gtk_toolbar_get_nth_item(toolbar, i));
            if (!drawn(item))
                continue;
            ToolParts parts;
            findParts(item, &parts);
            ASSERT_TRUE(parts.image);
            ASSERT_TRUE(drawn(parts.image));
            const bool captioned = parts.label && drawn(parts.label);
            EXPECT_TRUE(captioned || !roomy) << "room enough, and no caption";
            if (!captioned)
                continue;
            const GtkAllocation picture = allocationOf(parts.image);
            const GtkAllocation caption = allocationOf(parts.label);
            EXPECT_GE(caption.y, picture.y + picture.height) << "the caption is drawn over the picture";
            if (roomy)
                EXPECT_NEAR(caption.x + caption.width / 2.0, picture.x + picture.width / 2.0, 3);
        }
    }
}
