#pragma once
// Every text the program shows or says, in Chinese and English (UTF-8), and the reasons
// it gives for what went wrong.
#include <cerrno>
#include <string_view>

namespace zemora {

// A text shown in both languages, "中文 (English)" (see bilingual() in base/Failure.h).
struct BilingualText {
    std::string_view chinese;
    std::string_view english;
};

// ---- Window texts ----

inline constexpr std::string_view kCaption = "Zemora浏览器";
inline constexpr std::string_view kTitleSuffix = " - Zemora浏览器是真正无限制的浏览器！";
inline constexpr std::string_view kBanner = "Zemora浏览器：小巧、快速、安全，上网就用 Zemora！";
inline constexpr std::string_view kBannerAtStart = "please wait a minute";
inline constexpr std::string_view kAddressLabel = "Address:";
inline constexpr std::string_view kGoCaption = "GO...";
inline constexpr std::string_view kAutoRefreshCaption = "自动刷新";
inline constexpr std::string_view kFavoritesPrompt = "点击收藏夹，再请选择你要访问的网站";
inline constexpr std::string_view kNamePrompt = "请填写您想收藏的网站名称"; // Text1 at start
inline constexpr std::string_view kAddressPrompt = "请填写您想收藏的网址";  // Text2 at start
// Shown over the page while it loads.
inline constexpr std::string_view kLoadingSign = "正在加载…";

// ---- What a screen reader says of the window; never shown ----

// The favorites drop-down's name; its prompt (kFavoritesPrompt) is its description.
inline constexpr std::string_view kFavoritesListName = "收藏夹列表";
// The page's area, around the page itself.
inline constexpr std::string_view kPageAreaName = "网页";
// Said as a page starts loading (kLoadingSign) and as it stops, loaded or not.
inline constexpr std::string_view kLoadingEnded = "加载结束";

// ---- Messages ----

inline constexpr BilingualText kRunTimeError{"运行时错误", "Run-time error"};
inline constexpr BilingualText kUnknownError{"未知错误", "Unknown error"};
inline constexpr BilingualText kNoPageToAdd{"还没有可以收藏的网页。", "There is no page to add to the favorites yet."};
inline constexpr BilingualText kScriptNotAdded{"这个网页的网址是一段脚本，不能收藏。",
                                               "The page's address is a script and cannot be added to the favorites."};
inline constexpr BilingualText kNoFavoritesFolder{"无法确定收藏夹文件夹", "The Favorites folder cannot be determined"};
inline constexpr BilingualText kNoBrowserControl{"无法创建网页浏览控件", "Cannot create the web browser control"};
inline constexpr BilingualText kCannotGoBack{"无法后退：没有更早的页面", "Cannot go back: there is no earlier page"};
inline constexpr BilingualText kCannotGoForward{"无法前进：没有更晚的页面",
                                                "Cannot go forward: there is no later page"};
inline constexpr BilingualText kNoPageToRefresh{"没有可刷新的页面", "There is no page to refresh"};
// The runtime's own failures, as the window's controls and the layout raise them.
inline constexpr BilingualText kSubscriptOutOfRange{"下标越界", "Subscript out of range"};
inline constexpr BilingualText kOverflow{"溢出", "Overflow"};
inline constexpr BilingualText kDivisionByZero{"除数为零", "Division by zero"};
inline constexpr BilingualText kInvalidPropertyValue{"无效的属性值", "Invalid property value"};
inline constexpr BilingualText kPropertyNotSupported{"对象不支持该属性", "Object doesn't support this property"};
inline constexpr BilingualText kInvalidCall{"无效的过程调用或参数", "Invalid procedure call or argument"};
inline constexpr BilingualText kLineBreakInIni{"节名、键名和值都不能包含换行",
                                               "a section name, key name or value cannot hold a line break"};

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
// What the dialog says of its last search: the match shown, of how many in the page.
inline constexpr std::string_view kMatchPosition = "第 %u 处，共 %u 处";
inline constexpr BilingualText kNoMatches{"找不到该文字", "The text was not found"};

// ---- The home page ----

inline constexpr std::string_view kHomePageTitle = "Zemora浏览器主页";
inline constexpr BilingualText kHomeWelcome{"欢迎使用 Zemora浏览器", "Welcome"};
inline constexpr BilingualText kHomeHowTo{
    "在地址栏输入网址或网站名称，按回车或点击 “GO...” 即可打开。",
    "Type an address or a site name in the address box and press Enter or “GO...”."};
inline constexpr BilingualText kHomePortalsHeading{"常用网站", "Web sites"};
inline constexpr BilingualText kHomeFavoritesHeading{"收藏夹", "Favorites"};
inline constexpr BilingualText kHomeFavorites{"收藏夹中的网站可从地址栏右侧的下拉列表打开。",
                                              "Favorites open from the drop-down list."};

// ---- Pages of our own: a load that failed, an untrusted certificate, a page that ended ----

inline constexpr std::string_view kErrorPageTitle = "无法显示网页 (The page cannot be shown)";
inline constexpr BilingualText kPageAddressLabel{"网址", "Address"};
inline constexpr BilingualText kPageReasonLabel{"原因", "Reason"};
inline constexpr BilingualText kLoadFailedHeading{"无法打开这个网页", "This page could not be opened"};
// Offered on the page of a site name the address box made of a word: {text} is the word.
inline constexpr BilingualText kSearchInstead{"搜索“{text}”", "Search for “{text}”"};
inline constexpr BilingualText kLoadFailedAdvice{
    "请检查网址和网络连接，然后点击“刷新”再试。",
    "Check the address and the network connection, then press Refresh to try again."};
inline constexpr BilingualText kInsecureHeading{"这个网站的连接不安全，已停止打开",
                                                "The connection to this site is not secure; the page was not opened"};
inline constexpr BilingualText kInsecureAdvice{
    "别人可能在冒充这个网站，窃取您发送的信息。Zemora浏览器不会打开它。",
    "Someone may be impersonating the site to steal what you send. Zemora will not open it."};
inline constexpr BilingualText kPageEndedHeading{"网页已停止运行", "The page stopped working"};
inline constexpr BilingualText kPageEndedAdvice{"点击“刷新”重新打开这个网页。",
                                                "Press Refresh to open the page again."};
inline constexpr BilingualText kPageOutOfMemory{"网页用完了可用的内存", "the page ran out of memory"};
inline constexpr BilingualText kPageProcessEnded{"显示网页的进程意外结束了",
                                                 "the process showing the page ended unexpectedly"};
// Why a load failed; the engine's own wording follows the English.
inline constexpr BilingualText kServerUnknown{"找不到服务器", "the server's name is unknown"};
inline constexpr BilingualText kConnectionRefused{"服务器拒绝了连接", "the server refused the connection"};
inline constexpr BilingualText kConnectionTimedOut{"连接超时", "the connection timed out"};
inline constexpr BilingualText kServerUnreachable{"无法连接到服务器", "the server cannot be reached"};
inline constexpr BilingualText kLoadFailed{"网页加载失败", "the page failed to load"};
// What is wrong with a server's certificate.
inline constexpr BilingualText kCertificateUnknownCa{"证书不是由受信任的机构签发的",
                                                     "the certificate is not signed by a trusted authority"};
inline constexpr BilingualText kCertificateBadIdentity{"证书不属于这个网站",
                                                       "the certificate does not belong to this site"};
inline constexpr BilingualText kCertificateNotActivated{"证书尚未生效", "the certificate is not valid yet"};
inline constexpr BilingualText kCertificateExpired{"证书已过期", "the certificate has expired"};
inline constexpr BilingualText kCertificateRevoked{"证书已被吊销", "the certificate has been revoked"};
inline constexpr BilingualText kCertificateInsecure{"证书使用的算法不安全",
                                                    "the certificate uses an insecure algorithm"};
inline constexpr BilingualText kCertificateFaulty{"证书有误", "the certificate is faulty"};
inline constexpr BilingualText kCertificateUntrusted{"证书不受信任", "the certificate is not trusted"};
// The page's context menu item that opens a link in this one window.
inline constexpr BilingualText kOpenLinkHere{"在此窗口打开链接", "Open Link Here"};
// An address for another program (mailto:, tel:...): asked before it goes there, or told
// there is none.
inline constexpr BilingualText kOpenElsewhere{"要用 {program} 打开此链接吗？", "Open this link with {program}?"};
inline constexpr BilingualText kNoProgramForLink{"没有可以打开 {scheme}: 链接的程序",
                                                 "No program on this computer opens such links"};
inline constexpr BilingualText kProgramFailed{"无法用 {program} 打开此链接",
                                              "The program could not open the link: {reason}"};
// What a page asks to use; {site} is its host.
inline constexpr BilingualText kAskLocation{"{site} 想要使用你的位置。", "{site} wants to use your location."};
inline constexpr BilingualText kAskNotifications{"{site} 想要向你发送通知。", "{site} wants to show notifications."};
inline constexpr BilingualText kAskCamera{"{site} 想要使用你的摄像头。", "{site} wants to use your camera."};
inline constexpr BilingualText kAskMicrophone{"{site} 想要使用你的麦克风。", "{site} wants to use your microphone."};
inline constexpr BilingualText kAskCameraAndMicrophone{"{site} 想要使用你的摄像头和麦克风。",
                                                       "{site} wants to use your camera and microphone."};
// A page without a site of its own (a local file).
inline constexpr std::string_view kThisPage = "此网页";
// The page's context menu item that prints it.
inline constexpr BilingualText kPrintPage{"打印", "Print"};
// A page asked for an address it may not open (a script, an inline document, a local file).
inline constexpr BilingualText kPageRequestRefused{"已阻止网页打开 {address}", "The page may not open this address"};
inline constexpr BilingualText kSilenceDialogs{"此网页接连显示对话框。是否阻止此网页再显示对话框？",
                                               "This page keeps showing dialogs. Stop this page from showing more?"};

// Said on start when run by the administrator.
inline constexpr BilingualText kRunningAsRoot{
    "正在以 root 身份运行：网页的沙盒保护较弱，请以普通用户身份运行",
    "Running as root: the web sandbox protects less; run as an ordinary user"};

// ---- Downloads, told in the banner line; {name}, {folder}, ... are filled in ----

inline constexpr std::string_view kDefaultDownloadName = "下载";
inline constexpr BilingualText kDownloadStarted{"正在下载 {name}", "Downloading"};
inline constexpr BilingualText kDownloadPercent{"正在下载 {name}：{percent}%", "Downloading: {received} of {total}"};
inline constexpr BilingualText kDownloadAmount{"正在下载 {name}：{received}", "Downloading"};
inline constexpr BilingualText kDownloadSaved{"已下载 {name}，保存在 {folder}", "Download saved in the folder"};
inline constexpr BilingualText kDownloadCancelled{"已取消下载 {name}", "Download cancelled"};
inline constexpr BilingualText kDownloadFailed{"下载 {name} 失败，未保存任何文件",
                                               "Download failed, nothing was saved: {reason}"};
inline constexpr BilingualText kDownloadCut{"下载 {name} 失败：连接中断，未保存任何文件",
                                            "Download failed, the connection was cut; nothing was saved"};
inline constexpr BilingualText kDownloadNotNamed{"无法保存 {name}，未保存任何文件",
                                                 "Cannot save the download, nothing was saved: {reason}"};
inline constexpr BilingualText kNoDownloadFolder{"无法创建下载文件夹 {folder}", "Cannot create the download folder"};
inline constexpr BilingualText kCannotDownload{"无法下载 {address}", "Cannot download this address"};
inline constexpr BilingualText kDownloadLost{
    "下载 {name} 失败：下载进程已停止，未保存任何文件",
    "Download failed, the engine's network process stopped; nothing was saved"};
inline constexpr std::string_view kSomeFile = "文件";
// Why a download failed, as the downloads list says it.
inline constexpr BilingualText kConnectionCut{"连接中断", "the connection was cut"};
inline constexpr BilingualText kNetworkProcessStopped{"下载进程已停止", "the engine's network process stopped"};
// A download nobody asked for, and one more than the user allowed.
inline constexpr BilingualText kDownloadRefused{"已阻止 {site} 在您没有点击时下载文件",
                                                "A download from another site that nobody asked for was blocked"};
inline constexpr BilingualText kDownloadBlocked{"已阻止此网页再下载 {name}",
                                                "More downloads from this page are blocked"};
inline constexpr BilingualText kMoreDownloadsQuestion{"此网页想下载多个文件。是否允许？",
                                                      "This page wants to download several files. Allow?"};
inline constexpr BilingualText kAllowButton{"允许", "Allow"};
inline constexpr BilingualText kBlockButton{"阻止", "Block"};
// The states the downloads list shows.
inline constexpr BilingualText kDownloadStateWaiting{"等待您的回答", "waiting for your answer"};
inline constexpr BilingualText kDownloadStateRunning{"正在下载", "downloading"};
inline constexpr BilingualText kDownloadStateSaved{"已保存", "saved"};
inline constexpr BilingualText kDownloadStateFailed{"失败", "failed"};
inline constexpr BilingualText kDownloadStateCancelled{"已取消", "cancelled"};
inline constexpr BilingualText kDownloadStateRefused{"已阻止", "blocked"};
// The downloads list.
inline constexpr BilingualText kDownloadsTitle{"下载", "Downloads"};
inline constexpr BilingualText kDownloadNameColumn{"名称", "Name"};
inline constexpr BilingualText kDownloadSizeColumn{"大小", "Size"};
inline constexpr BilingualText kDownloadSpeedColumn{"速度", "Speed"};
inline constexpr BilingualText kDownloadStateColumn{"状态", "State"};
inline constexpr BilingualText kCancelDownloadButton{"取消下载(&C)", "Cancel"};
inline constexpr BilingualText kOpenDownloadButton{"打开(&O)", "Open"};
inline constexpr BilingualText kShowDownloadButton{"打开所在文件夹(&S)", "Show in Folder"};
inline constexpr BilingualText kCloseDownloadsButton{"关闭", "Close"};
// Asked when the window closes while downloads run; {n} is how many.
inline constexpr BilingualText kCloseWithDownloads{"有 {n} 个下载正在进行。仍要关闭吗？",
                                                   "Downloads are running; closing stops them. Close anyway?"};

// ---- Website data: what the banner says once when cookies cannot be kept; {file} is the store ----

inline constexpr BilingualText kCookieStorePutAside{
    "保存的登录信息已损坏，已将其移到 {file}，并新建了 Cookie 文件",
    "The saved logins were damaged and were put aside; a new cookie file was made"};
inline constexpr BilingualText kCookieStoreCorrupt{
    "Cookie 文件 {file} 已损坏，本次登录信息只保存在内存中，关闭后不会保留",
    "The cookie file is damaged; cookies are kept in memory only and end with the window"};
inline constexpr BilingualText kCookieStoreUnwritable{
    "无法写入 Cookie 文件 {file}，本次登录信息只保存在内存中，关闭后不会保留",
    "The cookie file cannot be written; cookies are kept in memory only and end with the window"};

// ---- Files, as messages name them and what went wrong with them ----

// Kinds of file: "收藏“新闻.url”" (favorite "新闻.url").
inline constexpr BilingualText kFavoriteKind{"收藏", "favorite"};
inline constexpr BilingualText kFileKind{"文件", "file"};
inline constexpr BilingualText kFolderKind{"文件夹", "folder"};
inline constexpr BilingualText kFavoritesFolderKind{"收藏夹", "Favorites folder"};
// What could not be done to it.
inline constexpr BilingualText kCannotOpen{"无法打开", "cannot open"};
inline constexpr BilingualText kCannotRead{"无法读取", "cannot read"};
inline constexpr BilingualText kCannotWrite{"无法写入", "cannot write"};
inline constexpr BilingualText kCannotCreate{"无法创建", "cannot create"};
inline constexpr BilingualText kCannotList{"无法列出", "cannot list"};
// {file} is the file as its label names it.
inline constexpr BilingualText kFileTooLarge{"{file}大于 1 MiB", "{file} is larger than 1 MiB"};
inline constexpr BilingualText kNotARegularFile{"{file}不是普通文件", "{file} is not a regular file"};
inline constexpr BilingualText kNoAddressInFavorite{"{file}中没有网址", "{file} holds no address"};
inline constexpr BilingualText kFavoriteIsAFolder{
    "{file}是一个文件夹，不能用作收藏，请换一个名称。",
    "{file} is a folder and cannot hold a favorite; please choose another name."};
inline constexpr BilingualText kReplaceFavorite{"{file}已存在。要替换它吗？", "{file} already exists. Replace it?"};
inline constexpr BilingualText kNameTooLong{
    "名称太长：收藏的文件名最多 {max} 字节，请缩短名称。",
    "the name is too long: a favorite's file name holds at most {max} bytes; please shorten it."};
inline constexpr BilingualText kPathTooLong{
    "路径太长：收藏的完整路径最多 {max} 字节，请缩短名称或选择较浅的文件夹。",
    "the path is too long: a favorite's full path holds at most {max} bytes; please shorten the name or"
    " choose a folder nearer the top."};

// Our own Chinese for the reasons users meet (the system's English is given beside it).
struct ErrorReason {
    int error;
    std::string_view chinese;
};
inline constexpr ErrorReason kErrorReasons[] = {
    {ENOENT, "文件或文件夹不存在"},
    {EACCES, "没有权限"},
    {EPERM, "没有权限"},
    {EROFS, "文件系统是只读的"},
    {ENOSPC, "磁盘空间不足"},
    {EDQUOT, "超出磁盘配额"},
    {ENOTDIR, "路径中有一项不是文件夹"},
    {EISDIR, "这是一个文件夹"},
    {ENAMETOOLONG, "名称太长"},
    {EIO, "输入输出错误"},
};

} // namespace zemora
