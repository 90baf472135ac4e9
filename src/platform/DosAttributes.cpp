#include "platform/DosAttributes.h"

#include <cstdio>

namespace quorvane {

std::string formatDosAttrib(std::uint32_t attributes) {
    char text[16];
    const int n = std::snprintf(text, sizeof text, "0x%x", static_cast<unsigned>(attributes));
    std::string value(text, static_cast<std::size_t>(n));
    value.push_back('\0');
    return value;
}

std::optional<std::uint32_t> parseDosAttrib(std::string_view value) {
    value = value.substr(0, value.find('\0'));
    if (value.size() >= 2 && value[0] == '0' && (value[1] == 'x' || value[1] == 'X')) value.remove_prefix(2);
    std::uint64_t result = 0;
    std::size_t digits = 0;
    for (char c : value) {
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

bool hiddenListContains(std::string_view content, std::string_view name) {
    bool found = false;
    forEachLine(content, [&](std::string_view line, std::size_t, std::size_t) { found = found || line == name; });
    return found;
}

std::string hiddenListAdd(std::string_view content, std::string_view name) {
    std::string result(content);
    if (hiddenListContains(content, name)) return result;
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
