#pragma once

#include <string>

#include "platform/Error.h"

namespace quorvane::win32 {

// Our error for a failed Win32 call on `path`, numbered as the Linux side numbers the same failure.
// `notFound` is the number for a missing file or folder (File not found, or Path not found where
// the caller was about to create it).
PlatformError errorFromCode(unsigned long code, const std::string& path, int notFound = errc::FileNotFound);

// The same for the calling thread's last error.
PlatformError lastError(const std::string& path, int notFound = errc::FileNotFound);

}  // namespace quorvane::win32
