#include "favorites/IniFile.h"

#include "base/AsciiText.h"
#include "base/Texts.h"
#include "base/Utf8.h"

#include <algorithm>
#include <initializer_list>
#include <vector>

namespace zemora {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimBlanks(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool sameName(std::string_view a, std::string_view b) { return equalsIgnoringAsciiCase(trimBlanks(a), trimBlanks(b)); }

std::string_view withoutOuterQuotes(std::string_view text)
{
    if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') && text.back() == text.front())
        return text.substr(1, text.size() - 2);
    return text;
}

struct IniLine {
    enum class Kind { Blank, Comment, Section, Key };
    Kind kind = Kind::Blank;
    std::size_t begin = 0;  // offset of the line's first byte
    std::size_t end = 0;    // offset just past its text, where its line break starts
    std::size_t next = 0;   // offset of the next line; equals `end` for a last line without break
    std::string_view name;  // section or key name, untrimmed
    std::string_view value; // what follows a key's "="
};

IniLine classify(std::string_view text)
{
    IniLine line;
    const std::string_view content = trimBlanks(text);
    if (content.empty()) {
        line.kind = IniLine::Kind::Blank;
    } else if (content.front() == ';') {
        line.kind = IniLine::Kind::Comment;
    } else if (const auto close = content.rfind(']'); content.front() == '[' && close != std::string_view::npos) {
        line.kind = IniLine::Kind::Section;
        line.name = content.substr(1, close - 1);
    } else {
        // A line without "=" is a key with an empty value, as the platform takes it.
        line.kind = IniLine::Kind::Key;
        const auto equals = content.find('=');
        line.name = content.substr(0, equals);
        if (equals != std::string_view::npos)
            line.value = content.substr(equals + 1);
    }
    return line;
}

// The file's lines after a UTF-8 byte-order mark; CR LF, LF and CR each end a line.
std::vector<IniLine> splitLines(std::string_view file)
{
    std::vector<IniLine> lines;
    // Every line ends in a CR or an LF but perhaps the last: one allocation serves.
    lines.reserve(
        static_cast<std::size_t>(std::count_if(file.begin(), file.end(), [](char c) { return c == '\n' || c == '\r'; }))
        + 1);
    std::size_t begin = file.starts_with(kUtf8ByteOrderMark) ? kUtf8ByteOrderMark.size() : 0;
    while (begin < file.size()) {
        const std::size_t end = std::min(file.find_first_of("\r\n", begin), file.size());
        std::size_t next = end;
        if (next < file.size())
            next += file.substr(next, 2) == "\r\n" ? 2 : 1;
        IniLine line = classify(file.substr(begin, end - begin));
        line.begin = begin;
        line.end = end;
        line.next = next;
        lines.push_back(line);
        begin = next;
    }
    return lines;
}

struct IniMatch {
    const IniLine* section = nullptr; // header of the first matching section
    const IniLine* key = nullptr;     // its first matching key line
    const IniLine* lastKey = nullptr; // its last key line
};

IniMatch locate(const std::vector<IniLine>& lines, std::string_view section, std::string_view key)
{
    IniMatch match;
    for (const IniLine& line : lines) {
        if (line.kind == IniLine::Kind::Section) {
            if (match.section)
                break;
            if (sameName(line.name, section))
                match.section = &line;
        } else if (line.kind == IniLine::Kind::Key && match.section) {
            if (!match.key && sameName(line.name, key))
                match.key = &line;
            match.lastKey = &line;
        }
    }
    return match;
}

// CR LF, unless the file has line breaks and every one of them is a lone LF.
std::string_view lineBreakFor(std::string_view file)
{
    const bool allLf = file.find('\n') != std::string_view::npos && file.find('\r') == std::string_view::npos;
    return allLf ? "\n" : "\r\n";
}

// `file` with `newLines` inserted after `line` (or at the end when there are no lines),
// adding the line break that a last line may lack.
std::string insertAfter(std::string_view file, const IniLine* line, std::string_view newLines,
                        std::string_view lineBreak)
{
    const std::size_t at = line ? line->next : file.size();
    std::string out(file.substr(0, at));
    if (line && line->next == line->end)
        out += lineBreak;
    out += newLines;
    out += file.substr(at);
    return out;
}

void rejectLineBreaks(std::initializer_list<std::string_view> texts)
{
    for (std::string_view text : texts)
        if (text.find_first_of("\r\n") != std::string_view::npos)
            throw Failure(kLineBreakInIni);
}

} // namespace

std::optional<std::string> iniValue(std::string_view fileBytes, std::string_view section, std::string_view key)
{
    const std::vector<IniLine> lines = splitLines(fileBytes);
    const IniMatch match = locate(lines, section, key);
    if (!match.key)
        return std::nullopt;
    return std::string(withoutOuterQuotes(trimBlanks(match.key->value)));
}

std::string setIniValue(std::string_view fileBytes, std::string_view section, std::string_view key,
                        std::string_view value)
{
    rejectLineBreaks({section, key, value});
    const std::string_view lineBreak = lineBreakFor(fileBytes);
    const std::vector<IniLine> lines = splitLines(fileBytes);
    const IniMatch match = locate(lines, section, key);

    if (match.key) {
        std::string out(fileBytes);
        std::string keyLine = std::string(trimBlanks(match.key->name)) + "=" + std::string(value);
        // The profile writer ends a rewritten last line that had no line end with CR LF,
        // whatever the file's other lines end in.
        if (match.key->next == match.key->end)
            keyLine += "\r\n";
        return out.replace(match.key->begin, match.key->end - match.key->begin, keyLine);
    }
    const std::string keyLine = std::string(key) + "=" + std::string(value) + std::string(lineBreak);
    if (match.section)
        return insertAfter(fileBytes, match.lastKey ? match.lastKey : match.section, keyLine, lineBreak);
    const std::string sectionLine = "[" + std::string(section) + "]" + std::string(lineBreak);
    return insertAfter(fileBytes, lines.empty() ? nullptr : &lines.back(), sectionLine + keyLine, lineBreak);
}

void writeIniValue(const std::string& path, std::string_view section, std::string_view key, std::string_view value,
                   const FileCalls& calls)
{
    const FileLabel file = fileLabel(kFileKind, path);
    const std::optional<SmallFile> old = readSmallFileIfExists(path, file);
    const std::string content = setIniValue(old ? old->bytes : std::string(), section, key, value);
    replaceFile(path, content, old ? &old->status : nullptr, file, calls);
}

} // namespace zemora
