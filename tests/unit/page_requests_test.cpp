#include <gtest/gtest.h>

#include "browse/PageRequests.h"

using namespace zemora;

TEST(PageRequests, APageOpensOnlyWhatItCouldShowInItsOwnRight)
{
    struct Case {
        const char* page;
        const char* target;
        bool allowed;
    };
    const Case cases[] = {
        {"http://a.test/", "http://b.test/x", true},
        {"http://a.test/", "HTTPS://b.test/", true},
        {"https://a.test/", "blob:https://a.test/1d2c", true},
        {"http://a.test/", "zemora:home", true},
        // Script and inline documents would run with the top page's origin.
        {"http://a.test/", "javascript:alert(document.cookie)", false},
        {"http://a.test/", "JavaScript:alert(1)", false},
        {"http://a.test/", "java\tscript:alert(1)", false},
        {"http://a.test/", " \njavascript:alert(1)", false},
        {"http://a.test/", "javascript:1", false},
        {"http://a.test/", "data:text/html,<script>alert(1)</script>", false},
        {"http://a.test/", "DATA:text/html;base64,PHNjcmlwdD4=", false},
        {"http://a.test/", "vbscript:msgbox", false},
        {"http://a.test/", "about:blank", false},
        // Local files only from local files.
        {"http://a.test/", "file:///etc/passwd", false},
        {"https://a.test/", "FILE:///home/user/Downloads/evil.html", false},
        {"", "file:///tmp/a.html", false},
        {"zemora:home", "file:///tmp/a.html", false},
        {"file:///home/user/index.html", "file:///home/user/other.html", true},
        // Whatever names no scheme a page can be shown from.
        {"http://a.test/", "", false},
        {"http://a.test/", "mailto:a@b.test", false},
        {"http://a.test/", "localhost:8080", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(pageMayOpen(c.page, c.target), c.allowed) << c.page << " -> " << c.target;
}

TEST(PageRequests, PastedScriptLosesItsScheme)
{
    struct Case {
        const char* pasted;
        const char* kept;
    };
    const Case cases[] = {
        {"javascript:alert(1)", "alert(1)"},
        {"  JAVASCRIPT:alert(1)", "alert(1)"},
        {"javascript:javascript:alert(1)", "alert(1)"},
        {"java\tscript:alert(1)", "alert(1)"},
        {"\x01javascript: javascript:x", "x"},
        {"http://a.test/?q=javascript:x", "http://a.test/?q=javascript:x"},
        {"javascrip", "javascrip"},
        {"javascript:1", "1"},
        {"新浪", "新浪"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(withoutScriptScheme(c.pasted), c.kept) << c.pasted;
}

TEST(PageRequests, AFailedLoadKeepsOnlyWhatTheUserCanSafelyOpenAgain)
{
    struct Case {
        const char* asked;
        const char* reached;
        const char* kept;
    };
    const Case cases[] = {
        // Whatever the load reached that a page could have opened is the page's address.
        {"http://a.test/", "http://a.test/", "http://a.test/"},
        {"http://a.test/r", "https://b.test/x", "https://b.test/x"},
        // A redirect to what no page may open leaves the address that redirected.
        {"http://a.test/r", "javascript:document.cookie", "http://a.test/r"},
        {"http://a.test/r", " JAVA\tSCRIPT:x", "http://a.test/r"},
        {"http://a.test/r", "data:text/html,<title>x</title>", "http://a.test/r"},
        {"https://a.test/r", "file:///etc/passwd", "https://a.test/r"},
        // The user's own address stays, whatever it is; and a local page's own links.
        {"file:///tmp/missing.html", "file:///tmp/missing.html", "file:///tmp/missing.html"},
        {"data:text/html,x", "data:text/html,x", "data:text/html,x"},
        {"file:///tmp/a.html", "file:///tmp/b.html", "file:///tmp/b.html"},
        {"", "http://a.test/", "http://a.test/"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(addressToKeep(c.asked, c.reached), c.kept) << c.asked << " -> " << c.reached;
}
