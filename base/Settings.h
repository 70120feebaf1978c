#pragma once
// Every constant of the program and every text it shows, in one place. Texts are UTF-8.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace zemora {

// A text shown in both languages, "中文 (English)" (see bilingual() in base/Failure.h).
struct BilingualText {
    std::string_view chinese;
    std::string_view english;
};

// ---- Addresses and timing ----

inline constexpr std::string_view kStartAddress = "http://www.baidu.com";
// Where the home button leads: a page built into the program, useful without a network.
inline constexpr std::string_view kHomeAddress = "zemora:home";
inline constexpr std::string_view kHomeScheme = "zemora";
// The one interval auto refresh runs at, in milliseconds.
inline constexpr int kRefreshInterval = 60000;
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

inline constexpr std::array<Portal, 6> kPortals{{
    {"baidu", "百度", "http://www.baidu.com"},
    {"MSN", "MSN", "http://www.msn.cn"},
    {"souhu", "搜狐", "http://www.sohu.com"},
    {"wangyi", "网易", "http://www.163.com"},
    {"xinlang", "新浪", "http://www.sina.com.cn"},
    {"yahoo", "Yahoo", "http://cn.yahoo.com"},
}};

// ---- Toolbar ----

struct ToolbarButtonText {
    std::string_view key;
    std::string_view caption;
};

// The twelve buttons in slot order; slot n (from 1) shows picture n of the image list.
inline constexpr std::array<ToolbarButtonText, 12> kToolbarButtons{{
    {"back", "Back"},
    {"home", "Home"},
    {"forward", "Forward"},
    {"refresh", "Refresh"},
    {"stop", "Stop"},
    {kPortals[0].key, kPortals[0].caption},
    {kPortals[1].key, kPortals[1].caption},
    {kPortals[2].key, kPortals[2].caption},
    {kPortals[3].key, kPortals[3].caption},
    {kPortals[4].key, kPortals[4].caption},
    {kPortals[5].key, kPortals[5].caption},
    {"add", "添加收藏"},
}};

// The slot (from 1) of the button with this key; 0 for none.
constexpr int slotOf(std::string_view key)
{
    for (std::size_t i = 0; i < kToolbarButtons.size(); ++i)
        if (kToolbarButtons[i].key == key)
            return static_cast<int>(i) + 1;
    return 0;
}

// ---- Keys ----

// The character code Enter (and keypad Enter) hands the address box's key handler.
inline constexpr std::int16_t kKeyEnter = 13;

// The window's keys, wherever the focus is. A command that is a toolbar key runs that
// button; the others are the window's own. Shift is not part of a key: "Ctrl+Plus" is
// Ctrl with "+", "=" or the keypad's "+".
struct KeyBinding {
    std::string_view keys;
    std::string_view command;
};

inline constexpr std::array<KeyBinding, 16> kKeyBindings{{
    {"F5", "refresh"},
    {"Ctrl+R", "refresh"},
    {"Alt+Left", "back"},
    {"Alt+Right", "forward"},
    {"Alt+Home", "home"},
    {"Esc", "stop"},
    {"Ctrl+L", "address"},
    {"Alt+D", "address"},
    {"F6", "address"},
    {"Ctrl+D", "add"},
    {"Ctrl+F", "find"},
    {"Ctrl+Plus", "zoom-in"},
    {"Ctrl+Minus", "zoom-out"},
    {"Ctrl+0", "zoom-reset"},
    {"Ctrl+W", "close"},
    {"Ctrl+Q", "close"},
}};

// ---- Page zoom ----

// The steps Ctrl+Plus and Ctrl+Minus (and Ctrl+wheel) walk through; 1 is the page's own size.
inline constexpr std::array<double, 13> kZoomLevels{
    {0.3, 0.5, 0.67, 0.8, 0.9, 1.0, 1.1, 1.25, 1.5, 1.75, 2.0, 2.5, 3.0}};

// ---- Window texts ----

