#pragma once

namespace quorvane::win32 {

// The window class of the program's push buttons, by which the program registers them and other
// programs (its tests, benchmarks, accessibility tools) find them among a window's children.
inline constexpr wchar_t kXpButtonClassName[] = L"Quorvane.TulmXpButton";

}  // namespace quorvane::win32
