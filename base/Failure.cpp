#include "base/Failure.h"

namespace zemora {

std::string bilingual(std::string_view chinese, std::string_view english)
{
    std::string text;
    text.reserve(chinese.size() + english.size() + 3);
    return text.append(chinese).append(" (").append(english).append(")");
}

} // namespace zemora
