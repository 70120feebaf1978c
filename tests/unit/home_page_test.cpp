#include "browse/HomePage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "base/Addresses.h"
#include "base/Texts.h"

namespace zemora {
namespace {

// The page as the engine reads it: elements with their attributes and the language in
// effect, and the text a reader sees, entities decoded. Enough HTML for our own pages.
struct Element {
    std::string tag;
    std::map<std::string, std::string> attributes;
    std::string lang;
    std::string text; // the text directly inside it, up to its first child
};

struct TextRun {
    std::string text;
    std::string lang;
    std::vector<std::string> path; // the open elements, outermost first
};

struct ReadPage {
    std::vector<Element> elements;
    std::vector<TextRun> texts;
    std::vector<std::string> faults; // unclosed, stray or mis-nested tags
};

std::string decoded(const std::string& text)
{
    static const std::pair<const char*, const char*> entities[] = {
        {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&#39;", "'"}, {"&amp;", "&"}};
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        bool replaced = false;
        for (const auto& [entity, character] : entities)
            if (text.compare(i, std::string_view(entity).size(), entity) == 0) {
                out += character;
                i += std::string_view(entity).size();
                replaced = true;
                break;
            }
        if (!replaced)
            out += text[i++];
    }
    return out;
}

std::string trimmed(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(" \n");
    return first == std::string::npos ? "" : text.substr(first, text.find_last_not_of(" \n") - first + 1);
}

std::map<std::string, std::string> attributesOf(const std::string& inside)
{
    std::map<std::string, std::string> attributes;
    std::size_t at = inside.find(' ');
    while (at != std::string::npos) {
        const std::size_t name = inside.find_first_not_of(' ', at);
        const std::size_t equals = inside.find('=', name);
        if (name == std::string::npos || equals == std::string::npos)
            break;
        const std::size_t close = inside.find('"', equals + 2);
        attributes[inside.substr(name, equals - name)] = decoded(inside.substr(equals + 2, close - equals - 2));
        at = inside.find(' ', close);
    }
    return attributes;
}

ReadPage readPage(const std::string& html)
{
    static const std::set<std::string> voids{"!DOCTYPE", "meta", "br", "link", "img"};
    ReadPage page;
    struct Open {
        std::string tag;
        std::string lang;
        std::size_t element;
    };
    std::vector<Open> open;
    std::size_t at = 0;
    while (at < html.size()) {
        const std::size_t tagStart = html.find('<', at);
        const std::string text = html.substr(at, tagStart == std::string::npos ? std::string::npos : tagStart - at);
        if (text.find_first_not_of(" \n") != std::string::npos) {
            TextRun run{decoded(text), open.empty() ? "" : open.back().lang, {}};
            for (const Open& o : open)
                run.path.push_back(o.tag);
            page.texts.push_back(run);
            if (!open.empty() && page.elements[open.back().element].text.empty())
                page.elements[open.back().element].text = trimmed(run.text);
        }
        if (tagStart == std::string::npos)
            break;
        const std::size_t tagEnd = html.find('>', tagStart);
        const std::string inside = html.substr(tagStart + 1, tagEnd - tagStart - 1);
        at = tagEnd + 1;
        if (inside.starts_with('/')) {
            if (open.empty() || open.back().tag != inside.substr(1))
                page.faults.push_back("stray </" + inside.substr(1) + ">");
            else
                open.pop_back();
            continue;
        }
        Element element{inside.substr(0, inside.find(' ')), attributesOf(inside), "", ""};
        element.lang = element.attributes.contains("lang") ? element.attributes["lang"]
                       : open.empty()                      ? ""
                                                           : open.back().lang;
        page.elements.push_back(element);
        if (voids.contains(element.tag))
            continue;
        open.push_back({element.tag, element.lang, page.elements.size() - 1});
        if (element.tag == "style" || element.tag == "script") { // raw text up to its end tag
            at = html.find("</" + element.tag + ">", at);
            if (at == std::string::npos)
                break;
        }
    }
    for (const Open& o : open)
        page.faults.push_back("unclosed <" + o.tag + ">");
    return page;
}

std::vector<const Element*> all(const ReadPage& page, const std::string& tag)
{
    std::vector<const Element*> found;
    for (const Element& element : page.elements)
        if (element.tag == tag)
            found.push_back(&element);
    return found;
}

// The language of the text run that holds this text; empty when no run holds it.
std::string languageOf(const ReadPage& page, const std::string& text)
{
    for (const TextRun& run : page.texts)
        if (run.text.find(text) != std::string::npos)
            return run.lang;
    return {};
}

class HomePage : public testing::Test {
protected:
    const std::string html = homePageHtml();
    const ReadPage page = readPage(html);
};

TEST_F(HomePage, IsOneWellFormedChineseDocumentTheEngineReadsAsUtf8)
{
    EXPECT_TRUE(page.faults.empty()) << testing::PrintToString(page.faults) << "\n" << html;
    ASSERT_FALSE(all(page, "html").empty());
    EXPECT_EQ(all(page, "html")[0]->attributes.at("lang"), "zh-CN");

    // The engine is handed the page without a charset: the page must name it before its
    // first non-ASCII byte, or every Chinese text is garbled.
    const std::size_t charset = html.find("<meta charset=\"utf-8\">");
    ASSERT_NE(charset, std::string::npos);
    const auto firstNonAscii = std::find_if(html.begin(), html.end(), [](char c) { return c & 0x80; });
    EXPECT_LT(charset, static_cast<std::size_t>(firstNonAscii - html.begin()));

    // The window's caption is built from the title.
    ASSERT_EQ(all(page, "title").size(), 1u);
    EXPECT_EQ(all(page, "title")[0]->text, kHomePageTitle);
}

TEST_F(HomePage, LinksEveryPortalInToolbarOrderAndNothingElse)
{
    const auto links = all(page, "a");
    ASSERT_EQ(links.size(), kPortals.size()) << html;
    for (std::size_t i = 0; i < kPortals.size(); ++i) {
        SCOPED_TRACE(kPortals[i].caption);
        EXPECT_EQ(links[i]->attributes.at("href"), kPortals[i].address);
        EXPECT_EQ(links[i]->text, kPortals[i].caption);
        // A link of the home page opens a web page, never script or a page of ours.
        const std::string& href = links[i]->attributes.at("href");
        EXPECT_TRUE(href.starts_with("http://") || href.starts_with("https://")) << href;
    }
    for (const TextRun& run : page.texts)
        if (!run.path.empty() && run.path.back() == "a") {
            const std::size_t n = run.path.size();
            EXPECT_TRUE(n >= 3 && run.path[n - 2] == "li" && run.path[n - 3] == "ul")
                << run.text << ": each link is an item of the list";
        }

    EXPECT_TRUE(all(page, "script").empty());
    for (const Element& element : page.elements)
        for (const auto& [name, value] : element.attributes)
            EXPECT_FALSE(name.starts_with("on")) << element.tag << " " << name;
}

// A screen reader speaks each text in its language, and jumps by heading to each part.
TEST_F(HomePage, EachTextReadsInItsOwnLanguageUnderItsHeading)
{
    for (const BilingualText& text :
         {kHomeWelcome, kHomeHowTo, kHomePortalsHeading, kHomeFavoritesHeading, kHomeFavorites}) {
        SCOPED_TRACE(text.english);
        EXPECT_EQ(languageOf(page, std::string(text.chinese)), "zh-CN");
        EXPECT_EQ(languageOf(page, "(" + std::string(text.english) + ")"), "en");
    }
    for (const Portal& portal : kPortals)
        EXPECT_EQ(languageOf(page, std::string(portal.caption)), "zh-CN") << portal.caption;

    const auto h1 = all(page, "h1");
    ASSERT_EQ(h1.size(), 1u);
    EXPECT_EQ(h1[0]->text, kHomeWelcome.chinese);
    std::vector<std::string> order; // headings and the list, as a reader meets them
    for (const Element& element : page.elements)
        if (element.tag == "h2" || element.tag == "ul")
            order.push_back(element.tag == "ul" ? "list" : element.text);
    EXPECT_EQ(order, (std::vector<std::string>{std::string(kHomePortalsHeading.chinese), "list",
                                               std::string(kHomeFavoritesHeading.chinese)}));
}

} // namespace
} // namespace zemora
