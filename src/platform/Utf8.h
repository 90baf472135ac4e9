#pragma once

#include <cstddef>
#include <string_view>

namespace quorvane {

// The number of characters in UTF-8 text (the core's text): every byte but a continuation byte
// starts one. Lengths the user sees are counted so, never in bytes.
inline std::size_t characterCount(std::string_view text) {
    std::size_t count = 0;
    for (const char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
    return count;
}

}  // namespace quorvane
