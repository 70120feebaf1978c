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
        {"javascript:alert(1)", "http://javascript:alert(1)"},
        {"http://www.sina.com.cn", "http://www.sina.com.cn"},
        {"HTTPS://x", "HTTPS://x"},
        {"Http://Mixed.Case", "Http://Mixed.Case"},
        {"ftp://files.example", "ftp://files.example"},
        {"file:///tmp/a.html", "file:///tmp/a.html"},
        {"svn+ssh://host/repo", "svn+ssh://host/repo"},
        {"  https://a.b/c  ", "https://a.b/c"},
        {"1http://x", "http://1http://x"}, // a scheme starts with a letter
        {"\tsina", "http://www.\tsina.com"}, // tabs are not removed
        {"", ""},
        {"     ", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        const std::string typed = trimSpaces(c.typed);
        const std::string opened = typed.empty() ? std::string() : CompleteAddress(typed);
        EXPECT_EQ(opened, c.opened);
    }
}
