#include "base/Texts.h"
#include "browse/AddressCompletion.h"
#include "browse/ErrorPages.h"

#include <gtest/gtest.h>

namespace zemora {
namespace {

std::size_t count(const std::string& html, const std::string& part)
{
    std::size_t n = 0;
    for (std::size_t at = html.find(part); at != std::string::npos; at = html.find(part, at + 1))
        ++n;
    return n;
}

// Whether this English text stands in an element marked as English, as it is shown.
bool markedEnglish(const std::string& html, std::string_view english)
{
    return html.find("lang=\"en\">" + std::string(english) + "</span>") != std::string::npos
           || html.find("lang=\"en\">(" + std::string(english) + ")</span>") != std::string::npos;
}

TEST(ErrorPages, AddressAndReasonAreEscaped)
{
    const std::string address = "http://h/<script>alert(\"x\")</script>?a=1&b='2'";
    const std::string html = loadFailedPage(address, {"原因<b>", "why & <i>"});
    EXPECT_EQ(html.find("<script>"), std::string::npos);
    EXPECT_EQ(html.find("<b>"), std::string::npos);
    EXPECT_NE(html.find("http://h/&lt;script&gt;alert(&quot;x&quot;)&lt;/script&gt;?a=1&amp;b=&#39;2&#39;"),
              std::string::npos);
    EXPECT_NE(html.find("why &amp; &lt;i&gt;"), std::string::npos);
    EXPECT_NE(html.find("无法打开这个网页"), std::string::npos);
    EXPECT_NE(html.find("could not be opened"), std::string::npos);
}

TEST(ErrorPages, AWordTakenForASiteIsOfferedAsASearch)
{
    const std::string html = loadFailedPage("http://www.天气.com/", failureReason(kServerUnknown), "天气");
    EXPECT_NE(html.find("<a href=\"" + htmlEscaped(searchAddress("天气")) + "\">搜索“天气”</a>"), std::string::npos)
        << html;
    EXPECT_TRUE(markedEnglish(html, "Search for “天气”"));
    EXPECT_EQ(loadFailedPage("http://h/", failureReason(kServerUnknown)).find("<a "), std::string::npos)
        << "no offer without a word";
    // The word is the user's text: escaped like the rest.
    EXPECT_EQ(loadFailedPage("http://h/", failureReason(kServerUnknown), "<b>").find("<b>"), std::string::npos);
}

TEST(ErrorPages, CertificatePageNamesEachProblem)
{
    const std::string html = certificatePage("https://h/", kCertUnknownCa | kCertExpired | kCertBadIdentity);
    for (const char* text : {"受信任的机构", "not signed by a trusted authority", "已过期", "has expired",
                             "不属于这个网站", "does not belong"})
        EXPECT_NE(html.find(text), std::string::npos) << text;
    EXPECT_EQ(html.find("revoked"), std::string::npos);

    EXPECT_EQ(certificateReasons(kCertRevoked | kCertInsecure | kCertNotActivated | kCertGenericError).size(), 4u);
    EXPECT_EQ(certificateReasons(0).size(), 1u) << "an untrusted certificate without a known cause";
}

TEST(ErrorPages, ProcessEndedPageTellsOutOfMemoryApart)
{
    EXPECT_NE(processEndedPage("http://h/", true).find("out of memory"), std::string::npos);
    EXPECT_EQ(processEndedPage("http://h/", false).find("out of memory"), std::string::npos);
    EXPECT_NE(processEndedPage("http://h/", false).find("网页已停止运行"), std::string::npos);
}

// A screen reader speaks each language in its own voice and jumps between the headings.
TEST(ErrorPages, ChineseAndEnglishAreMarkedAndEachPartHasAHeading)
{
    const std::vector<std::pair<std::string, std::vector<BilingualText>>> pages = {
        {loadFailedPage("http://h/", failureReason(kConnectionRefused, "detail")),
         {kLoadFailedHeading, kLoadFailedAdvice, {"", "the server refused the connection: detail"}}},
        {certificatePage("https://h/", kCertExpired), {kInsecureHeading, kInsecureAdvice, kCertificateExpired}},
        {processEndedPage("http://h/", false), {kPageEndedHeading, kPageEndedAdvice, kPageProcessEnded}},
    };
    for (const auto& [html, texts] : pages) {
        EXPECT_EQ(html.find("<html lang=\"zh-CN\">"), 16u) << html;
        EXPECT_EQ(count(html, "<h1>"), 1u) << html;
        EXPECT_EQ(count(html, "<h2>"), 2u) << "the address and the reason: " << html;
        for (const BilingualText& text : {kPageAddressLabel, kPageReasonLabel})
            EXPECT_TRUE(markedEnglish(html, text.english)) << text.english << "\n" << html;
        for (const BilingualText& text : texts) {
            EXPECT_TRUE(markedEnglish(html, text.english)) << text.english << "\n" << html;
            EXPECT_NE(html.find(std::string(text.chinese)), std::string::npos) << text.chinese;
        }
        EXPECT_EQ(count(html, "lang=\"en\""), 5u) << "nothing else is marked English: " << html;
    }
}

} // namespace
} // namespace zemora
