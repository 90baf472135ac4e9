#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorvane {

// The text side of the profile writer, kept free of files so that it can be compared byte for byte
// with the platform's own writer: bytes of the file in, bytes of the file out.
//
// `content` is the file as stored ("" for a missing file). Sections are lines "[name]", keys are
// lines "name=value"; both names are matched without regard to ASCII case and to the blanks
// around them, and the first match counts. A found key's line becomes its own spelling of the
// name, "=", the value and CR LF; a missing key goes after the last non-blank line of its
// section; a missing section goes at the end of the file, after a CR LF that ends an unended last
// line. No value removes the key's line; removing what is not there changes nothing. Every other
// byte stays as it was. A file that starts with a UTF-16 byte order mark is edited in UTF-16 and
// stays UTF-16; a UTF-8 byte order mark is kept.
//
// Throws PlatformError (InvalidPathText) when section, key or value holds CR, LF or NUL, which
// would break the file's lines apart.
std::string IniWriteValue(std::string_view content, std::string_view section, std::string_view key,
                          const std::optional<std::string>& value);

// The value of `key` in `section` as a profile reader sees it: the text after "=", without the
// blanks around it and without one pair of double quotes around the whole; nothing when the
// section or the key is missing.
std::optional<std::string> IniReadValue(std::string_view content, std::string_view section, std::string_view key);

// True when `text` can stand in one line of a profile: no CR, LF or NUL.
bool IniStorable(std::string_view text);

}  // namespace quorvane
