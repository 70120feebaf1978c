#pragma once
// A failing statement throws Failure; the handler that runs it ends there and the
// failure reaches the one reporting place (Form1::runHandler), or is swallowed where the
// window skips errors (skipError).
#include <stdexcept>
#include <string>

namespace zemora {

// what() is UTF-8 text for the user: Chinese first, the English beside it.
class Failure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
    Failure(const std::string& chinese, const std::string& english)
        : std::runtime_error(chinese + " (" + english + ")") {}
};

} // namespace zemora
