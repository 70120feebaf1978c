#pragma once
// The window's one way of passing over failures: run a single statement and swallow
// whatever it throws. Callers wrap statement by statement, so a failure abandons only
// the statement it happened in.

namespace zemora {

template <class Statement> void skipError(Statement&& statement) noexcept
{
    try {
        statement();
    } catch (...) {
    }
}

} // namespace zemora
