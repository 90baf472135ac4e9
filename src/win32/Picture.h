#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quorvane::win32 {

// A decoded picture: width x height premultiplied pixels 0xAARRGGBB, rows top to bottom, the layout
// of a 32-bit top-down device-independent bitmap.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// The picture in a file's bytes (JPEG, PNG, ICO, BMP, GIF), decoded by the system's imaging
// component; nothing when it cannot be read.
std::optional<Picture> decodePicture(const void* bytes, std::size_t size);

// The bytes of an RCDATA resource of this program, or nothing.
std::optional<std::vector<unsigned char>> resourceBytes(int id);

// A picture the layouts name (":/art/banner.jpg"), from the program's resources; nothing for a name
// the program does not carry.
std::optional<Picture> artPicture(const std::string& path);

// The picture drawn with its top-left corner at (x, y), one picture pixel to one device pixel, over
// what is there where it is transparent.
void drawPicture(HDC dc, const Picture& picture, int x, int y);
// The same, scaled to width x height device pixels.
void drawPicture(HDC dc, const Picture& picture, int x, int y, int width, int height);

}  // namespace quorvane::win32
