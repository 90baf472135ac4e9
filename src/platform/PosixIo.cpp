#include "platform/PosixIo.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace quorvane::posix {

PlatformError errnoError(int err, const std::string& path, int notFound) {
    switch (err) {
        case ENOENT: return errorFor(notFound, path);
        case ENOTDIR: return errorFor(errc::PathNotFound, path);
        case EEXIST:
        case ENOTEMPTY: return errorFor(errc::FileAlreadyExists, path);
        case ENOSPC:
        case EDQUOT: return errorFor(errc::DiskFull, path);
        case EIO: return errorFor(errc::DeviceIoError, path);
        case ENAMETOOLONG:
        case EILSEQ: return errorFor(errc::BadFileName, path);
        case EXDEV: return PlatformError(74, "Can't rename with different drive: " + path);
        case EINVAL: return errorFor(errc::InvalidProcedureCall, path);
        default:
            return PlatformError(errc::PathFileAccessError,
                                 describeError(errc::PathFileAccessError) + " (" + std::strerror(err) + "): " + path);
    }
}

bool writeAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace quorvane::posix
