#pragma once

#include <stdexcept>
#include <string>

namespace quorvane {

// A failure raised by a platform operation. It carries the number and the description that the
// error report shows; the numbers follow the classic run-time error numbers users may know.
class PlatformError : public std::runtime_error {
public:
    PlatformError(int number, std::string description);

    int number() const noexcept { return m_number; }
    const std::string& description() const noexcept { return m_description; }

private:
    int m_number;
    std::string m_description;
};

namespace errc {
inline constexpr int InvalidProcedureCall = 5;
inline constexpr int Overflow = 6;
inline constexpr int SubscriptOutOfRange = 9;
inline constexpr int DivisionByZero = 11;
inline constexpr int BadFileNameOrNumber = 52;
inline constexpr int FileNotFound = 53;
inline constexpr int BadFileMode = 54;
inline constexpr int FileAlreadyOpen = 55;
inline constexpr int DeviceIoError = 57;
inline constexpr int FileAlreadyExists = 58;
inline constexpr int DiskFull = 61;
inline constexpr int InputPastEndOfFile = 62;
inline constexpr int BadFileName = 64;
inline constexpr int PermissionDenied = 70;
inline constexpr int PathFileAccessError = 75;
inline constexpr int PathNotFound = 76;
inline constexpr int InvalidPathText = 93;  // text that cannot be stored safely (line breaks, unmappable characters)
}  // namespace errc

// The classic description of an error number ("File not found" for 53), or "Application-defined error".
std::string describeError(int number);

// The text of the top-level error report: the error's number and description.
std::string errorReportText(const PlatformError& error);

// An error with the classic description followed by the path it concerns, e.g. "File not found: /a/b".
PlatformError errorFor(int number, const std::string& path);

// The refusal of an object where a file must be, saying what it is: "Path/File access error:
// /a/desktop.ini is a folder, not a file" for `what` "a folder".
PlatformError notAFile(const std::string& path, const std::string& what);

// The refusal to write or delete a file that has the read-only attribute, the same on every
// system: "Permission denied: /a/desktop.ini is read-only".
PlatformError readOnlyFile(const std::string& path);

}  // namespace quorvane
