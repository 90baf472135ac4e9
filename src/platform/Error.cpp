#include "platform/Error.h"

#include <utility>

namespace quorvane {

PlatformError::PlatformError(int number, std::string description)
    : std::runtime_error(description), m_number(number), m_description(std::move(description)) {}

std::string describeError(int number) {
    switch (number) {
        case errc::InvalidProcedureCall: return "Invalid procedure call or argument";
        case errc::Overflow: return "Overflow";
        case errc::SubscriptOutOfRange: return "Subscript out of range";
        case errc::DivisionByZero: return "Division by zero";
        case errc::BadFileNameOrNumber: return "Bad file name or number";
        case errc::FileNotFound: return "File not found";
        case errc::BadFileMode: return "Bad file mode";
        case errc::FileAlreadyOpen: return "File already open";
        case errc::DeviceIoError: return "Device I/O error";
        case errc::FileAlreadyExists: return "File already exists";
        case errc::DiskFull: return "Disk full";
        case errc::InputPastEndOfFile: return "Input past end of file";
        case errc::BadFileName: return "Bad file name";
        case errc::PermissionDenied: return "Permission denied";
        case errc::PathFileAccessError: return "Path/File access error";
        case errc::PathNotFound: return "Path not found";
        case errc::InvalidPathText: return "Invalid path text";
        default: return "Application-defined error";
    }
}

std::string errorReportText(const PlatformError& error) {
    return "Run-time error '" + std::to_string(error.number()) + "':\r\n\r\n" + error.description();
}

PlatformError errorFor(int number, const std::string& path) {
    return PlatformError(number, describeError(number) + ": " + path);
}

PlatformError notAFile(const std::string& path, const std::string& what) {
    return PlatformError(errc::PathFileAccessError,
                         describeError(errc::PathFileAccessError) + ": " + path + " is " + what + ", not a file");
}

PlatformError readOnlyFile(const std::string& path) {
    return PlatformError(errc::PermissionDenied, describeError(errc::PermissionDenied) + ": " + path + " is read-only");
}

}  // namespace quorvane
