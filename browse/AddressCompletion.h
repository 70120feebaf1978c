#pragma once
// Addresses: what counts as a scheme (one rule for every floor and path), and what the
// address box makes of typed text. Text is UTF-8.
#include <optional>
#include <string>
#include <string_view>

namespace zemora {

// Removes leading and trailing spaces (U+0020 only: tabs stay).
std::string trimSpaces(std::string_view text);

// What the address box opens for the text typed into it: nothing for blank text, else
// the text without the spaces around it, completed (CompleteAddress). The one way from
// what the user typed to the address the browser control is asked for.
std::optional<std::string> typedAddress(std::string_view typed);

// The address to open for trimmed, non-empty typed text: an address with a scheme is
// kept, except a script address, which would run in the shown page; text whose host part
// holds a blank (a space, or the ideographic one) can be no host name and becomes a
// search (kSearchPrefix + the text percent-encoded); a host name, host and port or path
// gets "http://", and a bare site name becomes "http://www." + name + ".com".
std::string CompleteAddress(std::string_view address);

// The host an address names, in lower case, without its port; for a blob: address, its
// origin's. Empty for addresses that name no host.
std::string hostOf(std::string_view address);

// The address that searches for text with the start page's engine.
std::string searchAddress(std::string_view text);

// The bare site name a typed address was completed from ("天气" for
// "http://www.天气.com"); nothing for any other address.
std::optional<std::string> completedBareName(std::string_view address);

// Whether an address names its scheme: "http://x", "com.example.app://x", "about:blank",
// "mailto:a@b". A host and port ("localhost:8080", "www.x.com:80/a") is no scheme, nor is
// a host name's colon ("www.x.com:abc"), nor anything not starting with a letter
// ("[::1]:80", " http://x").
bool hasScheme(std::string_view address);

// The scheme an address names, in lower case without its ":"; empty when it names none.
std::string schemeOf(std::string_view address);

// An address as the browser control opens it (WebBrowserControl::NavigateTo): one that
// names no scheme is a web address and gets "http://"; an empty one stays empty.
std::string withDefaultScheme(std::string_view address);

// Text taken for a web address: "http://" in front, whatever it holds.
std::string asWebAddress(std::string_view text);

} // namespace zemora
