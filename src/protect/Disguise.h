#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace quorvane {

// The disguises of "Lock Folder": the captions of the choice list and, at the same positions,
// the suffix appended to the folder's name (a dot and a shell object's class identifier).
inline constexpr std::array<std::string_view, 8> kDisguiseCaptions = {
    "Control Panel", "Printers", "Audio File", "Video File",
    "Word Document", "Network",  "XML Document", "Recycled Bin",
};

inline constexpr std::array<std::string_view, 8> DisguiseSuffixes = {
    ".{21EC2020-3AEA-1069-A2DD-08002B30309D}",
    ".{2227A280-3AEA-1069-A2DE-08002B30309D}",
    ".{0003000D-0000-0000-C000-000000000046}",
    ".{00022602-0000-0000-C000-000000000046}",
    ".{9E56BE61-C50F-11CF-9A2C-00A0C90A90CE}",
    ".{00020906-0000-0000-C000-000000000046}",
    ".{48123bc4-99d9-11d1-a6b3-00c04fd91555}",
    ".{645FF040-5081-101B-9F08-00AA002F954E}",
};

// The disguise whose suffix ends `name` exactly, if any.
inline std::optional<std::size_t> disguiseOf(std::string_view name) {
    for (std::size_t i = 0; i < DisguiseSuffixes.size(); ++i)
        if (name.ends_with(DisguiseSuffixes[i])) return i;
    return std::nullopt;
}

}  // namespace quorvane
