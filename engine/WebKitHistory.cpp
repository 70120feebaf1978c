// History steps (see WebKitBrowser.h): one at a time to the engine, the clicks made
// meanwhile queued behind it, and the back and forward buttons told what they can do.
#include <cstring>
#include <memory>

#include <webkit2/webkit2.h>

#include "base/Failure.h"
#include "base/Texts.h"
#include "engine/WebKitBrowser.h"

namespace zemora {

// Where the user is on his way to, from the current entry: the step under way and the
// clicks queued behind it; 0 with none.
int WebKitBrowser::stepBase() const
{
    if (!stepping_)
        return 0;
    WebKitBackForwardList* list = webkit_web_view_get_back_forward_list(webView());
    if (webkit_back_forward_list_get_current_item(list) == stepping_)
        return queuedSteps_;
    for (int direction : {-1, 1})
        for (int offset = direction;
             WebKitBackForwardListItem* item = webkit_back_forward_list_get_nth_item(list, offset); offset += direction)
            if (item == stepping_)
                return offset + queuedSteps_;
    return 0; // gone from the list: a page of its own has replaced what followed
}

WebKitBackForwardListItem* WebKitBrowser::stepTarget(int direction) const
{
    WebKitBackForwardList* list = webkit_web_view_get_back_forward_list(webView());
    const int to = stepBase() + direction;
    WebKitBackForwardListItem* target = webkit_back_forward_list_get_nth_item(list, to);
    // The blank page the engine opened at creation is not a page of ours to go back to.
    if (target && target == creationItem_ && !webkit_back_forward_list_get_nth_item(list, to - 1))
        return nullptr;
    return target;
}

bool WebKitBrowser::canGoBack() const { return stepTarget(-1) != nullptr; }

void WebKitBrowser::step(int direction)
{
    if (!stepTarget(direction))
        throw Failure(direction < 0 ? kCannotGoBack : kCannotGoForward);
    WebKitWebView* web = webView();
    WebKitBackForwardList* list = webkit_web_view_get_back_forward_list(web);
    // A step the engine carried out without a load (within one page) has landed too.
    if (stepping_ && webkit_back_forward_list_get_current_item(list) == stepping_ && !webkit_web_view_is_loading(web))
        landStep();
    if (stepping_)
        queuedSteps_ += direction; // asked for once the step under way has landed
    else
        startStep(webkit_back_forward_list_get_nth_item(list, direction));
    reportCommandStates();
}

void WebKitBrowser::startStep(WebKitBackForwardListItem* target)
{
    WebKitWebView* web = webView();
    endStep();
    stepping_ = WEBKIT_BACK_FORWARD_LIST_ITEM(g_object_ref(target));
    if (WebKitBackForwardListItem* from =
            webkit_back_forward_list_get_current_item(webkit_web_view_get_back_forward_list(web)))
        steppedFrom_ = WEBKIT_BACK_FORWARD_LIST_ITEM(g_object_ref(from));
    // Held by the step itself, which may be taken again past a page that does not answer.
    std::shared_ptr<WebKitBackForwardListItem> item(WEBKIT_BACK_FORWARD_LIST_ITEM(g_object_ref(target)),
                                                    [](WebKitBackForwardListItem* i) { g_object_unref(i); });
    takeUserStep([web, item] { webkit_web_view_go_to_back_forward_list_item(web, item.get()); });
}

void WebKitBrowser::landStep()
{
    const int more = queuedSteps_;
    endStep();
    WebKitBackForwardList* list = webkit_web_view_get_back_forward_list(webView());
    if (WebKitBackForwardListItem* next = more ? webkit_back_forward_list_get_nth_item(list, more) : nullptr)
        startStep(next);
}

void WebKitBrowser::endStep()
{
    for (WebKitBackForwardListItem* item : {stepping_, steppedFrom_})
        if (item)
            g_object_unref(item);
    stepping_ = steppedFrom_ = nullptr;
    queuedSteps_ = 0;
    stepRetried_ = false;
}

void WebKitBrowser::followHistorySteps()
{
    g_signal_connect(webView(), "load-changed",
                     G_CALLBACK(+[](WebKitWebView* web, WebKitLoadEvent event, WebKitBrowser* self) {
                         if (!self->stepping_ || event != WEBKIT_LOAD_FINISHED || webkit_web_view_is_loading(web))
                             return;
                         WebKitBackForwardListItem* current =
                             webkit_back_forward_list_get_current_item(webkit_web_view_get_back_forward_list(web));
                         if (current == self->stepping_) {
                             self->landStep();
                         } else if (current == self->steppedFrom_ && !self->stepRetried_) {
                             // Back on the page the step left, with nothing else under way: the engine
                             // dropped the step.
                             self->stepRetried_ = true;
                             webkit_web_view_go_to_back_forward_list_item(web, self->stepping_);
                         } else {
                             self->endStep(); // something else took its place
                         }
                         self->reportCommandStates();
                     }),
                     this);
}

void WebKitBrowser::GoBack() { step(-1); }

void WebKitBrowser::GoForward() { step(1); }

void WebKitBrowser::reportCommandStates()
{
    if (!started_ || !CommandStateChange)
        return;
    CommandStateChange(CSC_NAVIGATEFORWARD, stepTarget(1) != nullptr);
    CommandStateChange(CSC_NAVIGATEBACK, canGoBack());
}

void WebKitBrowser::onHistoryChanged(void*, void* added, void*, WebKitBrowser* self)
{
    auto* item = static_cast<WebKitBackForwardListItem*>(added);
    if (item && !self->historySeen_) {
        self->historySeen_ = true;
        if (std::strcmp(webkit_back_forward_list_item_get_uri(item), kBlank) == 0)
            self->creationItem_ = item;
    }
    self->reportCommandStates();
}

} // namespace zemora
