#pragma once
// Work put off until the engine's signal has returned: a question shown, an address
// opened. A signal handler must not run the main loop (a dialog would) nor start a load
// inside the engine's own call.
#include <functional>

namespace zemora {

class AfterSignal {
public:
    // When the main loop runs the work: once nothing else waits, or among its ordinary
    // events.
    enum class Priority { Idle, Default };
    explicit AfterSignal(Priority priority = Priority::Idle) : priority_(priority) {}
    ~AfterSignal();
    AfterSignal(const AfterSignal&) = delete;
    AfterSignal& operator=(const AfterSignal&) = delete;

    // Runs the work once, from the main loop. While work waits, more is not taken: what is
    // already waiting answers for it.
    void run(std::function<void()> work);
    bool waiting() const { return source_ != 0; }
    // Drops the work that waits, if any.
    void cancel();

private:
    Priority priority_;
    unsigned source_ = 0;
    std::function<void()> work_;
};

} // namespace zemora
