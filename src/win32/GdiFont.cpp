#include "win32/GdiFont.h"

#include <cmath>
#include <utility>

#include "platform/win32/Win32Text.h"

namespace quorvane::win32 {

GdiFont::GdiFont(const StdFont& font, int dpi, bool antialiased) {
    LOGFONTW log{};
    // Points to device pixels at this DPI, as the character height (a negative height).
    log.lfHeight = -static_cast<LONG>(std::lround(font.size * dpi / 72.0));
    log.lfWeight = font.weight;
    log.lfItalic = font.italic;
    log.lfUnderline = font.underline;
    log.lfStrikeOut = font.strikethrough;
    log.lfCharSet = DEFAULT_CHARSET;
    log.lfQuality = antialiased ? DEFAULT_QUALITY : NONANTIALIASED_QUALITY;
    const std::wstring face = toWide(font.name).value_or(L"");
    face.copy(log.lfFaceName, LF_FACESIZE - 1);
    m_font = ::CreateFontIndirectW(&log);
}

GdiFont::~GdiFont() {
    if (m_font) ::DeleteObject(m_font);
}

GdiFont::GdiFont(GdiFont&& other) noexcept : m_font(std::exchange(other.m_font, nullptr)) {}

GdiFont& GdiFont::operator=(GdiFont&& other) noexcept {
    if (this != &other) {
        if (m_font) ::DeleteObject(m_font);
        m_font = std::exchange(other.m_font, nullptr);
    }
    return *this;
}

COLORREF colourOf(std::uint32_t value) {
    if (value & 0x80000000u) return ::GetSysColor(static_cast<int>(value & 0xFF));
    return value & 0x00FFFFFF;
}

}  // namespace quorvane::win32
