#pragma once

#include <cstddef>
#include <string>

#include "platform/Error.h"

namespace quorvane::posix {

// Maps the errno of a failed call on `path` to our error numbers; a missing object gives `notFound`.
PlatformError errnoError(int err, const std::string& path, int notFound = errc::FileNotFound);

// Writes all of `data`, resuming after interruptions and short writes; false (errno set) on failure.
bool writeAll(int fd, const char* data, std::size_t size);

}  // namespace quorvane::posix
