#include "platform/win32/Win32Error.h"

#include <windows.h>

#include "platform/win32/Win32Text.h"

namespace quorvane::win32 {

PlatformError errorFromCode(unsigned long code, const std::string& path, int notFound) {
    switch (code) {
        // A missing parent is ERROR_PATH_NOT_FOUND here and ENOENT on Linux: one number for both.
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
            return errorFor(notFound, path);
        case ERROR_DIRECTORY:
            return errorFor(errc::PathNotFound, path);
        case ERROR_ALREADY_EXISTS:
        case ERROR_FILE_EXISTS:
        case ERROR_DIR_NOT_EMPTY:
            return errorFor(errc::FileAlreadyExists, path);
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return errorFor(errc::DiskFull, path);
        case ERROR_WRITE_FAULT:
        case ERROR_READ_FAULT:
        case ERROR_CRC:
        case ERROR_IO_DEVICE:
            return errorFor(errc::DeviceIoError, path);
        case ERROR_INVALID_NAME:
        case ERROR_BAD_PATHNAME:
        case ERROR_FILENAME_EXCED_RANGE:
            return errorFor(errc::BadFileName, path);
        case ERROR_NOT_SAME_DEVICE:
            return PlatformError(74, "Can't rename with different drive: " + path);
        case ERROR_INVALID_PARAMETER:
            return errorFor(errc::InvalidProcedureCall, path);
        default:
            return PlatformError(errc::PathFileAccessError,
                                 describeError(errc::PathFileAccessError) + " (" + systemMessage(code) + "): " + path);
    }
}

PlatformError lastError(const std::string& path, int notFound) {
    return errorFromCode(::GetLastError(), path, notFound);
}

}  // namespace quorvane::win32
