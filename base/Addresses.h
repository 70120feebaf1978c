#pragma once
// The program's name and the addresses it knows: start, home, search, the portals.
#include <array>
#include <string_view>

namespace zemora {

// The program's name: the engine names the user's website data and cache folders after
// it, and so do we when preparing them, so both must read it from here.
inline constexpr std::string_view kProgramName = "zemora";

inline constexpr std::string_view kStartAddress = "http://www.baidu.com";
// Where the home button leads: a page built into the program, useful without a network.
inline constexpr std::string_view kHomeAddress = "zemora:home";
inline constexpr std::string_view kHomeScheme = "zemora";
// Typed text that cannot be an address is searched for with the start page's engine:
// this prefix and the text percent-encoded as UTF-8.
inline constexpr std::string_view kSearchPrefix = "https://www.baidu.com/s?wd=";
// An address handed over without a scheme is opened with this one.
inline constexpr std::string_view kDefaultScheme = "http://";

struct Portal {
    std::string_view key;     // the toolbar button's key
    std::string_view caption; // its caption, and the link text on the home page
    std::string_view address;
};

inline constexpr auto kPortals = std::to_array<Portal>({
    {"baidu", "百度", "http://www.baidu.com"},
    {"MSN", "MSN", "http://www.msn.cn"},
    {"souhu", "搜狐", "http://www.sohu.com"},
    {"wangyi", "网易", "http://www.163.com"},
    {"xinlang", "新浪", "http://www.sina.com.cn"},
    {"yahoo", "Yahoo", "http://cn.yahoo.com"},
});

} // namespace zemora
