#include "xpbutton/AccessibleText.h"

namespace quorvane {

namespace {

// Upper case of one UTF-8 character, for the scripts lowerCase (AccessKey.h) lowers: Latin (ASCII
// and Latin-1), Greek and Cyrillic; anything else is returned unchanged.
std::string upperCase(std::string_view character) {
    if (character.size() == 1) {
        const char c = character[0];
        return std::string(1, c >= 'a' && c <= 'z' ? static_cast<char>(c - 0x20) : c);
    }
    if (character.size() != 2) return std::string(character);
    const auto lead = static_cast<unsigned char>(character[0]);
    const auto next = static_cast<unsigned char>(character[1]);
    if ((lead >> 5) != 0x6 || (next & 0xC0) != 0x80) return std::string(character);
    char32_t c = static_cast<char32_t>(((lead & 0x1F) << 6) | (next & 0x3F));
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
        c -= 0x20;  // Latin-1
    else if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2)
        c -= 0x20;  // Greek
    else if (c >= 0x430 && c <= 0x44F)
        c -= 0x20;  // Cyrillic
    else if (c >= 0x450 && c <= 0x45F)
        c -= 0x50;
    std::string out;
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
    return out;
}

}  // namespace

std::string captionName(std::string_view caption) {
    // "&" is one byte in UTF-8 and never part of another character's bytes.
    std::string name;
    name.reserve(caption.size());
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] != '&') {
            name += caption[i];
            continue;
        }
        if (i + 1 < caption.size() && caption[i + 1] == '&') {
            name += '&';
            ++i;
        }
    }
    return name;
}

std::string accessKeyShortcut(std::string_view accessKey) {
    if (accessKey.empty()) return {};
    return "Alt+" + upperCase(accessKey);
}

}  // namespace quorvane
