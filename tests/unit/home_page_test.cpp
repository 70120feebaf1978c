#include "browse/HomePage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <string>

#include "base/Addresses.h"
#include "base/Texts.h"

namespace zemora {
namespace {

std::size_t count(const std::string& html, const std::string& part)
{
    std::size_t n = 0;
    for (std::size_t at = html.find(part); at != std::string::npos; at = html.find(part, at + 1))
        ++n;
    return n;
}

bool has(const std::string& html, const std::string& part) { return html.find(part) != std::string::npos; }

TEST(HomePage, LinksEveryPortalByItsCaptionAndNothingElse)
{
    const std::string html = homePageHtml();
    for (const Portal& portal : kPortals)
        EXPECT_TRUE(has(html, "<li><a href=\"" + std::string(portal.address) + "\">" + std::string(portal.caption)
                                  + "</a></li>"))
            << portal.caption;
    EXPECT_EQ(count(html, "<a "), kPortals.size());
    // A page of ours runs nothing.
    EXPECT_FALSE(has(html, "<script") || has(html, "javascript:")
                 || std::regex_search(html, std::regex(R"(<[^>]*\son\w+=)")))
        << html;
}

// A screen reader speaks each part in its own language: the page is Chinese, the English
// after each text marked as English.
TEST(HomePage, SaysEachTextInChineseThenInEnglish)
{
    const std::string html = homePageHtml();
    EXPECT_TRUE(has(html, "<title>" + std::string(kHomePageTitle) + "</title>")) << "the caption is built from it";
    EXPECT_TRUE(has(html, "<h1>" + std::string(kHomeWelcome.chinese)));
    for (const BilingualText& text :
         {kHomeWelcome, kHomeHowTo, kHomePortalsHeading, kHomeFavoritesHeading, kHomeFavorites})
        EXPECT_TRUE(has(html, std::string(text.chinese))
                    && has(html, "<span class=\"en\" lang=\"en\">(" + std::string(text.english) + ")</span>"))
            << text.english;
}

TEST(HomePage, IsOneWellFormedUtf8Document)
{
    const std::string html = homePageHtml();
    EXPECT_TRUE(html.starts_with("<!DOCTYPE html>\n<html lang=\"zh-CN\">"));
    EXPECT_TRUE(html.ends_with("</body></html>\n"));
    // The engine is handed the page without a charset: the page must name it before its
    // first non-ASCII byte, or every Chinese text is garbled.
    const std::size_t charset = html.find("<meta charset=\"utf-8\">");
    const auto firstNonAscii = std::find_if(html.begin(), html.end(), [](char c) { return c & 0x80; });
    EXPECT_LT(charset, static_cast<std::size_t>(firstNonAscii - html.begin()));
    for (const char* tag : {"head", "title", "style", "body", "h1", "h2", "p", "ul", "li", "a", "span"})
        EXPECT_EQ(count(html, "<" + std::string(tag) + ">") + count(html, "<" + std::string(tag) + " "),
                  count(html, "</" + std::string(tag) + ">"))
            << "<" << tag << "> opened and closed alike";
    EXPECT_EQ(count(html, "&"), count(html, "&amp;") + count(html, "&lt;") + count(html, "&gt;") + count(html, "&quot;")
                                    + count(html, "&#39;"))
        << "every & starts an entity";
}

} // namespace
} // namespace zemora
