#pragma once

#include <optional>
#include <string>

namespace quorvane::win32 {

// The program's text is UTF-8; the wide calls take UTF-16, and files hold the ANSI code page.
// Conversions happen here, at the platform boundary, and are exact or refused.

// UTF-16 of UTF-8 text; nothing for bytes that are no UTF-8 or for an embedded NUL (no path or
// name can hold one).
std::optional<std::wstring> toWide(const std::string& text);
std::string fromWide(const std::wstring& text);

// The text in the ANSI code page, only when every character has its own code there (no best-fit
// substitute, no default character such as "?").
std::optional<std::string> toAnsi(const std::string& text);
std::string fromAnsi(const std::string& bytes);

// The system's message for an error code of the Win32 calls, as UTF-8 without its line end.
std::string systemMessage(unsigned long code);

}  // namespace quorvane::win32
