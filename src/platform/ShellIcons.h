#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quorvane {

// An icon's picture: width x height premultiplied pixels 0xAARRGGBB, rows top to bottom without
// padding (the layout toolkits' 32-bit premultiplied images use, so they wrap it as it is).
struct IconImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    friend bool operator==(const IconImage&, const IconImage&) = default;
};

// The icon the file manager shows for a path, as the shell's icon lookup gives it.
class ShellIcons {
public:
    virtual ~ShellIcons() = default;
    // A `size` x `size` picture (transparent where the icon is), or nothing when the path names
    // nothing that exists.
    virtual std::optional<IconImage> iconFor(const std::string& path, int size) = 0;
};

}  // namespace quorvane
