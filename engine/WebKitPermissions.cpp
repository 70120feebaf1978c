// What a page asks to use (the location, notifications, the camera, the microphone): the
// user is asked, naming the site, and the answer holds for the site until the window
// closes. Anything else a page asks for the engine refuses, as it does by itself.
#include <webkit2/webkit2.h>

#include "base/Failure.h"
#include "base/Texts.h"
#include "browse/AddressCompletion.h"
#include "engine/WebKitBrowser.h"

namespace zemora {

namespace {

// What a request asks for, as the question names it; nullptr for what is not asked.
const BilingualText* questionFor(WebKitPermissionRequest* request)
{
    if (WEBKIT_IS_GEOLOCATION_PERMISSION_REQUEST(request))
        return &kAskLocation;
    if (WEBKIT_IS_NOTIFICATION_PERMISSION_REQUEST(request))
        return &kAskNotifications;
    if (WEBKIT_IS_USER_MEDIA_PERMISSION_REQUEST(request)) {
        auto* media = WEBKIT_USER_MEDIA_PERMISSION_REQUEST(request);
        const bool camera = webkit_user_media_permission_is_for_video_device(media);
        const bool microphone = webkit_user_media_permission_is_for_audio_device(media);
        return camera && microphone ? &kAskCameraAndMicrophone
               : camera             ? &kAskCamera
               : microphone         ? &kAskMicrophone
                                    : nullptr;
    }
    return nullptr;
}

void answer(WebKitPermissionRequest* request, bool allowed)
{
    if (allowed)
        webkit_permission_request_allow(request);
    else
        webkit_permission_request_deny(request);
}

} // namespace

gboolean WebKitBrowser::onPermissionRequest(WebKitWebView* view, WebKitPermissionRequest* request, WebKitBrowser* self)
{
    const BilingualText* question = questionFor(request);
    if (!question)
        return FALSE;
    const char* page = webkit_web_view_get_uri(view);
    const std::string site = hostOf(page ? page : "");
    const std::string key = site + '\n' + std::string(question->english);
    if (const auto known = self->permissions_.find(key); known != self->permissions_.end()) {
        answer(request, known->second);
        return TRUE;
    }
    // Asked once the engine's signal has returned; each question in its turn.
    self->permissionQuestions_.push_back(
        {WEBKIT_PERMISSION_REQUEST(g_object_ref(request)), key,
         bilingual(*question, {{"site", site.empty() ? std::string(kThisPage) : site}})});
    self->permissionAsk_.run([self] { self->askPermissions(); });
    return TRUE;
}

void WebKitBrowser::askPermissions()
{
    while (!permissionQuestions_.empty()) {
        PermissionQuestion question = permissionQuestions_.front();
        permissionQuestions_.pop_front();
        // Asked twice while waiting: the first answer holds.
        const auto known = permissions_.find(question.key);
        const bool allowed =
            known != permissions_.end() ? known->second : askPermission && askPermission(question.text);
        permissions_[question.key] = allowed;
        answer(question.request, allowed);
        g_object_unref(question.request);
    }
}

void WebKitBrowser::forgetPermissionQuestions()
{
    permissionAsk_.cancel();
    // Unanswered, a request is refused as it goes.
    for (const PermissionQuestion& question : permissionQuestions_)
        g_object_unref(question.request);
    permissionQuestions_.clear();
}

} // namespace zemora
