#pragma once

#include <windows.h>

#include "xpbutton/StdFont.h"

namespace quorvane::win32 {

// A font of the layouts at a window's DPI, owned: deleted with the object.
class GdiFont {
public:
    GdiFont() = default;
    GdiFont(const StdFont& font, int dpi, bool antialiased = true);
    ~GdiFont();
    GdiFont(GdiFont&& other) noexcept;
    GdiFont& operator=(GdiFont&& other) noexcept;
    GdiFont(const GdiFont&) = delete;
    GdiFont& operator=(const GdiFont&) = delete;

    HFONT handle() const { return m_font; }

private:
    HFONT m_font = nullptr;
};

// The colour a stored colour stands for: 0x00BBGGRR as it is, a system colour reference (top bit
// set) as the system's colour of that index.
COLORREF colourOf(std::uint32_t value);

}  // namespace quorvane::win32
