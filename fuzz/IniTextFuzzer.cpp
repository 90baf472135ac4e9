// The INI text of "desktop.ini" (ANSI or UTF-16) and ".directory", which anyone who may write the
// folder can plant, edited with section, key and value of any bytes. Whatever the file holds:
// - every line written is one the file had or one made of the text given: the section's header,
//   or the key (in the file's spelling) with the value, so no byte sequence adds a line of its own;
// - what is written reads back, a removed key reads as missing, and writing it again changes no byte;
// - the only failure is the refusal of text that cannot be written (InvalidPathText).
#include <fuzzer/FuzzedDataProvider.h>
#include <utf8.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <optional>
#include <set>
#include <string>

#include "platform/IniText.h"
#include "platform/Error.h"

namespace {

using quorvane::IniFormat;

// A property that does not hold is a finding: said, and the run stops there.
void holds(bool condition, const char* property, int line) {
    if (condition) return;
    std::fprintf(stderr, "property does not hold (line %d): %s\n", line, property);
    std::abort();
}
#define check(condition) holds((condition), #condition, __LINE__)

// A file's text as code units: bytes, or UTF-16 units after a byte order mark (an odd last byte
// dropped). Lines end at LF. CRs at a line's end are left out of it: a last line without its line
// end gets one (CR LF, or LF in a desktop entry), which may make a CR of its own part of that end.
using Units = std::u16string;

Units unitsOf(const std::string& file, bool& utf16) {
    Units units;
    utf16 = file.size() >= 2 && ((file[0] == '\xFF' && file[1] == '\xFE') || (file[0] == '\xFE' && file[1] == '\xFF'));
    if (!utf16) {
        std::size_t start = file.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
        for (std::size_t i = start; i < file.size(); ++i) units += static_cast<char16_t>(static_cast<unsigned char>(file[i]));
        return units;
    }
    const bool big = file[0] == '\xFE';
    for (std::size_t i = 2; i + 1 < file.size(); i += 2) {
        const auto a = static_cast<unsigned char>(file[i]), b = static_cast<unsigned char>(file[i + 1]);
        units += static_cast<char16_t>(big ? (a << 8) | b : (b << 8) | a);
    }
    return units;
}

std::multiset<Units> linesOf(const Units& text) {
    std::multiset<Units> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t lf = text.find(u'\n', pos);
        if (lf == Units::npos) lf = text.size();
        std::size_t end = lf;
        while (end > pos && text[end - 1] == u'\r') --end;
        lines.insert(text.substr(pos, end - pos));
        pos = lf + 1;
    }
    return lines;
}

// The units of text given to the writer, as they stand in a file of that kind.
Units given(const std::string& text, bool utf16) {
    Units units;
    if (utf16)
        utf8::utf8to16(text.begin(), text.end(), std::back_inserter(units));
    else
        for (const char c : text) units += static_cast<char16_t>(static_cast<unsigned char>(c));
    return units;
}

char16_t lower(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c; }

bool sameName(const Units& a, const Units& b, bool ignoreCase) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (ignoreCase ? lower(a[i]) != lower(b[i]) : a[i] != b[i]) return false;
    return true;
}

bool blank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\v' || c == u'\f'; }

Units trimmed(Units s) {
    while (!s.empty() && blank(s.front())) s.erase(0, 1);
    while (!s.empty() && blank(s.back())) s.pop_back();
    return s;
}

// A name the writer can find again by itself: no blanks around it, no "=" or brackets that would
// make its line something else.
bool plainName(const std::string& name) {
    if (name.empty() || name.find_first_of("=[]") != std::string::npos) return false;
    return !blank(static_cast<unsigned char>(name.front())) && !blank(static_cast<unsigned char>(name.back()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const IniFormat& format = input.ConsumeBool() ? quorvane::kProfileFormat : quorvane::kDesktopEntryFormat;
    const std::string section = input.ConsumeRandomLengthString(32);
    const std::string key = input.ConsumeRandomLengthString(32);
    std::optional<std::string> value;
    if (input.ConsumeBool()) value = input.ConsumeRandomLengthString(64);
    const std::string content = input.ConsumeRemainingBytesAsString();

    quorvane::IniReadValue(content, section, key, format);
    quorvane::IniHoldsOnly(content, section, {key, "iconindex"}, format);
    std::string out;
    try {
        out = quorvane::IniWriteValue(content, section, key, value, format);
    } catch (const quorvane::PlatformError& error) {
        check(error.number() == quorvane::errc::InvalidPathText);
        return 0;
    }
    bool utf16 = false;
    const Units before = unitsOf(content, utf16);
    // Refused above unless the text is whole lines' worth and, for UTF-16, valid UTF-8.
    check(quorvane::IniStorable(section) && quorvane::IniStorable(key) && (!value || quorvane::IniStorable(*value)));
    if (utf16) check(quorvane::IniUtf8(section) && quorvane::IniUtf8(key) && (!value || quorvane::IniUtf8(*value)));

    bool outUtf16 = false;
    const Units after = unitsOf(out, outUtf16);
    check(outUtf16 == utf16);
    const std::multiset<Units> old = linesOf(before);
    const Units header = u"[" + given(section, utf16) + u"]";
    const Units keyUnits = given(key, utf16);
    const Units valueUnits = value ? given(*value, utf16) : Units();
    const std::multiset<Units> written = linesOf(after);
    for (const Units& line : written) {
        if (old.count(line) || line == header) continue;
        // The key's line: the file's own spelling of the name, "=", the value.
        check(value.has_value() && line.size() > valueUnits.size() &&
              line.compare(line.size() - valueUnits.size(), valueUnits.size(), valueUnits) == 0 &&
              line[line.size() - valueUnits.size() - 1] == u'=');
        check(sameName(trimmed(line.substr(0, line.size() - valueUnits.size() - 1)), trimmed(keyUnits),
                       format.ignoreCase));
    }
    // A value changes one line, adding at most it and a header; no value only takes the key's
    // lines away, and reads back as nothing.
    if (value) {
        check(written.size() <= old.size() + 2 && written.size() + 1 >= old.size());
    } else {
        check(written.size() <= old.size());
        check(!quorvane::IniReadValue(out, section, key, format).has_value() || !plainName(key));
    }

    // Writing the same again changes no byte.
    check(quorvane::IniWriteValue(out, section, key, value, format) == out);
    // What is written reads back.
    if (value && plainName(section) && plainName(key) && trimmed(valueUnits) == valueUnits &&
        !(valueUnits.size() >= 2 && (valueUnits.front() == u'"' || valueUnits.front() == u'\'') &&
          valueUnits.back() == valueUnits.front()))
        check(quorvane::IniReadValue(out, section, key, format) == value);
    return 0;
}
