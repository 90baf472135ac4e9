#include "xpbutton/Canvas.h"

#include <algorithm>

namespace quorvane {

Canvas::Canvas(int width, int height) { resize(width, height); }

void Canvas::resize(int width, int height) {
    m_width = std::max(0, width);
    m_height = std::max(0, height);
    m_pixels.assign(static_cast<std::size_t>(m_width) * static_cast<std::size_t>(m_height), pixelOf(Rgb{}));
}

void Canvas::span(int x1, int x2, int y, Pixel p) {
    if (y < 0 || y >= m_height) return;
    x1 = std::max(x1, 0);
    x2 = std::min(x2, m_width);
    if (x1 >= x2) return;
    Pixel* row = m_pixels.data() + static_cast<std::size_t>(y) * m_width;
    std::fill(row + x1, row + x2, p);
}

void Canvas::line(int x1, int y, int x2, Rgb c) {
    if (x2 >= x1)
        span(x1, x2, y, pixelOf(c));
    else
        span(x2 + 1, x1 + 1, y, pixelOf(c));
}

void Canvas::stroke(int x, int y, Rgb c) { span(x - 1, x + 1, y, pixelOf(c)); }

void Canvas::band(int y, Rgb c) {
    const Pixel p = pixelOf(c);
    for (int row = y - 2; row <= y + 1; ++row) span(0, m_width, row, p);
}

void Canvas::pixel(int x, int y, Rgb c) { span(x, x + 1, y, pixelOf(c)); }

void Canvas::fill(Rgb c) { std::fill(m_pixels.begin(), m_pixels.end(), pixelOf(c)); }

void Canvas::frame(Rgb c) {
    const Pixel p = pixelOf(c);
    span(0, m_width, 0, p);
    span(0, m_width, m_height - 1, p);
    for (int y = 0; y < m_height; ++y) {
        span(0, 1, y, p);
        span(m_width - 1, m_width, y, p);
    }
}

}  // namespace quorvane
