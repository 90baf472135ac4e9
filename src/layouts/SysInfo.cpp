#include "layouts/SysInfo.h"

#include <array>
#include <cstdint>
#include <optional>

#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/ProgramLauncher.h"
#include "platform/UserMessages.h"

namespace quorvane {

namespace {

constexpr std::uint32_t kBufferSize = 1024;

// Closes the key on every way out, the thrown one included.
class OpenKey {
public:
    OpenKey(Registry& registry, RegKey key) : m_registry(registry), m_key(key) {}
    ~OpenKey() { m_registry.closeKey(m_key); }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;

private:
    Registry& m_registry;
    RegKey m_key;
};

}  // namespace

bool GetKeyValue(Registry& registry, RegKey root, const std::string& keyName, const std::string& valueName,
                 std::string& value) {
    RegKey key = 0;
    // Reading needs no more: with full access a user without administrator rights is refused.
    if (registry.openKey(root, keyName, reg::KEY_QUERY_VALUE, key) != reg::ERROR_SUCCESS) {
        value.clear();
        return false;
    }
    const OpenKey closer(registry, key);

    std::array<unsigned char, kBufferSize> buffer{};
    std::uint32_t size = kBufferSize;
    std::uint32_t type = 0;
    if (registry.queryValue(key, valueName, type, buffer.data(), size) != reg::ERROR_SUCCESS) {
        value.clear();
        return false;
    }
    if (size == 0) throw PlatformError(errc::InvalidProcedureCall, describeError(errc::InvalidProcedureCall));
    if (size > kBufferSize) size = kBufferSize;  // a size beyond the buffer never reads past it

    std::string text(reinterpret_cast<const char*>(buffer.data()), size);
    // A string ends at its first NUL: one stored with more than its own NUL (or a size reported
    // past its end) would otherwise carry NULs into the path of the program to start.
    if (const auto nul = text.find('\0'); nul != std::string::npos) text.resize(nul);

    if (type == reg::REG_SZ) {
        value = text;
    } else if (type == reg::REG_DWORD) {
        // The buffer is zero-filled, so a shorter value reads as its low bytes.
        const std::uint32_t number = std::uint32_t(buffer[0]) | std::uint32_t(buffer[1]) << 8 |
                                     std::uint32_t(buffer[2]) << 16 | std::uint32_t(buffer[3]) << 24;
        value = std::to_string(number);
    }
    return true;
}

namespace {

// The program the registry names: its full path, else "MSINFO32.EXE" in the registered folder when
// that file is there; none otherwise.
std::optional<std::string> registeredSysInfo(Registry& registry, FileSystem& fs, char separator) {
    std::string path;
    if (GetKeyValue(registry, reg::HKEY_LOCAL_MACHINE, kSysInfoPathKey, kSysInfoPathValue, path)) return path;
    if (!GetKeyValue(registry, reg::HKEY_LOCAL_MACHINE, kSysInfoLocationKey, kSysInfoLocationValue, path))
        return std::nullopt;
    path += separator;
    path += kSysInfoProgram;
    if (!fs.normalFileExists(path)) return std::nullopt;
    return path;
}

}  // namespace

void StartSysInfo(Registry& registry, FileSystem& fs, ProgramLauncher& launcher, UserMessages& messages,
                  char separator) {
    // Failures become the message: the user can do nothing about them but carry on.
    try {
        if (const auto path = registeredSysInfo(registry, fs, separator)) {
            launcher.start(*path);
            return;
        }
    } catch (const std::exception&) {
    }
    messages.messageBox(kSysInfoUnavailable, mb::OkOnly, std::string(kAppTitle));
}

}  // namespace quorvane
