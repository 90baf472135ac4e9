#pragma once

#include <string>
#include <string_view>

namespace quorvane {

// The characters of `text` before its first NUL; `text` unchanged when it holds none.
inline std::string StripAtNull(std::string_view text) {
    return std::string(text.substr(0, text.find('\0')));
}

}  // namespace quorvane
