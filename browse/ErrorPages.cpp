#include "browse/ErrorPages.h"

#include "base/Failure.h"
#include "base/Texts.h"
#include "browse/AddressCompletion.h"

namespace zemora {

namespace {

std::string text(std::string_view utf8) { return std::string(utf8); }

std::string page(const BilingualText& heading, const std::string& address, const std::vector<FailureReason>& reasons,
                 const BilingualText& advice)
{
    // Headings, so a screen reader can jump from the heading to the address and the reason.
    const auto subheading = [](const BilingualText& label) {
        return "<h2>" + htmlEscaped(text(label.chinese)) + " " + inEnglish("(" + text(label.english) + ")") + "</h2>\n";
    };
    std::string html = "<!DOCTYPE html>\n<html lang=\"zh-CN\"><head><meta charset=\"utf-8\"><title>"
                       + std::string(kErrorPageTitle)
                       + "</title>\n<style>body { font-family: sans-serif; margin: 2em auto; max-width: 40em;"
                         " color: #333; } h1 { color: #a51d2d; font-size: 1.4em; } h2 { font-size: 1em;"
                         " font-weight: normal; margin: 1em 0; } .address { font-family:"
                         " monospace; word-break: break-all; background: #f4f4f4; padding: .3em; }"
                         " .en { color: #666; }</style></head>\n<body>\n<h1>"
                       + htmlEscaped(text(heading.chinese)) + "<br>" + inEnglish(heading.english) + "</h1>\n"
                       + subheading(kPageAddressLabel) + "<p class=\"address\">" + htmlEscaped(address) + "</p>\n"
                       + subheading(kPageReasonLabel) + "<ul>\n";
    for (const FailureReason& reason : reasons)
        html += "<li>" + htmlEscaped(reason.chinese) + " " + inEnglish("(" + reason.english + ")") + "</li>\n";
    html += "</ul>\n<p>" + htmlEscaped(text(advice.chinese)) + "<br>" + inEnglish(advice.english)
            + "</p>\n</body></html>\n";
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

std::string inEnglish(std::string_view english)
{
    return "<span class=\"en\" lang=\"en\">" + htmlEscaped(text(english)) + "</span>";
}

std::vector<FailureReason> certificateReasons(unsigned flags)
{
    struct Row {
        unsigned flag;
        FailureReason reason;
    };
    static const Row rows[] = {
        {kCertUnknownCa, failureReason(kCertificateUnknownCa)},
        {kCertBadIdentity, failureReason(kCertificateBadIdentity)},
        {kCertNotActivated, failureReason(kCertificateNotActivated)},
        {kCertExpired, failureReason(kCertificateExpired)},
        {kCertRevoked, failureReason(kCertificateRevoked)},
        {kCertInsecure, failureReason(kCertificateInsecure)},
        {kCertGenericError, failureReason(kCertificateFaulty)},
    };
    std::vector<FailureReason> reasons;
    for (const Row& row : rows)
        if (flags & row.flag)
            reasons.push_back(row.reason);
    if (reasons.empty())
        reasons.push_back(failureReason(kCertificateUntrusted));
    return reasons;
}

std::string loadFailedPage(const std::string& address, const FailureReason& reason, const std::string& searchFor)
{
    std::string html = page(kLoadFailedHeading, address, {reason}, kLoadFailedAdvice);
    if (searchFor.empty())
        return html;
    const std::string offer = "<p><a href=\"" + htmlEscaped(searchAddress(searchFor)) + "\">"
                              + htmlEscaped(fill(kSearchInstead.chinese, {{"text", searchFor}})) + "</a> "
                              + inEnglish("(" + fill(kSearchInstead.english, {{"text", searchFor}}) + ")") + "</p>\n";
    html.insert(html.rfind("</body>"), offer);
    return html;
}

std::string certificatePage(const std::string& address, unsigned flags)
{
    return page(kInsecureHeading, address, certificateReasons(flags), kInsecureAdvice);
}

std::string processEndedPage(const std::string& address, bool outOfMemory)
{
    return page(kPageEndedHeading, address, {failureReason(outOfMemory ? kPageOutOfMemory : kPageProcessEnded)},
                kPageEndedAdvice);
}

FailureReason failureReason(const BilingualText& reason, const std::string& detail)
{
    std::string english(reason.english);
    if (!detail.empty())
        english += ": " + detail;
    return {std::string(reason.chinese), english};
}

} // namespace zemora
