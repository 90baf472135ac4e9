#include "platform/DosAttributes.h"

#include <cstdio>

namespace quorvane {

namespace {

constexpr std::uint32_t kDirectory = 0x10;
constexpr std::uint32_t kAttribValid = 0x1;  // the record's valid flag for its attribute field

// Where a record version keeps its attribute, from the start of its fields (which NDR aligns to
// four bytes); versions before 3 have no valid flags. Every field is a multiple of four bytes long.
struct RecordLayout {
    std::uint16_t version;
    std::size_t size;
    std::size_t attribute;
    bool validFlags;
};

constexpr RecordLayout kLayouts[] = {
    {1, 40, 0, false},  // attrib, ea_size, size, alloc_size, create_time, change_time
    {3, 44, 4, true},   // valid_flags, attrib, ea_size, size, alloc_size, create_time, change_time
    {4, 24, 4, true},   // valid_flags, attrib, itime, create_time
    {5, 16, 4, true},   // valid_flags, attrib, create_time
};

std::size_t alignUp(std::size_t n, std::size_t to) { return (n + to - 1) / to * to; }

std::uint32_t readLe(std::string_view bytes, std::size_t at, std::size_t size) {
    std::uint32_t value = 0;
    for (std::size_t i = size; i-- > 0;) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

void writeLe(std::string& bytes, std::size_t at, std::size_t size, std::uint32_t value) {
    for (std::size_t i = 0; i < size; ++i) bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

void appendLe(std::string& bytes, std::size_t size, std::uint32_t value) {
    bytes.append(size, '\0');
    writeLe(bytes, bytes.size() - size, size, value);
}

// A stored value taken apart: the hex text, and what follows its NUL.
struct Stored {
    std::string_view text;
    enum class Tail { None, Record, Unknown } tail = Tail::None;
    const RecordLayout* layout = nullptr;
    std::string_view fields;  // the record's fields and whatever follows them, as stored
};

Stored split(std::string_view value) {
    Stored s;
    const std::size_t nul = value.find('\0');
    s.text = value.substr(0, nul);
    if (nul == std::string_view::npos || nul + 1 == value.size()) return s;
    s.tail = Stored::Tail::Unknown;
    const std::size_t versionAt = alignUp(nul + 1, 2);
    if (versionAt + 4 > value.size()) return s;
    const auto version = static_cast<std::uint16_t>(readLe(value, versionAt, 2));
    if (readLe(value, versionAt + 2, 2) != version) return s;  // the union's level repeats the version
    const std::size_t fieldsAt = alignUp(versionAt + 4, 4);
    for (const RecordLayout& layout : kLayouts) {
        if (layout.version != version) continue;
        if (fieldsAt + layout.size > value.size()) return s;
        s.tail = Stored::Tail::Record;
        s.layout = &layout;
        s.fields = value.substr(fieldsAt);
    }
    return s;
}

std::optional<std::uint32_t> parseHexText(std::string_view text) {
    if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text.remove_prefix(2);
    std::uint64_t result = 0;
    std::size_t digits = 0;
    for (char c : text) {
        int d;
        if (c >= '0' && c <= '9') d = c - '0';
        else if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
        else break;
        result = (result << 4) | static_cast<std::uint64_t>(d);
        if (++digits > 8) return std::nullopt;
    }
    if (digits == 0) return std::nullopt;
    return static_cast<std::uint32_t>(result);
}

// "0x%x" of the attribute, with leading zeros where needed to put the record's version at an
// offset of 2 modulo 4: the kernel's server reads the union's level and the NDR padding after it
// as one 32-bit number, which holds only there. Samba and wine read the text either way.
std::string hexTextBeforeRecord(std::uint32_t attributes) {
    char digits[16];
    const int n = std::snprintf(digits, sizeof digits, "%x", static_cast<unsigned>(attributes));
    std::string text = "0x" + std::string(digits, static_cast<std::size_t>(n));
    while (alignUp(text.size() + 1, 2) % 4 != 2) text.insert(2, 1, '0');
    return text;
}

}  // namespace

std::string formatDosAttrib(std::uint32_t attributes) {
    char text[16];
    const int n = std::snprintf(text, sizeof text, "0x%x", static_cast<unsigned>(attributes));
    std::string value(text, static_cast<std::size_t>(n));
    value.push_back('\0');
    return value;
}

std::optional<std::uint32_t> parseDosAttrib(std::string_view value) {
    const Stored s = split(value);
    if (s.tail == Stored::Tail::Record) return readLe(s.fields, s.layout->attribute, 4);
    return parseHexText(s.text);
}

std::optional<std::string> updateDosAttrib(std::string_view stored, std::uint32_t attributes, bool directory) {
    const Stored s = split(stored);
    switch (s.tail) {
        case Stored::Tail::None:
            if (!stored.empty() && !parseHexText(s.text)) return std::nullopt;
            return formatDosAttrib(attributes);
        case Stored::Tail::Unknown:
            return std::nullopt;
        case Stored::Tail::Record:
            break;
    }
    const std::uint32_t value = directory ? attributes | kDirectory : attributes & ~kDirectory;
    std::string out = hexTextBeforeRecord(value);
    out.push_back('\0');
    out.resize(alignUp(out.size(), 2), '\0');
    appendLe(out, 2, s.layout->version);
    appendLe(out, 2, s.layout->version);
    out.resize(alignUp(out.size(), 4), '\0');
    const std::size_t fieldsAt = out.size();
    out.append(s.fields);
    writeLe(out, fieldsAt + s.layout->attribute, 4, value);
    if (s.layout->validFlags) writeLe(out, fieldsAt, 4, readLe(s.fields, 0, 4) | kAttribValid);
    return out;
}

namespace {

// Calls `f(line, begin, end)` for each line; `end` includes the line's LF.
template <typename F>
void forEachLine(std::string_view content, F&& f) {
    std::size_t pos = 0;
    while (pos < content.size()) {
        std::size_t lf = content.find('\n', pos);
        std::size_t end = lf == std::string_view::npos ? content.size() : lf + 1;
        std::string_view line = content.substr(pos, (lf == std::string_view::npos ? content.size() : lf) - pos);
        f(line, pos, end);
        pos = end;
    }
}

}  // namespace

bool hiddenListCanHold(std::string_view name) {
    return !name.empty() && name.find('\n') == std::string_view::npos && name.back() != '\r';
}

bool hiddenListContains(std::string_view content, std::string_view name) {
    bool found = false;
    forEachLine(content, [&](std::string_view line, std::size_t, std::size_t) { found = found || line == name; });
    return found;
}

std::string hiddenListAdd(std::string_view content, std::string_view name) {
    std::string result(content);
    if (!hiddenListCanHold(name) || hiddenListContains(content, name)) return result;
    if (!result.empty() && result.back() != '\n') result.push_back('\n');
    result.append(name);
    result.push_back('\n');
    return result;
}

std::string hiddenListRemove(std::string_view content, std::string_view name) {
    std::string result;
    result.reserve(content.size());
    forEachLine(content, [&](std::string_view line, std::size_t begin, std::size_t end) {
        if (line != name) result.append(content.substr(begin, end - begin));
    });
    return result;
}

}  // namespace quorvane
