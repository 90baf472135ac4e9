#include "platform/IniText.h"

#include <utf8.h>

#include <cstdint>
#include <iterator>
#include <vector>

#include "platform/Error.h"

namespace quorvane {

namespace {

// ---- Encodings ---------------------------------------------------------------------------------
// UTF-16 files are edited as UTF-8 text. Lone surrogates are carried in their three-byte form, so
// that every line nobody touched comes back exactly as it was stored; new text must be valid UTF-8
// (no overlong form, no surrogate, nothing beyond U+10FFFF), which utfcpp checks.

enum class Encoding { Bytes, Utf16Le, Utf16Be };

struct Decoded {
    Encoding encoding = Encoding::Bytes;
    std::string_view prefix;  // the byte order mark as stored
    std::string text;         // the lines
    std::string_view suffix;  // an odd last byte of a UTF-16 file, as stored
};

std::string utf16ToUtf8(std::string_view bytes, bool bigEndian) {
    std::vector<std::uint16_t> units(bytes.size() / 2);
    for (std::size_t i = 0; i < units.size(); ++i) {
        const auto a = static_cast<unsigned char>(bytes[2 * i]);
        const auto b = static_cast<unsigned char>(bytes[2 * i + 1]);
        units[i] = static_cast<std::uint16_t>(bigEndian ? (a << 8) | b : (b << 8) | a);
    }
    std::string out;
    out.reserve(units.size());
    auto put = std::back_inserter(out);
    for (std::size_t i = 0; i < units.size(); ++i) {
        const std::uint32_t u = units[i];
        if (u >= 0xD800 && u < 0xDC00 && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] < 0xE000) {
            utf8::append(0x10000 + ((u - 0xD800) << 10) + (units[i + 1] - 0xDC00u), put);
            ++i;
        } else if (u >= 0xD800 && u < 0xE000) {
            utf8::unchecked::append(u, put);  // a lone surrogate, carried as stored
        } else {
            utf8::append(u, put);
        }
    }
    return out;
}

// The UTF-16 unit of a lone surrogate carried in its three-byte form at `at`; nothing when none is.
std::optional<std::uint16_t> carriedSurrogate(std::string_view text, std::size_t at) {
    if (at + 3 > text.size()) return std::nullopt;
    const auto a = static_cast<unsigned char>(text[at]), b = static_cast<unsigned char>(text[at + 1]),
               c = static_cast<unsigned char>(text[at + 2]);
    if (a != 0xED || b < 0xA0 || b > 0xBF || (c & 0xC0) != 0x80) return std::nullopt;
    return static_cast<std::uint16_t>(0xD000 | ((b & 0x3F) << 6) | (c & 0x3F));
}

// `text` is valid UTF-8 but for the lone surrogates utf16ToUtf8 carried; anything else is refused.
std::string utf8ToUtf16(std::string_view text, bool bigEndian) {
    std::string out;
    out.reserve(text.size() * 2);
    auto put = [&](std::uint16_t unit) {
        const char hi = static_cast<char>(unit >> 8), lo = static_cast<char>(unit & 0xFF);
        out += bigEndian ? hi : lo;
        out += bigEndian ? lo : hi;
    };
    std::vector<std::uint16_t> units;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const auto run = text.substr(pos);
        const std::size_t valid = static_cast<std::size_t>(utf8::find_invalid(run.begin(), run.end()) - run.begin());
        units.clear();
        utf8::utf8to16(run.begin(), run.begin() + static_cast<std::ptrdiff_t>(valid), std::back_inserter(units));
        for (const std::uint16_t unit : units) put(unit);
        pos += valid;
        if (pos == text.size()) break;
        const auto lone = carriedSurrogate(text, pos);
        if (!lone)
            throw PlatformError(errc::InvalidPathText, describeError(errc::InvalidPathText) +
                                                           ": text that is not valid UTF-8 cannot be written into a "
                                                           "UTF-16 file");
        put(*lone);
        pos += 3;
    }
    return out;
}

