#include <gtest/gtest.h>

#include "browse/AddressCompletion.h"

using namespace zemora;

TEST(AddressCompletion, CompletesTypedTextIntoTheAddressToOpen)
{
    struct Case {
        const char* typed;
        const char* opened; // "" when nothing is opened
    };
    const Case cases[] = {
        {"sina", "http://www.sina.com"},
        {"httpd", "http://www.httpd.com"},
        {"新浪", "http://www.新浪.com"},
        {"  sina  ", "http://www.sina.com"},
        {"www.sina.com.cn", "http://www.sina.com.cn"},
        {"163.com", "http://163.com"},
        {"localhost:8080", "http://localhost:8080"},
        {"192.168.1.1/admin", "http://192.168.1.1/admin"},
        {"javascript:alert(1)", "http://javascript:alert(1)"}, // typed script never runs
        {"JavaScript:alert(1)", "http://JavaScript:alert(1)"},
        {"http://www.sina.com.cn", "http://www.sina.com.cn"},
        {"HTTPS://x", "HTTPS://x"},
        {"Http://Mixed.Case", "Http://Mixed.Case"},
        {"ftp://files.example", "ftp://files.example"},
        {"file:///tmp/a.html", "file:///tmp/a.html"},
        {"svn+ssh://host/repo", "svn+ssh://host/repo"},
        {"  https://a.b/c  ", "https://a.b/c"},
        {"1http://x", "http://1http://x"},   // a scheme starts with a letter
        {"\tsina", "http://www.\tsina.com"}, // tabs are not removed
        {"", ""},
        {"     ", ""},
        // A blank where the host name would be: searched for.
        {"中文 搜索", "https://www.baidu.com/s?wd=%E4%B8%AD%E6%96%87%20%E6%90%9C%E7%B4%A2"},
        {"  how to  ", "https://www.baidu.com/s?wd=how%20to"},
        {"a b.com", "https://www.baidu.com/s?wd=a%20b.com"},
        {"C++ & A-Z_~.x?=/#", "https://www.baidu.com/s?wd=C%2B%2B%20%26%20A-Z_~.x%3F%3D%2F%23"},
        {"中文\xE3\x80\x80搜索", "https://www.baidu.com/s?wd=%E4%B8%AD%E6%96%87%E3%80%80%E6%90%9C%E7%B4%A2"},
        // A blank only after the host, or with a scheme: still an address.
        {"example.com/my page", "http://example.com/my page"},
        {"http://a b", "http://a b"},
        {"s\tina", "http://www.s\tina.com"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        const std::string typed = trimSpaces(c.typed);
        const std::string opened = typed.empty() ? std::string() : CompleteAddress(typed);
        EXPECT_EQ(opened, c.opened);
    }
}

TEST(AddressCompletion, AddressesWithoutASchemeGetHttp)
{
    const std::pair<const char*, const char*> cases[] = {
        {"www.x.com", "http://www.x.com"},
        {"www.x.com:8080/a", "http://www.x.com:8080/a"},
        {"localhost:8080", "http://localhost:8080"},
        {"localhost:8080/a:b", "http://localhost:8080/a:b"},
        {"127.0.0.1:80/", "http://127.0.0.1:80/"},
        {" sina ", "http:// sina "},
        {"1x:y", "http://1x:y"},
        {"http://a", "http://a"},
        {"HTTPS://a", "HTTPS://a"},
        {"about:blank", "about:blank"},
        {"zemora:home", "zemora:home"},
        {"mailto:a@b.c", "mailto:a@b.c"},
        {"javascript:alert(1)", "javascript:alert(1)"},
        {"x:8080y", "x:8080y"},
        {"com.example.app://open", "com.example.app://open"},
        {"www.x.com:abc", "http://www.x.com:abc"},
        {"", ""},
    };
    for (const auto& [given, opened] : cases)
        EXPECT_EQ(withDefaultScheme(given), opened) << given;
}

// One idea of a scheme for every path an address takes: the scheme it names, what the
// box opens when it is typed, and what the browser control opens when it is handed over
// as it stands (auto refresh, a favorite).
TEST(AddressCompletion, EveryPathSharesOneIdeaOfAScheme)
{
    struct Case {
        const char* address;
        const char* scheme; // "" for none
        const char* typed;  // what the box opens
        const char* handed; // what the browser control opens it as
    };
    const Case cases[] = {
        {"about:blank", "about", "about:blank", "about:blank"},
        {"file:///x", "file", "file:///x", "file:///x"},
        {"HTTP://x", "http", "HTTP://x", "HTTP://x"},
        {"zemora:home", "zemora", "zemora:home", "zemora:home"},
        {"mailto:a@b", "mailto", "mailto:a@b", "mailto:a@b"},
        {"localhost:8080/a", "", "http://localhost:8080/a", "http://localhost:8080/a"},
        {"localhost:8080?q#f", "", "http://localhost:8080?q#f", "http://localhost:8080?q#f"},
        {"www.x.com:abc", "", "http://www.x.com:abc", "http://www.x.com:abc"},
        {"[::1]:8000/", "", "http://[::1]:8000/", "http://[::1]:8000/"},
        {"user@host", "", "http://www.user@host.com", "http://user@host"},
        {"javascript:", "javascript", "http://javascript:", "javascript:"},
        {"text with blank", "", "https://www.baidu.com/s?wd=text%20with%20blank", "http://text with blank"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.address);
        EXPECT_EQ(schemeOf(c.address), c.scheme);
        EXPECT_EQ(hasScheme(c.address), *c.scheme != '\0');
        EXPECT_EQ(CompleteAddress(c.address), c.typed);
        EXPECT_EQ(withDefaultScheme(c.address), c.handed);
    }
}

TEST(AddressCompletion, AnAddressNamesItsHost)
{
    const std::pair<const char*, const char*> cases[] = {
        {"http://Example.TEST:8080/a?b#c", "example.test"},
        {"https://user:pw@host.test/x", "host.test"},
        {"blob:https://files.test/1d2c-33", "files.test"},
        {"http://[::1]:8000/", "[::1]"},
        {"http://127.0.0.1/", "127.0.0.1"},
        {"data:text/plain,x", ""},
        {"data:text/html,x://bank.test/", ""}, // a host only right after the scheme
        {"blob:data:x://bank.test/", ""},
        {"about:blank", ""},
        {"", ""},
    };
    for (const auto& [address, host] : cases)
        EXPECT_EQ(hostOf(address), host) << address;
}

TEST(AddressCompletion, AWordTheBoxMadeASiteOfIsFoundAgain)
{
    const std::pair<const char*, std::optional<std::string>> cases[] = {
        {"http://www.天气.com", "天气"},          {"http://www.news.com", "news"},
        {"http://www.sina.com.cn", std::nullopt}, {"http://www.a.b.com", std::nullopt},
        {"http://www..com", std::nullopt},        {"https://www.news.com", std::nullopt},
        {"http://www.news.com/a", std::nullopt},  {"http://example.com", std::nullopt},
    };
    for (const auto& [address, word] : cases)
        EXPECT_EQ(completedBareName(address), word) << address;
    // Each way round: what the box makes of a word is found to be that word.
    for (const char* word : {"天气", "news", "x"})
        EXPECT_EQ(completedBareName(CompleteAddress(word)), word);
}
