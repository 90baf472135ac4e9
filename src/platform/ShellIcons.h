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
    // The icon of the kind `size` asks for (16: small, else large), transparent around it, or
    // nothing when the path names nothing that exists. Where the shell keeps its icons at a size of
    // its own (its image lists follow the screen's DPI), the picture has that size; elsewhere it is
    // `size` x `size`.
    virtual std::optional<IconImage> iconFor(const std::string& path, int size) = 0;
};

}  // namespace quorvane
