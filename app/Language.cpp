#include "app/Language.h"

#include "base/UserFolders.h"

#include <clocale>
#include <cstdlib>
#include <locale.h>
#include <string_view>

namespace zemora {

namespace {

constexpr char kMessagesLocale[] = "zh_CN.UTF-8";
constexpr char kLanguages[] = "zh_CN:zh";

bool localeExists(const char* name)
{
    const locale_t found = newlocale(LC_MESSAGES_MASK, name, static_cast<locale_t>(0));
    if (!found)
        return false;
    freelocale(found);
    return true;
}

} // namespace

void useChineseMessages()
{
    // LC_ALL would override the messages category too: spread it over the categories so
    // each keeps its value and LC_MESSAGES alone can change.
    if (const std::string all = environmentValue("LC_ALL"); !all.empty()) {
        for (const char* category :
             {"LC_CTYPE", "LC_NUMERIC", "LC_TIME", "LC_COLLATE", "LC_MONETARY", "LC_MESSAGES", "LC_PAPER", "LC_NAME",
              "LC_ADDRESS", "LC_TELEPHONE", "LC_MEASUREMENT", "LC_IDENTIFICATION"})
            setenv(category, all.c_str(), 1);
        unsetenv("LC_ALL");
    }
    setenv("LANGUAGE", kLanguages, 1);
    // Under the C locale gettext translates nothing, whatever LANGUAGE says.
    std::string current = environmentValue("LC_MESSAGES");
    if (current.empty())
        current = environmentValue("LANG");
    const bool untranslated = current.empty() || current == "C" || current == "POSIX" || current.starts_with("C.");
    if (untranslated && localeExists(kMessagesLocale))
        setenv("LC_MESSAGES", kMessagesLocale, 1);
    // Whoever set the locale already sees the change; otherwise the toolkit sets it.
    std::setlocale(LC_MESSAGES, "");
}

} // namespace zemora
