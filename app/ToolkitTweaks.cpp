#include "app/ToolkitTweaks.h"

#include <wx/combobox.h>
#include <wx/toolbar.h>
#include <wx/window.h>

#ifdef __WXGTK__
#include <gtk/gtk.h>
#endif

namespace zemora {

namespace {

// A toolbar that says it takes the focus; created in two steps, so that the toolkit asks
// this class, not the plain toolbar, when it sets the toolbar up.
class KeyboardToolBar : public wxToolBar {
public:
    bool AcceptsFocus() const override { return true; }

protected:
#ifdef __WXGTK__
    // The arrow keys move the focus between its buttons, which is no change of window.
    bool GTKNeedsToFilterSameWindowFocus() const override { return true; }
#endif
};

} // namespace

wxToolBar* createKeyboardToolBar(wxWindow* parent, long style)
{
    auto* bar = new KeyboardToolBar;
    bar->Create(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, style);
    return bar;
}

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

void findToggleButton(GtkWidget* widget, gpointer found)
{
    if (GTK_IS_TOGGLE_BUTTON(widget))
        *static_cast<GtkWidget**>(found) = widget;
    else if (GTK_IS_CONTAINER(widget))
        gtk_container_forall(GTK_CONTAINER(widget), findToggleButton, found);
}

// The widget that stands for a control in the panel's focus chain.
GtkWidget* focusStop(wxWindow* control)
{
    GtkWidget* widget = control->GetHandle();
    if (GTK_IS_COMBO_BOX(widget) && gtk_combo_box_get_has_entry(GTK_COMBO_BOX(widget))) {
        // The arrow is for the mouse; Alt+Down opens the list from the text.
        GtkWidget* arrow = nullptr;
        gtk_container_forall(GTK_CONTAINER(widget), findToggleButton, &arrow);
        if (arrow)
            gtk_widget_set_can_focus(arrow, FALSE);
    }
    if (auto* bar = dynamic_cast<wxToolBar*>(control)) {
        // A toolbar's buttons refuse the focus; the toolbar hands it to its first (or,
        // going back, last) button, and the arrow keys move it along.
        GtkToolbar* toolbar = bar->GTKGetToolbar();
        for (int i = 0; i < gtk_toolbar_get_n_items(toolbar); ++i) {
            GtkWidget* item = GTK_WIDGET(gtk_toolbar_get_nth_item(toolbar, i));
            GtkWidget* button = GTK_IS_BIN(item) ? gtk_bin_get_child(GTK_BIN(item)) : nullptr;
            if (!button)
                continue;
            gtk_widget_set_can_focus(button, TRUE);
            // The toolkit hears the focus arrive only at the box around the toolbar.
            g_signal_connect(button, "focus-in-event", G_CALLBACK(+[](GtkWidget*, GdkEvent*, gpointer bar) {
                static_cast<wxToolBar*>(bar)->GTKHandleFocusIn();
                return FALSE;
            }), bar);
            g_signal_connect(button, "focus-out-event", G_CALLBACK(+[](GtkWidget*, GdkEvent*, gpointer bar) {
                static_cast<wxToolBar*>(bar)->GTKHandleFocusOut();
                return FALSE;
            }), bar);
        }
    }
    return widget;
}

} // namespace

void followTabOrder(wxWindow* panel, std::vector<wxWindow*> order)
{
    GtkContainer* container = GTK_CONTAINER(panel->GetHandle());
    std::vector<GtkWidget*> stops;
    for (wxWindow* control : order) {
        // The chain names the panel's own children: the focus walks on from the one
        // holding it.
        GtkWidget* stop = focusStop(control);
        while (stop && gtk_widget_get_parent(stop) != GTK_WIDGET(container))
            stop = gtk_widget_get_parent(stop);
        if (stop)
            stops.push_back(stop);
    }
    // The toolkit rebuilds the chain from its own list, in which the toolbar is no stop,
    // whenever its children change; put ours back after each of its turns.
    const auto apply = [container, stops] {
        G_GNUC_BEGIN_IGNORE_DEPRECATIONS
        GList* current = nullptr;
        bool same = gtk_container_get_focus_chain(container, &current) &&
                    g_list_length(current) == stops.size();
        GList* at = current;
        for (std::size_t i = 0; same && i < stops.size(); ++i, at = at->next)
            same = at->data == stops[i];
        g_list_free(current);
        if (same)
            return;
        GList* chain = nullptr;
        for (auto i = stops.rbegin(); i != stops.rend(); ++i)
            chain = g_list_prepend(chain, *i);
        gtk_container_set_focus_chain(container, chain);
        g_list_free(chain);
        G_GNUC_END_IGNORE_DEPRECATIONS
    };
    apply();
    panel->Bind(wxEVT_IDLE, [apply](wxIdleEvent& event) {
        event.Skip();
        apply();
    });
}

