#pragma once

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace quorvane {

// The conventions of an INI-format file: how the lines we add end, and whether section and key
// names match without regard to ASCII case. Windows profiles ("desktop.ini") end lines with CR LF
// and ignore case; freedesktop desktop entries (".directory") end them with LF and do not.
struct IniFormat {
    std::string_view lineEnd;
    bool ignoreCase;
};
inline constexpr IniFormat kProfileFormat{"\r\n", true};
inline constexpr IniFormat kDesktopEntryFormat{"\n", false};

// The text side of the profile writer, kept free of files so that it can be compared byte for byte
// with the platform's own writer: bytes of the file in, bytes of the file out.
//
// `content` is the file as stored ("" for a missing file). Sections are lines "[name]", keys are
// lines "name=value"; both names are matched without regard to ASCII case (in the profile format)
// and to the blanks around them, and the first match counts. A found key's line becomes its own
// spelling of the name, "=", the value and the format's line end; a missing key goes after the
// last non-blank line of its section; a missing section goes at the end of the file, after a line
// end that ends an unended last line. No value removes every line of the key in that section, so
// that no reader finds it afterwards; removing what is not there changes nothing. Every other byte stays as it was. A file that starts with a UTF-16 byte order
// mark is edited in UTF-16 and stays UTF-16; a UTF-8 byte order mark is kept.
//
// Throws PlatformError (InvalidPathText) when section, key or value holds CR, LF or NUL, which
// would break the file's lines apart, or, for a UTF-16 file, is not valid UTF-8 (IniUtf8): an
// overlong form, a surrogate or a byte that is no character is refused, never converted; and when
// the key holds "=" or starts with "[", which would read back as another key or a section.
std::string IniWriteValue(std::string_view content, std::string_view section, std::string_view key,
                          const std::optional<std::string>& value, const IniFormat& format = kProfileFormat);

// The value of `key` in `section` as a profile reader sees it: the text after "=", without the
// blanks around it and without one pair of double quotes around the whole; nothing when the
// section or the key is missing.
std::optional<std::string> IniReadValue(std::string_view content, std::string_view section, std::string_view key,
                                        const IniFormat& format = kProfileFormat);

// True when the file holds nothing but blank lines, the header of `section` and, in that section,
// keys named in `keys`: what is left once those keys are gone is no setting at all.
bool IniHoldsOnly(std::string_view content, std::string_view section, std::initializer_list<std::string_view> keys,
                  const IniFormat& format = kProfileFormat);

// True when `text` can stand in one line of a profile: no CR, LF or NUL.
bool IniStorable(std::string_view text);

// True when `text` is valid UTF-8: shortest forms only, no surrogates, nothing beyond U+10FFFF.
bool IniUtf8(std::string_view text);

}  // namespace quorvane
