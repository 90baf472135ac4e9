#pragma once

#include <cstdint>
#include <string>

namespace quorvane {

// A font as stored layouts and the Font property hold it.
struct StdFont {
    std::string name = "MS Sans Serif";
    double size = 8.25;         // points
    std::int16_t weight = 400;  // 400 regular, 700 bold
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;
    std::int16_t charset = 0;  // kept for the stored layouts; text output picks glyphs by script
    friend bool operator==(const StdFont&, const StdFont&) = default;
};

// The container's ambient properties that a new or stored button takes its defaults from.
struct Ambient {
    StdFont Font;
    std::uint32_t ForeColor = 0;  // 0x00BBGGRR, or a system colour reference
    std::string DisplayName;      // the instance's name in its container
};

}  // namespace quorvane
