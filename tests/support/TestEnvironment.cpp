#include "tests/support/TestEnvironment.h"

#include <cstdlib>

namespace zemora::test {

namespace {
std::filesystem::path home;
}

std::filesystem::path isolateUserDirs()
{
    // A test that starts the program again in a process of its own hands it its home.
    if (const char* given = std::getenv("ZEMORA_TEST_HOME"); given && *given) {
        home = given;
        ::setenv("HOME", given, 1);
        ::setenv("MESA_SHADER_CACHE_DISABLE", "true", 1);
        return home;
    }
    char pattern[] = "/tmp/zemora-test-XXXXXX";
    home = ::mkdtemp(pattern);
    for (const auto& [name, sub] : {std::pair{"XDG_CONFIG_HOME", ".config"}, std::pair{"XDG_CACHE_HOME", ".cache"},
                                    std::pair{"XDG_DATA_HOME", ".local/share"}}) {
        std::filesystem::create_directories(home / sub);
        ::setenv(name, (home / sub).c_str(), 1);
    }
    ::setenv("HOME", home.c_str(), 1);
    ::setenv("MESA_SHADER_CACHE_DISABLE", "true", 1);
    std::atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(home, ignored);
    });
    return home;
}

std::filesystem::path testHome() { return home; }

} // namespace zemora::test