void keepCaptionsOffPictures(wxToolBar* bar)
{
    GtkToolbar* toolbar = bar->GTKGetToolbar();
    // Its height with captions, measured while it still has them.
    int withCaptions = 0;
    gtk_widget_get_preferred_height(GTK_WIDGET(toolbar), nullptr, &withCaptions);
    bar->Bind(wxEVT_SIZE, [toolbar, withCaptions](wxSizeEvent& event) {
        event.Skip();
        const GtkToolbarStyle style =
            event.GetSize().y >= withCaptions ? GTK_TOOLBAR_BOTH : GTK_TOOLBAR_ICONS;
        if (gtk_toolbar_get_style(toolbar) != style)
            gtk_toolbar_set_style(toolbar, style);
    });
}

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

void replaceList(wxComboBox* box, const std::vector<wxString>& items)
{
    // A new model filled off screen and put in at once: clearing and appending row by row
    // would have the drop-down redo its rows for each of thousands of entries. The
    // model's columns are the text and id ones of the box's own.
    GtkListStore* store = gtk_list_store_new(2, G_TYPE_STRING, G_TYPE_STRING);
    for (const wxString& item : items)
        gtk_list_store_insert_with_values(store, nullptr, -1, 0, static_cast<const char*>(item.utf8_str()), -1);
    box->GTKDisableEvents();
    gtk_combo_box_set_model(GTK_COMBO_BOX(box->GetHandle()), GTK_TREE_MODEL(store));
    box->GTKEnableEvents();
    g_object_unref(store);
}

namespace {

void onFolderChanged(GFileMonitor*, GFile*, GFile*, GFileMonitorEvent event, gpointer changed)
{
    switch (event) {
    case G_FILE_MONITOR_EVENT_CREATED:
    case G_FILE_MONITOR_EVENT_DELETED:
    case G_FILE_MONITOR_EVENT_MOVED:
    case G_FILE_MONITOR_EVENT_MOVED_IN:
    case G_FILE_MONITOR_EVENT_MOVED_OUT:
    case G_FILE_MONITOR_EVENT_RENAMED:
        (*static_cast<std::function<void()>*>(changed))();
        break;
    default: // content and attributes: the list shows names only
        break;
    }
}

void stopMonitor(void* monitor, std::function<void()>* changed)
{
    g_signal_handlers_disconnect_by_data(monitor, changed);
    g_file_monitor_cancel(G_FILE_MONITOR(monitor));
    g_object_unref(monitor);
}

} // namespace

FolderWatch::~FolderWatch()
{
    for (const auto& [path, monitor] : monitors_)
        stopMonitor(monitor, &changed_);
}

bool FolderWatch::watch(const std::vector<std::string>& folders)
{
    bool added = false;
    std::map<std::string, void*> kept;
    for (const std::string& folder : folders) {
        if (kept.count(folder))
            continue;
        if (const auto old = monitors_.find(folder); old != monitors_.end()) {
            kept.insert(*old);
            monitors_.erase(old);
            continue;
        }
        GFile* file = g_file_new_for_path(folder.c_str());
        GFileMonitor* monitor = g_file_monitor_directory(file, G_FILE_MONITOR_WATCH_MOVES, nullptr, nullptr);
        g_object_unref(file);
        if (!monitor)
            continue; // unwatched, the list still follows our own changes
        g_signal_connect(monitor, "changed", G_CALLBACK(onFolderChanged), &changed_);
        kept.emplace(folder, monitor);
        added = true;
    }
    for (const auto& [path, monitor] : monitors_)
        stopMonitor(monitor, &changed_);
    monitors_ = std::move(kept);
    return added;
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

void followTabOrder(wxWindow*, std::vector<wxWindow*>) {}

void keepCaptionsOffPictures(wxToolBar*) {}

void appendToList(wxComboBox* box, const wxString& item) { box->Append(item); }

void replaceList(wxComboBox* box, const std::vector<wxString>& items)
{
    const wxString text = box->GetValue();
    long from = 0, to = 0;
    box->GetSelection(&from, &to);
    box->Freeze();
    box->Set(wxArrayString(items.size(), items.data()));
    box->ChangeValue(text);
    box->SetSelection(from, to);
    box->Thaw();
}

// Without a native watch the list follows only the changes made here.
FolderWatch::~FolderWatch() = default;

bool FolderWatch::watch(const std::vector<std::string>&) { return false; }

#endif

} // namespace zemora
