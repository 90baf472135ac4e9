#pragma once

#include <cstdint>
#include <vector>

namespace quorvane {

// A colour as three components, each held in its own integer so that gradients can step them.
// Only the low 8 bits of each component reach a pixel.
struct Rgb {
    int r = 0;
    int g = 0;
    int b = 0;
    friend constexpr bool operator==(const Rgb&, const Rgb&) = default;
};

// The 32-bit colour value 0x00BBGGRR (red in the lowest byte) of stored layouts and colour properties.
constexpr Rgb rgbOf(std::uint32_t colorRef) {
    return Rgb{static_cast<int>(colorRef & 0xFF), static_cast<int>((colorRef >> 8) & 0xFF),
               static_cast<int>((colorRef >> 16) & 0xFF)};
}
constexpr std::uint32_t colorRefOf(Rgb c) {
    return static_cast<std::uint32_t>(c.r & 0xFF) | (static_cast<std::uint32_t>(c.g & 0xFF) << 8) |
           (static_cast<std::uint32_t>(c.b & 0xFF) << 16);
}

// A pixel of the canvas: 0xFFRRGGBB, the usual opaque 32-bit xRGB layout, so that a toolkit image
// can wrap the buffer as it is.
using Pixel = std::uint32_t;

constexpr Pixel pixelOf(Rgb c) {
    return 0xFF000000u | (static_cast<Pixel>(c.r & 0xFF) << 16) | (static_cast<Pixel>(c.g & 0xFF) << 8) |
           static_cast<Pixel>(c.b & 0xFF);
}
constexpr Rgb rgbOfPixel(Pixel p) {
    return Rgb{static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF), static_cast<int>(p & 0xFF)};
}

// A width x height image of plain 32-bit pixels, rows top to bottom without padding, with the
// drawing primitives of the button faces. Each primitive paints exactly the pixels its comment
// names; whatever falls outside the image is clipped.
class Canvas {
public:
    Canvas() = default;
    Canvas(int width, int height);

    // New size; the content is undefined until the next clear or fill.
    void resize(int width, int height);

    int width() const { return m_width; }
    int height() const { return m_height; }
    Pixel* data() { return m_pixels.data(); }
    const Pixel* data() const { return m_pixels.data(); }
    // The pixel at (x, y); the point must lie inside the image.
    Pixel at(int x, int y) const { return m_pixels[static_cast<std::size_t>(y) * m_width + x]; }
    Rgb rgbAt(int x, int y) const { return rgbOfPixel(at(x, y)); }

    // The whole image in `background`.
    void clear(Rgb background) { fill(background); }
    // A one-pixel line along row y from x1 towards x2; the end point x2 is left out, as a pen's
    // line leaves out its last point (so x1..x2-1, or x2+1..x1 when drawn leftwards).
    void line(int x1, int y, int x2, Rgb c);
    // The single pixel (x, y), drawn as a one-pixel line one row long.
    void dot(int x, int y, Rgb c) { pixel(x, y, c); }
    // A two-pixel pen's dot at (x, y): it covers (x - 1, y) and (x, y).
    void stroke(int x, int y, Rgb c);
    // A four-pixel pen's line across the image at row y: rows y - 2 to y + 1, every column.
    void band(int y, Rgb c);
    void pixel(int x, int y, Rgb c);
    // Every pixel.
    void fill(Rgb c);
    // The outermost rows and columns: row 0, row height - 1, column 0 and column width - 1.
    void frame(Rgb c);

private:
    // Row y from x1 to x2 - 1, clipped.
    void span(int x1, int x2, int y, Pixel p);

    int m_width = 0;
    int m_height = 0;
    std::vector<Pixel> m_pixels;
};

}  // namespace quorvane
