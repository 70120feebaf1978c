#include "engine/AfterSignal.h"

#include <utility>

#include <glib.h>

namespace zemora {

AfterSignal::~AfterSignal() { cancel(); }

void AfterSignal::run(std::function<void()> work)
{
    if (source_)
        return;
    work_ = std::move(work);
    source_ = g_idle_add_full(
        priority_ == Priority::Idle ? G_PRIORITY_DEFAULT_IDLE : G_PRIORITY_DEFAULT,
        +[](gpointer data) -> gboolean {
            auto* self = static_cast<AfterSignal*>(data);
            self->source_ = 0;
            // Taken out first: the work may put off more.
            const std::function<void()> work = std::move(self->work_);
            work();
            return G_SOURCE_REMOVE;
        },
        this, nullptr);
}

void AfterSignal::cancel()
{
    if (source_)
        g_source_remove(std::exchange(source_, 0));
    work_ = nullptr;
}

} // namespace zemora
