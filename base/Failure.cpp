#include "base/Failure.h"
#include "base/Texts.h"

namespace zemora {

std::string bilingual(std::string_view chinese, std::string_view english)
{
    std::string text;
    text.reserve(chinese.size() + english.size() + 3);
    return text.append(chinese).append(" (").append(english).append(")");
}

std::string fill(std::string_view pattern, std::initializer_list<std::pair<std::string_view, std::string_view>> values)
{
    std::string out;
    while (!pattern.empty()) {
        const std::size_t open = pattern.find('{');
        const std::size_t close = open == std::string_view::npos ? open : pattern.find('}', open);
        if (close == std::string_view::npos)
            break;
        const std::string_view key = pattern.substr(open + 1, close - open - 1);
        out.append(pattern.substr(0, open));
        bool known = false;
        for (const auto& [name, value] : values)
            if (name == key) {
                out.append(value);
                known = true;
                break;
            }
        if (!known)
            out.append(pattern.substr(open, close - open + 1));
        pattern.remove_prefix(close + 1);
    }
    return out.append(pattern);
}

std::string bilingual(const BilingualText& text,
                      std::initializer_list<std::pair<std::string_view, std::string_view>> values)
{
    return bilingual(fill(text.chinese, values), fill(text.english, values));
}

} // namespace zemora
