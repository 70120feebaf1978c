#include "browse/HomePage.h"

#include "base/Addresses.h"
#include "base/Texts.h"
#include "browse/ErrorPages.h"

namespace zemora {

namespace {

// Chinese, then the English marked as such for a screen reader.
std::string both(const BilingualText& text, const char* between = " ")
{
    return htmlEscaped(std::string(text.chinese)) + between + inEnglish("(" + std::string(text.english) + ")");
}

} // namespace

std::string homePageHtml()
{
    std::string html = R"html(<!DOCTYPE html>
<html lang="zh-CN"><head><meta charset="utf-8"><title>)html"
                       + std::string(kHomePageTitle) + R"html(</title>
<style>
body { font-family: sans-serif; margin: 2em auto; max-width: 40em; color: #333; }
h1 { color: #8a6d3b; font-size: 1.6em; }
h2 { font-size: 1.1em; margin: 1.2em 0 .4em; }
ul { line-height: 1.8; margin-top: 0; }
a { color: #1a5fb4; }
</style></head>
<body>
)html";
    html += "<h1>" + both(kHomeWelcome) + "</h1>\n";
    html += "<p>" + both(kHomeHowTo, "\n") + "</p>\n";
    html += "<h2>" + both(kHomePortalsHeading) + "</h2>\n<ul>\n";
    // Portal captions and addresses are our own constants: nothing here needs escaping.
    for (const Portal& portal : kPortals)
        html.append("<li><a href=\"").append(portal.address).append("\">").append(portal.caption).append("</a></li>\n");
    html += "</ul>\n<h2>" + both(kHomeFavoritesHeading) + "</h2>\n";
    html += "<p>" + both(kHomeFavorites) + "</p>\n</body></html>\n";
    return html;
}

} // namespace zemora
