// Arbitrary file bytes, section, key and value into the INI key writer. Stops (trap) when
// the writer touches anything but the one key line (or the key or section it adds), when
// another entry reads differently afterwards, when the value does not read back, or when
// writing the same key twice is not a no-op. Reading is checked against a plain reader
// written here from the rules in IniFile.h, since writer and reader share their parser.
//
// Input: "<section>\n<key>\n<value>\n<file bytes>". Names cannot hold LF this way, but
// they can hold CR, which reaches the writer's refusal of line breaks. An input with
// fewer than three LF is all file, written with the shortcut's own section and key.
#include "base/AsciiText.h"
#include "base/Failure.h"
#include "favorites/IniFile.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "fuzz/Require.h"

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

std::string_view trimBlanks(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

bool hasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

// A file's lines, each with its own line break (CR LF, LF or CR; none for an
// unterminated last line), after a byte-order mark that the writer steps over.
struct Lines {
    bool bom = false;
    std::vector<std::string_view> lines;
};

Lines splitKeepingBreaks(std::string_view file)
{
    Lines out;
    if (file.starts_with(kBom)) {
        out.bom = true;
        file.remove_prefix(kBom.size());
    }
    while (!file.empty()) {
        std::size_t end = file.find_first_of("\r\n");
        if (end == std::string_view::npos)
            end = file.size();
        else
            end += file.substr(end, 2) == "\r\n" ? 2 : 1;
        out.lines.push_back(file.substr(0, end));
        file.remove_prefix(end);
    }
    return out;
}

std::string_view lineBreakOf(std::string_view line)
{
    if (line.ends_with("\r\n"))
        return "\r\n";
    if (line.ends_with('\n') || line.ends_with('\r'))
        return line.substr(line.size() - 1);
    return {};
}

std::string_view textOf(std::string_view line) { return line.substr(0, line.size() - lineBreakOf(line).size()); }

// The writer's promise for added lines: LF when the file's line breaks are all LF.
std::string_view newLineBreak(std::string_view file)
{
    const bool allLf = file.find('\n') != std::string_view::npos && file.find('\r') == std::string_view::npos;
    return allLf ? "\n" : "\r\n";
}

// One line rewritten in place, keeping its line break (see below for the last line), to "<the key as the file spells
// it>=<value>"; or nothing changed at all (the line already read so).
bool isOneKeyLineRewritten(const Lines& before, const Lines& after, std::string_view key, std::string_view value)
{
    if (after.lines.size() != before.lines.size())
        return false;
    std::size_t changed = 0;
    for (std::size_t i = 0; i < before.lines.size(); ++i) {
        if (after.lines[i] == before.lines[i])
            continue;
        // A rewritten last line that had no line end gets CR LF, as the profile writer does.
        const bool unterminatedLast = i + 1 == before.lines.size() && lineBreakOf(before.lines[i]).empty();
        const std::string_view expectedBreak = unterminatedLast ? "\r\n" : lineBreakOf(before.lines[i]);
        if (++changed > 1 || lineBreakOf(after.lines[i]) != expectedBreak)
            return false;
        const std::string_view text = textOf(after.lines[i]);
        if (text.size() < value.size() + 1 || !text.ends_with(value))
            return false;
        const std::string_view name = text.substr(0, text.size() - value.size() - 1);
        if (text[name.size()] != '=' || name != trimBlanks(name)
            || !zemora::equalsIgnoringAsciiCase(name, trimBlanks(key)))
            return false;
    }
    return true;
}

// `added` inserted as whole lines somewhere in the file, and nothing else changed but a
// line break given to an unterminated last line when the addition goes after it.
bool isInsertion(const Lines& before, const Lines& after, const std::vector<std::string>& added,
                 std::string_view lineBreak)
{
    const std::size_t n = before.lines.size();
    const std::size_t k = added.size();
    if (after.lines.size() != n + k)
        return false;
    auto addedAt = [&](std::size_t at) {
        for (std::size_t j = 0; j < k; ++j)
            if (after.lines[at + j] != added[j])
                return false;
        return true;
    };
    std::size_t prefix = 0;
    while (prefix < n && after.lines[prefix] == before.lines[prefix])
        ++prefix;
    std::size_t suffix = 0;
    while (suffix < n && after.lines[n + k - 1 - suffix] == before.lines[n - 1 - suffix])
        ++suffix;
    for (std::size_t at = n - std::min(suffix, n); at <= prefix; ++at)
        if (addedAt(at))
            return true;
    // Appended after a last line that lacked its line break.
    if (n > 0 && lineBreakOf(before.lines[n - 1]).empty() && prefix == n - 1
        && after.lines[n - 1] == std::string(before.lines[n - 1]) + std::string(lineBreak))
        return addedAt(n);
    return false;
}

void checkEditShape(std::string_view before, std::string_view after, std::string_view section, std::string_view key,
                    std::string_view value)
{
    const Lines in = splitKeepingBreaks(before);
    const Lines out = splitKeepingBreaks(after);
    require(in.bom == out.bom);
    const std::string lineBreak(newLineBreak(before));
    const std::string keyLine = std::string(key) + "=" + std::string(value) + lineBreak;
    const std::string sectionLine = "[" + std::string(section) + "]" + lineBreak;
    require(isOneKeyLineRewritten(in, out, key, value) || isInsertion(in, out, {keyLine}, lineBreak)
            || isInsertion(in, out, {sectionLine, keyLine}, lineBreak));
}

// Whether a fresh "key=value" line is found again under `key`. The reader trims blanks,
// takes ";" lines as comments and "[...]" lines as sections, and splits at the first "=",
// so a key doing any of that names some other entry. Any section name reads back: its
// header is "[" name "]", and the reader takes the name up to the last "]".
bool keyReadsBack(std::string_view key)
{
    const std::string_view trimmed = trimBlanks(key);
    return key.find('=') == std::string_view::npos && !(trimmed.starts_with(';') || trimmed.starts_with('['));
}

// Whether the reader hands back the value as it was written: it trims blanks and drops
// one pair of matching outer quotes.
bool valueReadsBack(std::string_view value)
{
    if (value != trimBlanks(value))
        return false;
    const bool quoted =
        value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front();
    return !quoted;
}

bool sameName(std::string_view a, std::string_view b)
{
    return zemora::equalsIgnoringAsciiCase(trimBlanks(a), trimBlanks(b));
}

// The file as the reader sees it: section headers and key lines, in order.
struct Entry {
    bool header = false;
    std::string_view name;  // the section's, or the key's
    std::string_view value; // a key's, as read
};

std::vector<Entry> entriesOf(std::string_view file)
{
    std::vector<Entry> entries;
    for (std::string_view line : splitKeepingBreaks(file).lines) {
        const std::string_view text = trimBlanks(textOf(line));
        if (text.empty() || text.front() == ';')
            continue;
        if (const std::size_t close = text.rfind(']'); text.front() == '[' && close != std::string_view::npos) {
            entries.push_back({true, text.substr(1, close - 1), {}});
            continue;
        }
        const std::size_t equals = text.find('=');
        std::string_view value =
            equals == std::string_view::npos ? std::string_view() : trimBlanks(text.substr(equals + 1));
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
            value = value.substr(1, value.size() - 2);
        entries.push_back({false, text.substr(0, equals), value});
    }
    return entries;
}

// Only the first section of that name counts, and in it the first key of that name.
std::optional<std::string> modelValue(const std::vector<Entry>& entries, std::string_view section, std::string_view key)
{
    bool inSection = false;
    for (const Entry& entry : entries) {
        if (entry.header) {
            if (inSection)
                return std::nullopt;
            inSection = sameName(entry.name, section);
        } else if (inSection && sameName(entry.name, key)) {
            return std::string(entry.value);
        }
    }
    return std::nullopt;
}

std::string normalName(std::string_view name)
{
    std::string out(trimBlanks(name));
    for (char& c : out)
        c = zemora::asciiLower(c);
    return out;
}

// What every (section, key) of the file reads as, by the model, in one pass.
using Readings = std::map<std::pair<std::string, std::string>, std::string>;

Readings readingsOf(const std::vector<Entry>& entries)
{
    Readings readings;
    std::set<std::string> sections;
    std::optional<std::string> current; // none before the first header or in a repeated one
    for (const Entry& entry : entries) {
        if (entry.header) {
            std::string name = normalName(entry.name);
            current = sections.insert(name).second ? std::optional(std::move(name)) : std::nullopt;
        } else if (current) {
            readings.try_emplace({*current, normalName(entry.name)}, entry.value);
        }
    }
    return readings;
}

// Every other key reads the same before and after. The reader under test is asked too,
// for a few of them, so a file of many keys stays quick.
void checkOtherEntries(std::string_view before, std::string_view after, std::string_view section, std::string_view key)
{
    const std::pair<std::string, std::string> written{normalName(section), normalName(key)};
    Readings was = readingsOf(entriesOf(before));
    Readings is = readingsOf(entriesOf(after));
    was.erase(written);
    is.erase(written);
    require(was == is);
    int asked = 0;
    for (const auto& [name, value] : was) {
        if (++asked > 4)
            break;
        require(zemora::iniValue(before, name.first, name.second) == value);
        require(zemora::iniValue(after, name.first, name.second) == value);
    }
}

struct Input {
    std::string_view section = "InternetShortcut";
    std::string_view key = "URL";
    std::string_view value = "http://example.test/";
    std::string_view file;
};

Input split(std::string_view bytes)
{
    Input input;
    input.file = bytes;
    std::string_view parts[3];
    for (std::string_view& part : parts) {
        const std::size_t end = bytes.find('\n');
        if (end == std::string_view::npos)
            return input;
        part = bytes.substr(0, end);
        bytes.remove_prefix(end + 1);
    }
    return {parts[0], parts[1], parts[2], bytes};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const Input in = split({reinterpret_cast<const char*>(data), size});
    const bool refused = hasLineBreak(in.section) || hasLineBreak(in.key) || hasLineBreak(in.value);
    std::string once;
    try {
        once = zemora::setIniValue(in.file, in.section, in.key, in.value);
    } catch (const zemora::Failure&) {
        require(refused);
        return 0;
    }
    require(!refused);

    checkEditShape(in.file, once, in.section, in.key, in.value);

    if (keyReadsBack(in.key)) {
        // A key that reads as a comment or a section header can hide what follows it.
        checkOtherEntries(in.file, once, in.section, in.key);
        const std::optional<std::string> read = zemora::iniValue(once, in.section, in.key);
        require(read.has_value() && read == modelValue(entriesOf(once), in.section, in.key));
        if (valueReadsBack(in.value))
            require(*read == in.value);
        // A key with blanks around it is added as given but rewritten trimmed, so the
        // second write may differ in those blanks only.
        if (in.key == trimBlanks(in.key))
            require(zemora::setIniValue(once, in.section, in.key, in.value) == once);
    }
    return 0;
}
