#pragma once
// A failing statement throws Failure; the handler that runs it ends there and the
// failure reaches the one reporting place (Form1::runHandler), or is swallowed where the
// window skips errors (skipError).
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

#include "base/Texts.h"

namespace zemora {

// The one shape of a message for the user: "中文 (English)".
std::string bilingual(std::string_view chinese, std::string_view english);
inline std::string bilingual(const BilingualText& text) { return bilingual(text.chinese, text.english); }

// `pattern` with each "{key}" replaced by its value, e.g. fill("下载 {name}", {{"name", n}}).
std::string fill(std::string_view pattern, std::initializer_list<std::pair<std::string_view, std::string_view>> values);
// Both halves of a text filled in, then put together as bilingual() does.
std::string bilingual(const BilingualText& text,
                      std::initializer_list<std::pair<std::string_view, std::string_view>> values);

// what() is UTF-8 text for the user: Chinese first, the English beside it.
class Failure : public std::runtime_error {
public:
    Failure(std::string_view chinese, std::string_view english) : std::runtime_error(bilingual(chinese, english)) {}
    explicit Failure(const BilingualText& text) : Failure(text.chinese, text.english) {}
};

} // namespace zemora