Decoded decode(std::string_view content) {
    Decoded d;
    auto starts = [&](std::string_view mark) { return content.substr(0, mark.size()) == mark; };
    if (starts("\xFF\xFE") || starts("\xFE\xFF")) {
        d.encoding = content[0] == '\xFF' ? Encoding::Utf16Le : Encoding::Utf16Be;
        d.prefix = content.substr(0, 2);
        std::string_view units = content.substr(2);
        d.suffix = units.substr(units.size() - units.size() % 2);
        d.text = utf16ToUtf8(units.substr(0, units.size() - d.suffix.size()), d.encoding == Encoding::Utf16Be);
    } else {
        if (starts("\xEF\xBB\xBF")) d.prefix = content.substr(0, 3);
        d.text = std::string(content.substr(d.prefix.size()));
    }
    return d;
}

std::string encode(const Decoded& d, const std::string& text) {
    std::string out(d.prefix);
    out += d.encoding == Encoding::Bytes ? text : utf8ToUtf16(text, d.encoding == Encoding::Utf16Be);
    out += d.suffix;
    return out;
}

// ---- Lines -------------------------------------------------------------------------------------

struct Line {
    std::size_t begin;  // first byte of the line
    std::size_t end;    // after its text, before its CR LF or LF
    std::size_t next;   // first byte of the next line (== end for an unended last line)
};

std::vector<Line> splitLines(std::string_view text) {
    std::vector<Line> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t lf = text.find('\n', pos);
        if (lf == std::string_view::npos) {
            lines.push_back({pos, text.size(), text.size()});
            break;
        }
        const std::size_t end = (lf > pos && text[lf - 1] == '\r') ? lf - 1 : lf;
        lines.push_back({pos, end, lf + 1});
        pos = lf + 1;
    }
    return lines;
}

