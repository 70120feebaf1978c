#pragma once
// The user's folders as the environment gives them, for every floor that needs one.
#include <string>

namespace zemora {

// An environment variable's value; empty when unset.
std::string environmentValue(const char* name);

// The path without the slashes at its end; "/" stays "/".
std::string withoutTrailingSlashes(std::string path);

// HOME when it is an absolute path, else the user's entry in the password database,
// else "/".
std::string homeFolder();

} // namespace zemora
