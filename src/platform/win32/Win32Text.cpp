#include "platform/win32/Win32Text.h"

#include <utf8.h>
#include <windows.h>

#include <algorithm>

namespace quorvane::win32 {

std::optional<std::wstring> toWide(const std::string& text) {
    if (text.find('\0') != std::string::npos) return std::nullopt;
    // The same rule as everywhere in the program, whatever the system's decoder lets through: no
    // overlong form, no surrogate, nothing beyond U+10FFFF.
    if (!utf8::is_valid(text.begin(), text.end())) return std::nullopt;
    if (text.empty()) return std::wstring();
    const int size = static_cast<int>(text.size());
    const int n = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
    if (n <= 0) return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), size, wide.data(), n);
    return wide;
}

std::string fromWide(const std::wstring& text) {
    if (text.empty()) return std::string();
    const int size = static_cast<int>(text.size());
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
    if (n > 0) ::WideCharToMultiByte(CP_UTF8, 0, text.data(), size, out.data(), n, nullptr, nullptr);
    return out;
}

std::optional<std::string> toAnsi(const std::string& text) {
    if (text.empty()) return std::string();
    if (text.find('\0') != std::string::npos) {
        // A NUL has its code in every code page; convert the pieces around it.
        std::string out;
        std::size_t pos = 0;
        while (pos <= text.size()) {
            const std::size_t nul = std::min(text.find('\0', pos), text.size());
            const auto piece = toAnsi(text.substr(pos, nul - pos));
            if (!piece) return std::nullopt;
            out += *piece;
            if (nul < text.size()) out += '\0';
            pos = nul + 1;
        }
        return out;
    }
    const auto wide = toWide(text);
    if (!wide) return std::nullopt;
    const int size = static_cast<int>(wide->size());
    BOOL usedDefault = FALSE;
    const int n =
        ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide->data(), size, nullptr, 0, nullptr, &usedDefault);
    if (n <= 0 || usedDefault) return std::nullopt;
    std::string out(static_cast<std::size_t>(n), '\0');
    ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide->data(), size, out.data(), n, nullptr, &usedDefault);
    if (usedDefault) return std::nullopt;
    // The round trip proves that nothing was replaced by a look-alike.
    if (fromAnsi(out) != text) return std::nullopt;
    return out;
}

std::string fromAnsi(const std::string& bytes) {
    if (bytes.empty()) return std::string();
    const int size = static_cast<int>(bytes.size());
    const int n = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0) ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, wide.data(), n);
    return fromWide(wide);
}

std::string systemMessage(unsigned long code) {
    wchar_t* buffer = nullptr;
    const DWORD n =
        ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                         nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = n > 0 && buffer ? std::wstring(buffer, n) : std::wstring();
    if (buffer) ::LocalFree(buffer);
    while (!text.empty() &&
           (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ' || text.back() == L'.'))
        text.pop_back();
    if (text.empty()) return "error " + std::to_string(code);
    return fromWide(text);
}

}  // namespace quorvane::win32
