#pragma once
// The browser's own pages for a load that failed or a page whose process died: pure
// text building, no toolkit. Every text is UTF-8.
#include <string>
#include <string_view>
#include <vector>

#include "base/Texts.h"

namespace zemora {

// What is wrong with a server's certificate; the bits are the engine's (GIO's) own.
constexpr unsigned kCertUnknownCa = 1u << 0;
constexpr unsigned kCertBadIdentity = 1u << 1;
constexpr unsigned kCertNotActivated = 1u << 2;
constexpr unsigned kCertExpired = 1u << 3;
constexpr unsigned kCertRevoked = 1u << 4;
constexpr unsigned kCertInsecure = 1u << 5;
constexpr unsigned kCertGenericError = 1u << 6;

// Why a load failed, as the page tells it.
struct FailureReason {
    std::string chinese;
    std::string english;
};

// A reason from the settings' texts, with a detail (the engine's own words) after the English.
FailureReason failureReason(const BilingualText& text, const std::string& detail = {});

std::string htmlEscaped(const std::string& text);

// English text on a page of ours, escaped and marked as English: the pages are Chinese
// (lang="zh-CN"), and a screen reader speaks each part in its own language.
std::string inEnglish(std::string_view english);

// One reason for each problem set in flags (a generic one when none is known).
std::vector<FailureReason> certificateReasons(unsigned flags);

// The page for an address that could not be loaded; with `searchFor`, it offers to
// search for that text instead (a word the address box took for a site's name).
std::string loadFailedPage(const std::string& address, const FailureReason& reason, const std::string& searchFor = {});
// The page for an address whose server showed an untrusted certificate.
std::string certificatePage(const std::string& address, unsigned flags);
// The page for an address whose page process ended (crashed or ran out of memory).
std::string processEndedPage(const std::string& address, bool outOfMemory);

} // namespace zemora
