#include "xpbutton/AccessKey.h"

#include <vector>

namespace quorvane {

namespace {

// Code points of UTF-8 text; a malformed byte stands for itself, so nothing is lost.
std::vector<char32_t> codePoints(std::string_view text) {
    std::vector<char32_t> out;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        int length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
        char32_t c = length == 1 ? lead : length == 2 ? (lead & 0x1F) : length == 3 ? (lead & 0x0F) : (lead & 0x07);
        bool valid = length > 0 && i + static_cast<std::size_t>(length) <= text.size();
        for (int k = 1; valid && k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
            if ((next & 0xC0) != 0x80) valid = false;
            c = (c << 6) | (next & 0x3F);
        }
        if (!valid) {
            out.push_back(lead);
            ++i;
            continue;
        }
        out.push_back(c);
        i += static_cast<std::size_t>(length);
    }
    return out;
}

std::string utf8Of(char32_t c) {
    std::string out;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

}  // namespace

char32_t lowerCase(char32_t c) {
    if (c >= U'A' && c <= U'Z') return c + 0x20;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;     // Latin-1 capitals
    if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) return c + 0x20;  // Greek capitals
    if (c >= 0x410 && c <= 0x42F) return c + 0x20;                // Cyrillic capitals
    if (c >= 0x400 && c <= 0x40F) return c + 0x50;
    return c;
}

std::string accessKeyOf(std::string_view caption) {
    const std::vector<char32_t> text = codePoints(caption);
    const std::size_t n = text.size();
    if (n <= 1) return {};
    std::size_t a = 0;
    while (a < n && text[a] != U'&') ++a;
    if (a + 1 >= n) return {};  // no "&", or it is the last character
    if (text[a + 1] != U'&') return utf8Of(lowerCase(text[a + 1]));
    // "&&" is a literal ampersand: one more "&" may still mark the key.
    std::size_t b = a + 2;
    while (b < n && text[b] != U'&') ++b;
    if (b >= n || b + 1 >= n) return {};
    if (text[b + 1] == U'&') return {};
    return utf8Of(lowerCase(text[b + 1]));
}

}  // namespace quorvane
