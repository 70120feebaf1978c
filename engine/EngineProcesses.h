#pragma once
// The engine's helper processes, as /proc tells of them.
#include <sys/types.h>

namespace zemora {

// Whether a process has not ended (a zombie has).
bool processAlive(pid_t pid);

// The engine's network process: a child of ours by the name the engine gives it; 0 for none.
pid_t engineNetworkProcess();

} // namespace zemora
