#pragma once
// INI-style files as the platform's profile calls read and write them. Section and key
// names match without regard to ASCII case and surrounding blanks; only the first
// matching section and its first matching key count; lines starting with ";" are
// comments; keys before the first section belong to no section.
#include "favorites/FileIo.h"

#include <optional>
#include <string>
#include <string_view>

namespace zemora {

// The value of `key` in `section`: the bytes after the first "=" up to the line's end,
// blanks around them and one pair of matching outer quotes removed. A UTF-8 byte-order
// mark at the start is skipped. nullopt when the section or the key is missing.
std::optional<std::string> iniValue(std::string_view fileBytes, std::string_view section, std::string_view key);

// The file's new content once `key` in `section` is set to `value` (written verbatim).
// An existing key's line is rewritten in place; a missing key goes after the section's
// last key line; a missing section is appended. Every other byte stays. New lines end in
// LF when all the file's lines do, else in CR LF. Throws Failure when a name or the value
// holds a line break, which would change the file's other entries.
std::string setIniValue(std::string_view fileBytes, std::string_view section, std::string_view key,
                        std::string_view value);

// setIniValue on the file at `path` (a missing file counts as empty), replacing the file
// atomically. Throws Failure, with the old file left as it was, when it cannot.
void writeIniValue(const std::string& path, std::string_view section, std::string_view key, std::string_view value,
                   const FileCalls& calls = {});

} // namespace zemora
