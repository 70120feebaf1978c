#include "favorites/CodePage.h"

#include "base/AsciiText.h"
#include "base/PercentEncoding.h"
#include "base/Utf8.h"

#include <iconv.h>
#include <langinfo.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <string>

namespace zemora {
namespace {

// How iconv_open() says it has no converter.
const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1); // NOLINT(performance-no-int-to-ptr)

class Converter {
public:
    Converter(const std::string& to, const std::string& from) : cd_(iconv_open(to.c_str(), from.c_str())) {}
    ~Converter()
    {
        if (valid())
            iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return cd_ != kNoConverter; }

    // Converts `in`, putting "?" in place of what cannot be converted. `skipLength`
    // says how many input bytes one unconvertible character takes.
    std::string convert(std::string_view in, std::size_t (*skipLength)(std::string_view)) const;

private:
    iconv_t cd_;
};

std::string Converter::convert(std::string_view in, std::size_t (*skipLength)(std::string_view)) const
{
    std::string out(in.size() + 16, '\0');
    std::size_t used = 0;
    // Runs iconv until it stops for a reason other than a full output buffer; a null
    // input resets the shift state (stateful sets need that before a plain "?").
    auto run = [&](char** src, std::size_t* srcLeft) {
        for (;;) {
            char* dst = out.data() + used;
            std::size_t dstLeft = out.size() - used;
            const std::size_t result = iconv(cd_, src, srcLeft, &dst, &dstLeft);
            used = static_cast<std::size_t>(dst - out.data());
            if (result != static_cast<std::size_t>(-1))
                return 0;
            if (errno != E2BIG)
                return errno;
            out.resize(out.size() * 2);
        }
    };

    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    while (srcLeft > 0) {
        if (run(&src, &srcLeft) == 0)
            break;
        // EILSEQ, or EINVAL for a sequence cut off at the end: skip one character.
        run(nullptr, nullptr);
        out.resize(std::max(out.size(), used + 1));
        out[used++] = '?';
        const std::size_t skip = std::max<std::size_t>(1, skipLength({src, srcLeft}));
        src += skip;
        srcLeft -= skip;
    }
    run(nullptr, nullptr);
    out.resize(used);
    return out;
}

std::size_t utf8Skip(std::string_view rest) { return utf8SequenceLength(rest); }
std::size_t byteSkip(std::string_view) { return 1; }

bool isUtf8(std::string codeset)
{
    std::erase_if(codeset, [](char c) { return c == '-' || c == '_'; });
    return equalsIgnoringAsciiCase(codeset, "UTF8");
}

// The converters for the locale's set, opened once per set and per thread, and opened
// again when the locale has changed since the last call.
struct LocaleConverters {
    std::string codeset;
    bool utf8 = false;
    std::unique_ptr<Converter> toAnsi;
    std::unique_ptr<Converter> fromAnsi;
};

const LocaleConverters& currentConverters()
{
    thread_local LocaleConverters cached;
    const char* codeset = nl_langinfo(CODESET);
    if (cached.toAnsi && cached.codeset == codeset)
        return cached;
    cached.codeset = codeset;
    cached.utf8 = isUtf8(codeset);
    cached.toAnsi = std::make_unique<Converter>(codeset, "UTF-8");
    cached.fromAnsi = std::make_unique<Converter>("UTF-8", codeset);
    if (!cached.toAnsi->valid() || !cached.fromAnsi->valid()) {
        // A set iconv does not know: treat it as plain ASCII rather than fail.
        cached.toAnsi = std::make_unique<Converter>("ASCII", "UTF-8");
        cached.fromAnsi = std::make_unique<Converter>("UTF-8", "ASCII");
    }
    return cached;
}

bool survivesCodePage(std::string_view character) { return ansiToUtf8(utf8ToAnsi(character)) == character; }

} // namespace

std::string utf8ToAnsi(std::string_view utf8)
{
    const LocaleConverters& converters = currentConverters();
    if (converters.utf8)
        return replaceInvalidUtf8(utf8);
    return converters.toAnsi->convert(utf8, utf8Skip);
}

std::string ansiToUtf8(std::string_view ansi)
{
    const LocaleConverters& converters = currentConverters();
    if (converters.utf8)
        return replaceInvalidUtf8(ansi);
    return converters.fromAnsi->convert(ansi, byteSkip);
}

std::string percentEncodeUnrepresentable(std::string_view utf8Address)
{
    const bool utf8 = currentConverters().utf8;
    std::string out;
    out.reserve(utf8Address.size());
    while (!utf8Address.empty()) {
        const std::size_t valid = utf8SequenceLength(utf8Address);
        const std::string_view character = utf8Address.substr(0, std::max<std::size_t>(1, valid));
        const bool keep = valid == 1 || (valid > 1 && (utf8 || survivesCodePage(character)));
        if (keep)
            out.append(character);
        else
            out += percentEncoded(character);
        utf8Address.remove_prefix(character.size());
    }
    return out;
}

} // namespace zemora
