#pragma once
// A broken rule stops a fuzz run where it broke, with no library between.

inline void require(bool condition)
{
    if (!condition)
        __builtin_trap();
}