bool isBlankChar(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::string_view trim(std::string_view s) {
    while (!s.empty() && isBlankChar(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlankChar(s.back())) s.remove_suffix(1);
    return s;
}

bool namesMatch(std::string_view a, std::string_view b, const IniFormat& format) {
    if (!format.ignoreCase) return a == b;
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

// What one line is: a section header with its name, a key with its name, or anything else
// (comments, blank lines, text without "=").
struct Parsed {
    enum Kind { Other, Section, Key } kind = Other;
    std::string_view name;
};

Parsed parse(std::string_view text, const Line& line) {
    const std::string_view s = trim(text.substr(line.begin, line.end - line.begin));
    if (!s.empty() && s.front() == '[') {
        const std::size_t close = s.rfind(']');
        if (close != std::string_view::npos) return {Parsed::Section, trim(s.substr(1, close - 1))};
    }
    const std::size_t eq = s.find('=');
    if (eq != std::string_view::npos) return {Parsed::Key, trim(s.substr(0, eq))};
    return {};
}

struct Place {
    std::vector<Line> lines;
    std::optional<std::size_t> header;  // index of the section's header line
    std::size_t stop = 0;               // index after the section's last line
    std::vector<std::size_t> keys;      // indexes of the key's lines within the section, in file order
};

Place locate(std::string_view text, std::string_view section, std::string_view key, const IniFormat& format) {
    // The names given are matched as the file's are, without the blanks around them.
    section = trim(section);
    key = trim(key);
    Place p;
    p.lines = splitLines(text);
    for (std::size_t i = 0; i < p.lines.size(); ++i) {
        const Parsed parsed = parse(text, p.lines[i]);
        if (parsed.kind == Parsed::Section && namesMatch(parsed.name, section, format)) {
            p.header = i;
            break;
        }
    }
    if (!p.header) return p;
    p.stop = p.lines.size();
    for (std::size_t i = *p.header + 1; i < p.lines.size(); ++i) {
        const Parsed parsed = parse(text, p.lines[i]);
        if (parsed.kind == Parsed::Section) {
            p.stop = i;
            break;
        }
        if (parsed.kind == Parsed::Key && namesMatch(parsed.name, key, format)) p.keys.push_back(i);
    }
    return p;
}

std::string edit(std::string text, std::string_view section, std::string_view key,
                 const std::optional<std::string>& value, const IniFormat& format) {
    const std::string lineEnd(format.lineEnd);
    const Place p = locate(text, section, key, format);
    if (!p.keys.empty()) {
        const Line& line = p.lines[p.keys.front()];
        if (!value) {
            // Every line of the key goes: with only the first gone, a hand-made second one would
            // be what readers find next, and the key would still be set.
            for (auto i = p.keys.rbegin(); i != p.keys.rend(); ++i)
                text.erase(p.lines[*i].begin, p.lines[*i].next - p.lines[*i].begin);
        } else {
            const std::string_view stored = std::string_view(text).substr(line.begin, line.end - line.begin);
            if (trim(stored.substr(stored.find('=') + 1)) == *value) return text;  // nothing to change
            // The key keeps the spelling the file gives it.
            const std::string name(parse(text, line).name);
            text.replace(line.begin, line.next - line.begin, name + "=" + *value + lineEnd);
        }
        return text;
    }
    if (!value) return text;

    // Spelt as the file will give it back, without blanks around it.
    const std::string entry = std::string(trim(key)) + "=" + *value + lineEnd;
    if (p.header) {
        // After the section's last line that holds anything, so blank lines before the next
        // section stay where they are.
        std::size_t last = *p.header;
        for (std::size_t i = *p.header + 1; i < p.stop; ++i) {
            const Line& line = p.lines[i];
            if (!trim(std::string_view(text).substr(line.begin, line.end - line.begin)).empty()) last = i;
        }
        const Line& after = p.lines[last];
        text.insert(after.next, after.next == after.end ? lineEnd + entry : entry);
        return text;
    }
    if (!text.empty() && text.back() != '\n') text += lineEnd;
    text += "[" + std::string(section) + "]" + lineEnd + entry;
    return text;
}

}  // namespace

bool IniStorable(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

bool IniUtf8(std::string_view text) { return utf8::is_valid(text.begin(), text.end()); }

std::string IniWriteValue(std::string_view content, std::string_view section, std::string_view key,
                          const std::optional<std::string>& value, const IniFormat& format) {
    if (!IniStorable(section) || !IniStorable(key) || (value && !IniStorable(*value)))
        throw PlatformError(errc::InvalidPathText,
                            describeError(errc::InvalidPathText) + ": a line break cannot be written into one line");
    // A key that would read back as something else: the part before its "=", or a section header.
    const std::string_view keyName = trim(key);
    if (keyName.find('=') != std::string_view::npos || (!keyName.empty() && keyName.front() == '['))
        throw PlatformError(errc::InvalidPathText,
                            describeError(errc::InvalidPathText) + ": \"" + std::string(key) + "\" cannot be a key's name");
    const Decoded decoded = decode(content);
    // New text goes into a UTF-16 file only as valid UTF-8: an overlong form would become a line
    // break there, a byte that is no character would become U+FFFD.
    if (decoded.encoding != Encoding::Bytes &&
        (!IniUtf8(section) || !IniUtf8(key) || (value && !IniUtf8(*value))))
        throw PlatformError(errc::InvalidPathText,
                            describeError(errc::InvalidPathText) +
                                ": text that is not valid UTF-8 cannot be written into a UTF-16 file");
    const std::string text = edit(decoded.text, section, key, value, format);
    if (text == decoded.text) return std::string(content);
    return encode(decoded, text);
}

std::optional<std::string> IniReadValue(std::string_view content, std::string_view section, std::string_view key,
                                        const IniFormat& format) {
    const Decoded decoded = decode(content);
    const std::string_view text = decoded.text;
    const Place p = locate(text, section, key, format);
    if (p.keys.empty()) return std::nullopt;
    const Line& line = p.lines[p.keys.front()];
    const std::string_view s = text.substr(line.begin, line.end - line.begin);
    std::string_view v = trim(s.substr(s.find('=') + 1));
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.substr(1, v.size() - 2);
    return std::string(v);
}

bool IniHoldsOnly(std::string_view content, std::string_view section, std::initializer_list<std::string_view> keys,
                  const IniFormat& format) {
    const Decoded decoded = decode(content);
    const std::string_view text = decoded.text;
    bool inSection = false;
    for (const Line& line : splitLines(text)) {
        if (trim(text.substr(line.begin, line.end - line.begin)).empty()) continue;
        const Parsed parsed = parse(text, line);
        if (parsed.kind == Parsed::Section) {
            inSection = namesMatch(parsed.name, section, format);
            if (!inSection) return false;
            continue;
        }
        if (!inSection || parsed.kind != Parsed::Key) return false;
        bool named = false;
        for (std::string_view key : keys) named = named || namesMatch(parsed.name, key, format);
        if (!named) return false;
    }
    return true;
}

}  // namespace quorvane
