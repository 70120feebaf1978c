#include <gtest/gtest.h>

#include "browse/DraggedText.h"

using namespace zemora;

TEST(DraggedText, OneLinkDraggedFromAPageIsItsAddress)
{
    const std::pair<const char*, const char*> cases[] = {
        {"<meta charset='utf-8'><a href=\"http://h.test/b.html\">link</a>", "http://h.test/b.html"},
        {"<A HREF='http://h.test/?a=1&amp;b=2' title=x><b>link</b></A>", "http://h.test/?a=1&b=2"},
        {"  <a class=x href=\"https://h.test/\">x</a>\n", "https://h.test/"},
        {"<a href=\"http://h.test/\" style=\"top: 10px;\">link</a><br class=\"Apple-interchange-newline\">",
         "http://h.test/"},
        // Text, or more than one link: no link.
        {"<meta charset='utf-8'><span>word</span>", ""},
        {"<p>see <a href=\"http://h.test/\">here</a></p>", ""},
        {"<a href=\"http://a.test/\">a</a> and <a href=\"http://b.test/\">b</a>", ""},
        {"<a name=\"top\">top</a>", ""},
        {"", ""},
    };
    for (const auto& [markup, link] : cases)
        EXPECT_EQ(draggedLink(markup), link) << markup;
}
