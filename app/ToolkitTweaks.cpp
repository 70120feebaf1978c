#include "app/ToolkitTweaks.h"

#include <wx/combobox.h>
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
        gtk_css_provider_load_from_data(css,
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
        gtk_style_context_add_provider_for_screen(gdk_screen_get_default(),
            GTK_STYLE_PROVIDER(css), GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
        g_object_unref(css);
        return true;
    }();
    (void)done;
}

} // namespace

void useCompactControls(wxWindow* controls)
{
    installCompactStyle();
    gtk_widget_set_name(static_cast<GtkWidget*>(controls->GetHandle()), kControlsName);
}

void appendToList(wxComboBox* box, const wxString& item)
{
    // Straight to the native list: the toolkit wrapper counts the entries one by one on
    // every append, which makes filling a long list quadratic.
    gtk_combo_box_text_append_text(GTK_COMBO_BOX_TEXT(box->GetHandle()), item.utf8_str());
}

void showPressed(wxWindow* button, bool pressed)
{
    GtkWidget* widget = button->GetHandle();
    if (pressed)
        gtk_widget_set_state_flags(widget, GTK_STATE_FLAG_CHECKED, FALSE);
    else
        gtk_widget_unset_state_flags(widget, GTK_STATE_FLAG_CHECKED);
}

bool shownPressed(const wxWindow* button)
{
    return (gtk_widget_get_state_flags(button->GetHandle()) & GTK_STATE_FLAG_CHECKED) != 0;
}

double textDotsPerInch(const wxWindow*)
{
    // Pango draws text at the screen's resolution, which holds Xft.dpi and GDK_DPI_SCALE;
    // unset, it draws at 96.
    const double resolution = gdk_screen_get_resolution(gdk_screen_get_default());
    return resolution > 0 ? resolution : 96.0;
}

#else

void showPressed(wxWindow*, bool) {}

bool shownPressed(const wxWindow*) { return false; }

double textDotsPerInch(const wxWindow* window) { return window->FromDIP(96000) / 1000.0; }

void useCompactControls(wxWindow*) {}

void appendToList(wxComboBox* box, const wxString& item) { box->Append(item); }

#endif

} // namespace zemora
