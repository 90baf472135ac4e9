#pragma once

namespace quorvane {

// The one place that knows the platform's path separator; the path helpers take it as a parameter
// so that both forms stay testable everywhere.
#if defined(_WIN32)
inline constexpr char kSeparator = '\\';
#else
inline constexpr char kSeparator = '/';
#endif

}  // namespace quorvane
