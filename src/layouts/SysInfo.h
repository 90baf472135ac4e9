#pragma once

#include <string>

#include "platform/Registry.h"
#include "platform/SysInfoKeys.h"

namespace quorvane {

class FileSystem;
class ProgramLauncher;
class UserMessages;

inline constexpr const char* kSysInfoUnavailable = "System Information Is Unavailable At This Time";

// Reads one registry value as text. True when a value was read: a string becomes `value` up to its
// first NUL, a DWORD its decimal number; a value of another type leaves `value` as it was. A key or value that cannot
// be read gives False and an empty `value`. The key is opened for reading only, so users without administrator rights
// can read it too. A value of size 0 cannot be taken apart and throws PlatformError; every key opened is closed again
// in all cases.
bool GetKeyValue(Registry& registry, RegKey root, const std::string& keyName, const std::string& valueName,
                 std::string& value);

// Starts the system information program the registry names, or tells the user that there is none.
// Every failure on the way, a program that cannot be started included, ends in the message.
// `separator` joins the registered folder and "MSINFO32.EXE".
void StartSysInfo(Registry& registry, FileSystem& fs, ProgramLauncher& launcher, UserMessages& messages,
                  char separator);

}  // namespace quorvane