inline constexpr std::string_view kCaption = "Zemora浏览器";
inline constexpr std::string_view kTitleSuffix = " - Zemora浏览器是真正无限制的浏览器！";
inline constexpr std::string_view kBanner = "Zemora浏览器：小巧、快速、安全，上网就用 Zemora！";
inline constexpr std::string_view kBannerAtStart = "please wait a minute";
inline constexpr std::string_view kAddressLabel = "Address:";
inline constexpr std::string_view kGoCaption = "GO...";
inline constexpr std::string_view kAutoRefreshCaption = "自动刷新";
inline constexpr std::string_view kFavoritesPrompt = "点击收藏夹，再请选择你要访问的网站";
inline constexpr std::string_view kNamePrompt = "请填写您想收藏的网站名称";    // Text1 at start
inline constexpr std::string_view kAddressPrompt = "请填写您想收藏的网址";      // Text2 at start
// Shown over the page while it loads.
inline constexpr std::string_view kLoadingSign = "正在加载…";

// ---- Limits ----

// Larger shortcut or INI files are refused: none of ours comes near it.
inline constexpr std::size_t kMaxSmallFileSize = 1024 * 1024;
// Deep enough for any folder tree people keep in the add-to-favorites dialog; a bound all
// the same, since a bind mount or a hostile layout could otherwise go on for ever.
inline constexpr int kMaxFolderDepth = 8;

// ---- Messages ----

inline constexpr BilingualText kRunTimeError{"运行时错误", "Run-time error"};
inline constexpr BilingualText kUnknownError{"未知错误", "Unknown error"};
inline constexpr BilingualText kNoPageToAdd{"还没有可以收藏的网页。",
                                            "There is no page to add to the favorites yet."};
inline constexpr BilingualText kNoFavoritesFolder{"无法确定收藏夹文件夹",
                                                  "The Favorites folder cannot be determined"};
inline constexpr BilingualText kNoBrowserControl{"无法创建网页浏览控件",
                                                 "Cannot create the web browser control"};
inline constexpr BilingualText kCannotGoBack{"无法后退：没有更早的页面",
                                             "Cannot go back: there is no earlier page"};
inline constexpr BilingualText kCannotGoForward{"无法前进：没有更晚的页面",
                                                "Cannot go forward: there is no later page"};
inline constexpr BilingualText kNoPageToRefresh{"没有可刷新的页面", "There is no page to refresh"};
// The runtime's own failures, as the window's controls and the layout raise them.
inline constexpr BilingualText kSubscriptOutOfRange{"下标越界", "Subscript out of range"};
inline constexpr BilingualText kOverflow{"溢出", "Overflow"};
inline constexpr BilingualText kDivisionByZero{"除数为零", "Division by zero"};
inline constexpr BilingualText kInvalidPropertyValue{"无效的属性值", "Invalid property value"};
inline constexpr BilingualText kPropertyNotSupported{"对象不支持该属性",
                                                     "Object doesn't support this property"};
inline constexpr BilingualText kInvalidCall{"无效的过程调用或参数",
                                            "Invalid procedure call or argument"};
inline constexpr BilingualText kLineBreakInIni{
    "节名、键名和值都不能包含换行", "a section name, key name or value cannot hold a line break"};

// ---- The add-to-favorites dialog ----

inline constexpr std::string_view kAddFavoriteTitle = "添加到收藏夹";
inline constexpr std::string_view kFavoritesRoot = "收藏夹";
inline constexpr std::string_view kNameLabel = "名称(&N):";
inline constexpr std::string_view kCreateInLabel = "创建位置(&I):";
inline constexpr std::string_view kNewFolderButton = "新建文件夹(&F)";
inline constexpr std::string_view kNewFolderTitle = "新建文件夹";
// A prompt: the toolkit would show a mnemonic's "&" as it stands.
inline constexpr std::string_view kFolderNamePrompt = "文件夹名称:";
inline constexpr std::string_view kOkButton = "确定";
inline constexpr std::string_view kCancelButton = "取消";
inline constexpr std::string_view kYesButton = "是(&Y)";
inline constexpr std::string_view kNoButton = "否(&N)";

// ---- The find dialog ----

inline constexpr std::string_view kFindTitle = "查找";
inline constexpr std::string_view kFindLabel = "查找内容(&N):";
inline constexpr std::string_view kFindNextButton = "下一个(&F)";
inline constexpr std::string_view kFindPreviousButton = "上一个(&B)";
inline constexpr std::string_view kMatchCaseLabel = "区分大小写(&C)";
inline constexpr std::string_view kCloseButton = "关闭";
// What the dialog says of its last search.
inline constexpr std::string_view kMatchesFound = "找到 %u 处";
inline constexpr BilingualText kNoMatches{"找不到该文字", "The text was not found"};

} // namespace zemora
