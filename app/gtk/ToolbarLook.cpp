// How the window's controls look at the sizes the layout gives them: compact paddings,
// the toolbar's pictures and captions, labels level with their boxes.
#include "app/gtk/ToolbarLook.h"

#include <wx/toolbar.h>
#include <wx/window.h>

#ifdef __WXGTK__
#include <gtk/gtk.h>
#endif

namespace zemora {

#ifdef __WXGTK__

namespace {

constexpr char kControlsName[] = "zemora-controls";

// GTK's stock paddings make an entry or a button taller than the rows it was laid out
// for; tighten them so each control fits the height it is given.
void installCompactStyle()
{
    static const bool done = [] {
        GtkCssProvider* css = gtk_css_provider_new();
        // Only the window's own controls, the panel's direct children: the dialogs a page
        // opens are drawn inside the web view and keep the theme's look.
        gtk_css_provider_load_from_data(
            css,
            "#zemora-controls > entry, #zemora-controls > button,"
            " #zemora-controls > combobox entry, #zemora-controls > combobox button {"
            " min-height: 0; padding-top: 0; padding-bottom: 0; }"
            "#zemora-controls > entry, #zemora-controls > combobox entry {"
            " padding-left: 4px; padding-right: 4px; }"
            "#zemora-controls > entry, #zemora-controls > button,"
            " #zemora-controls > combobox entry, #zemora-controls > combobox button { font-size: 9pt; }"
            // The labels were laid out for a narrower face than ours at 9 points.
            "#zemora-controls > label { font-size: 8pt; }"
            "#zemora-controls > button label { font-size: 9pt; }"
            "#zemora-controls toolbar { padding: 0; }"
            // A list drop-down scrolls through thousands of entries, and adding one costs
            // no walk over the others, as the menu kind's does.
            "combobox { -GtkComboBox-appears-as-list: true; }"
            "#zemora-controls toolbar toolbutton > button { padding: 1px 4px; margin: 0;"
            " border-width: 0; min-width: 0; }"
            "#zemora-controls toolbar button label { font-size: 8pt; margin: 0; padding: 0; }",
            -1, nullptr);
        gtk_style_context_add_provider_for_screen(gdk_screen_get_default(), GTK_STYLE_PROVIDER(css),
                                                  GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
        g_object_unref(css);
        return true;
    }();
    (void)done;
}

// GTK gives a tool button's picture all the height its caption leaves, which parts the two
// as the toolbar grows; the block of both takes only its own height, in the middle.
void centreToolContents(GtkToolItem* item)
{
    GtkWidget* button = gtk_bin_get_child(GTK_BIN(item));
    GtkWidget* contents = GTK_IS_BIN(button) ? gtk_bin_get_child(GTK_BIN(button)) : nullptr;
    if (contents)
        gtk_widget_set_valign(contents, GTK_ALIGN_CENTER);
    // The picture's own size, not the column's width, so it reads as the picture.
    if (GtkWidget* picture = gtk_tool_button_get_icon_widget(GTK_TOOL_BUTTON(item)))
        gtk_widget_set_halign(picture, GTK_ALIGN_CENTER);
}

} // namespace

void keepCaptionsOffPictures(wxToolBar* bar)
{
    GtkToolbar* toolbar = bar->GTKGetToolbar();
    // Its height with captions, measured while it still has them.
    int withCaptions = 0;
    gtk_widget_get_preferred_height(GTK_WIDGET(toolbar), nullptr, &withCaptions);
    bar->Bind(wxEVT_SIZE, [toolbar, withCaptions](wxSizeEvent& event) {
        event.Skip();
        const GtkToolbarStyle style = event.GetSize().y >= withCaptions ? GTK_TOOLBAR_BOTH : GTK_TOOLBAR_ICONS;
        if (gtk_toolbar_get_style(toolbar) != style)
            gtk_toolbar_set_style(toolbar, style);
    });
}

void keepPicturesWithCaptions(wxToolBar* bar)
{
    GtkToolbar* toolbar = bar->GTKGetToolbar();
    for (int i = 0; i < gtk_toolbar_get_n_items(toolbar); ++i) {
        GtkToolItem* item = gtk_toolbar_get_nth_item(toolbar, i);
        if (!GTK_IS_TOOL_BUTTON(item))
            continue;
        centreToolContents(item);
        // The button builds its contents anew whenever the toolbar's style changes, as
        // when captions come and go.
        g_signal_connect_after(item, "toolbar-reconfigured",
                               G_CALLBACK(+[](GtkToolItem* item, gpointer) { centreToolContents(item); }), nullptr);
    }
}

void centreLabelText(wxWindow* label)
{
    if (GTK_IS_LABEL(label->GetHandle()))
        gtk_label_set_yalign(GTK_LABEL(label->GetHandle()), 0.5f);
}

int pictureRoom(const wxToolBar* bar)
{
    GtkToolbar* toolbar = const_cast<wxToolBar*>(bar)->GTKGetToolbar();
    int room = bar->GetSize().y;
    const auto takeFrame = [&room](GtkWidget* widget) {
        GtkStyleContext* style = gtk_widget_get_style_context(widget);
        const GtkStateFlags state = gtk_style_context_get_state(style);
        GtkBorder padding, border;
        gtk_style_context_get_padding(style, state, &padding);
        gtk_style_context_get_border(style, state, &border);
        room -= padding.top + padding.bottom + border.top + border.bottom;
    };
    takeFrame(GTK_WIDGET(toolbar));
    if (gtk_toolbar_get_n_items(toolbar) > 0)
        if (GtkWidget* button = gtk_bin_get_child(GTK_BIN(gtk_toolbar_get_nth_item(toolbar, 0))))
            takeFrame(button);
    return room;
}

void useCompactControls(wxWindow* controls)
{
    installCompactStyle();
    gtk_widget_set_name(static_cast<GtkWidget*>(controls->GetHandle()), kControlsName);
}

double textDotsPerInch(const wxWindow*)
{
    // Pango draws text at the screen's resolution, which holds Xft.dpi and GDK_DPI_SCALE;
    // unset, it draws at 96.
    const double resolution = gdk_screen_get_resolution(gdk_screen_get_default());
    return resolution > 0 ? resolution : 96.0;
}

#else

void useCompactControls(wxWindow*) {}

void keepCaptionsOffPictures(wxToolBar*) {}

void keepPicturesWithCaptions(wxToolBar*) {}

void centreLabelText(wxWindow*) {}

int pictureRoom(const wxToolBar* bar) { return bar->GetSize().y; }

double textDotsPerInch(const wxWindow* window) { return window->FromDIP(96000) / 1000.0; }

#endif

} // namespace zemora
