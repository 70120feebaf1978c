#include "browse/ErrorPages.h"

namespace zemora {

const char* const kErrorPageTitle = "无法显示网页 (The page cannot be shown)";

namespace {

std::string page(const std::string& headingChinese, const std::string& headingEnglish,
                 const std::string& address, const std::vector<FailureReason>& reasons,
                 const std::string& adviceChinese, const std::string& adviceEnglish)
{
    std::string html =
        "<!DOCTYPE html>\n<html lang=\"zh-CN\"><head><meta charset=\"utf-8\"><title>" +
        std::string(kErrorPageTitle) +
        "</title>\n<style>body { font-family: sans-serif; margin: 2em auto; max-width: 40em;"
        " color: #333; } h1 { color: #a51d2d; font-size: 1.4em; } .address { font-family:"
        " monospace; word-break: break-all; background: #f4f4f4; padding: .3em; }"
        " .en { color: #666; }</style></head>\n<body>\n<h1>" +
        htmlEscaped(headingChinese) + "<br><span class=\"en\">" + htmlEscaped(headingEnglish) +
        "</span></h1>\n<p>网址 (Address):</p>\n<p class=\"address\">" + htmlEscaped(address) +
        "</p>\n<p>原因 (Reason):</p>\n<ul>\n";
    for (const FailureReason& reason : reasons)
        html += "<li>" + htmlEscaped(reason.chinese) + " <span class=\"en\">(" +
                htmlEscaped(reason.english) + ")</span></li>\n";
    html += "</ul>\n<p>" + htmlEscaped(adviceChinese) + "<br><span class=\"en\">" +
            htmlEscaped(adviceEnglish) + "</span></p>\n</body></html>\n";
    return html;
}

} // namespace

std::string htmlEscaped(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&#39;"; break;
        default: out += c;
        }
    }
    return out;
}

std::vector<FailureReason> certificateReasons(unsigned flags)
{
    struct Row {
        unsigned flag;
        FailureReason reason;
    };
    static const Row rows[] = {
        {kCertUnknownCa, {"证书不是由受信任的机构签发的", "the certificate is not signed by a trusted authority"}},
        {kCertBadIdentity, {"证书不属于这个网站", "the certificate does not belong to this site"}},
        {kCertNotActivated, {"证书尚未生效", "the certificate is not valid yet"}},
        {kCertExpired, {"证书已过期", "the certificate has expired"}},
        {kCertRevoked, {"证书已被吊销", "the certificate has been revoked"}},
        {kCertInsecure, {"证书使用的算法不安全", "the certificate uses an insecure algorithm"}},
        {kCertGenericError, {"证书有误", "the certificate is faulty"}},
    };
    std::vector<FailureReason> reasons;
    for (const Row& row : rows)
        if (flags & row.flag)
            reasons.push_back(row.reason);
    if (reasons.empty())
        reasons.push_back({"证书不受信任", "the certificate is not trusted"});
    return reasons;
}

std::string loadFailedPage(const std::string& address, const FailureReason& reason)
{
    return page("无法打开这个网页", "This page could not be opened", address, {reason},
                "请检查网址和网络连接，然后点击“刷新”再试。",
                "Check the address and the network connection, then press Refresh to try again.");
}

std::string certificatePage(const std::string& address, unsigned flags)
{
    return page("这个网站的连接不安全，已停止打开", "The connection to this site is not secure; the page was not opened",
                address, certificateReasons(flags),
                "别人可能在冒充这个网站，窃取您发送的信息。Zemora浏览器不会打开它。",
                "Someone may be impersonating the site to steal what you send. Zemora will not open it.");
}

std::string processEndedPage(const std::string& address, bool outOfMemory)
{
    const FailureReason reason = outOfMemory
        ? FailureReason{"网页用完了可用的内存", "the page ran out of memory"}
        : FailureReason{"显示网页的进程意外结束了", "the process showing the page ended unexpectedly"};
    return page("网页已停止运行", "The page stopped working", address, {reason},
                "点击“刷新”重新打开这个网页。", "Press Refresh to open the page again.");
}

} // namespace zemora
