// The user's step (an address, home, back, forward, refresh) wins over the page: the
// page's dialog goes, and a page process that does not start the step is ended and the
// step taken again. A page that shows dialog after dialog can be silenced.
#include <cstring>
#include <utility>

#include <webkit2/webkit2.h>

#include "base/Limits.h"
#include "engine/WebKitBrowser.h"

namespace zemora {

namespace {

// The engine draws a page dialog as a child of the view; once answered from outside, the
// drawing has to go too.
void removeDialogWidgets(WebKitWebView* view)
{
    GList* children = nullptr;
    gtk_container_forall(
        GTK_CONTAINER(view),
        [](GtkWidget* child, gpointer list) {
            if (std::strstr(G_OBJECT_TYPE_NAME(child), "ScriptDialog"))
                *static_cast<GList**>(list) = g_list_prepend(*static_cast<GList**>(list), child);
        },
        &children);
    for (GList* c = children; c; c = c->next)
        gtk_widget_destroy(GTK_WIDGET(c->data));
    g_list_free(children);
}

} // namespace

gboolean WebKitBrowser::onScriptDialog(WebKitWebView*, WebKitScriptDialog* dialog, WebKitBrowser* self)
{
    // Answered at once, unseen (an alert closed, a confirm refused, a prompt without text):
    // while the user is leaving the page, and once they have silenced it.
    if (self->userStep_ || self->dialogsSilenced_)
        return TRUE;
    self->lastDialogAt_ = std::chrono::steady_clock::now();
    if (++self->dialogsInRow_ >= kDialogsBeforeOffer && self->askSilenceDialogs && self->askSilenceDialogs()) {
        self->dialogsSilenced_ = true;
        return TRUE;
    }
    self->forgetPageDialog();
    self->shownDialog_ = webkit_script_dialog_ref(dialog);
    return FALSE; // the engine shows it
}

void WebKitBrowser::takeUserStep(std::function<void()> step)
{
    dismissPageDialog();
    // The page the user goes to counts its dialogs afresh, even one they reload.
    dialogPage_.clear();
    // What the user opens may be a download; the page they leave has had its say.
    forgetPageDownloads();
    step();
    userStep_ = std::move(step);
    if (userStepWatch_)
        g_source_remove(userStepWatch_);
    userStepWatch_ = g_timeout_add(
        kUnansweredNavigationMs,
        +[](gpointer data) -> gboolean {
            auto* self = static_cast<WebKitBrowser*>(data);
            self->userStepWatch_ = 0;
            // The page's process never started the step: it is stuck (a script that never
            // ends, a dialog in a loop). It is ended and the step taken in a new one.
            const std::function<void()> step = std::move(self->userStep_);
            self->userStep_ = nullptr;
            webkit_web_view_terminate_web_process(self->webView());
            if (step)
                step();
            return G_SOURCE_REMOVE;
        },
        this);
}

void WebKitBrowser::endUserStep()
{
    userStep_ = nullptr;
    if (userStepWatch_)
        g_source_remove(std::exchange(userStepWatch_, 0));
}

void WebKitBrowser::dismissPageDialog()
{
    if (!shownDialog_)
        return;
    // Answers the page (an alert closed, a confirm refused), then takes the engine's
    // drawing of it away.
    webkit_script_dialog_close(shownDialog_);
    removeDialogWidgets(webView());
    forgetPageDialog();
}

void WebKitBrowser::forgetPageDialog()
{
    if (shownDialog_)
        webkit_script_dialog_unref(std::exchange(shownDialog_, nullptr));
}

} // namespace zemora
