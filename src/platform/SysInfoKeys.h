#pragma once

namespace quorvane {

// Where the system information program is registered, both under HKEY_LOCAL_MACHINE: the full path
// of the program, or else the folder that holds "MSINFO32.EXE".
inline constexpr const char* kSysInfoPathKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr const char* kSysInfoPathValue = "PATH";
inline constexpr const char* kSysInfoLocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
inline constexpr const char* kSysInfoLocationValue = "MSINFO";
inline constexpr const char* kSysInfoProgram = "MSINFO32.EXE";

}  // namespace quorvane
