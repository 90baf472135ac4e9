#include "platform/posix/Registry.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "platform/SysInfoKeys.h"

namespace quorvane {

namespace {

constexpr long kInvalidHandle = 6;  // the platform's ERROR_INVALID_HANDLE

// Registry names are compared without regard to case.
bool sameName(const std::string& a, const char* b) {
    const std::size_t n = std::strlen(b);
    if (a.size() != n) return false;
    for (std::size_t i = 0; i < n; ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

bool isExecutableFile(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

}  // namespace

std::vector<std::string> RegistryPosix::defaultPrograms() { return {"hardinfo2", "hardinfo", "kinfocenter"}; }

RegistryPosix::RegistryPosix() : m_programs(defaultPrograms()) {}

RegistryPosix::RegistryPosix(std::string searchPath, std::vector<std::string> programs)
    : m_searchPath(std::move(searchPath)), m_programs(std::move(programs)) {}

std::optional<std::string> RegistryPosix::findProgram() const {
    std::string searchPath;
    if (m_searchPath) {
        searchPath = *m_searchPath;
    } else if (const char* env = std::getenv("PATH")) {
        searchPath = env;
    }
    std::vector<std::string> folders;
    for (std::size_t start = 0; start <= searchPath.size();) {
        const std::size_t end = std::min(searchPath.find(':', start), searchPath.size());
        std::string folder = searchPath.substr(start, end - start);
        // Empty and relative entries name the current folder: nothing is started from there.
        if (!folder.empty() && folder.front() == '/') {
            while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
            folders.push_back(folder);
        }
        start = end + 1;
    }
    for (const std::string& program : m_programs) {
        for (const std::string& folder : folders) {
            const std::string candidate = (folder == "/" ? "" : folder) + "/" + program;
            if (isExecutableFile(candidate)) return candidate;
        }
    }
    return std::nullopt;
}

long RegistryPosix::openKey(RegKey root, const std::string& subKey, std::uint32_t access, RegKey& key) {
    key = 0;
    if (root != reg::HKEY_LOCAL_MACHINE) return reg::ERROR_FILE_NOT_FOUND;
    const bool pathKey = sameName(subKey, kSysInfoPathKey);
    if (!pathKey && !sameName(subKey, kSysInfoLocationKey)) return reg::ERROR_FILE_NOT_FOUND;
    const std::optional<std::string> program = findProgram();
    if (!program) return reg::ERROR_FILE_NOT_FOUND;
    if ((access & ~reg::KEY_READ) != 0) return reg::ERROR_ACCESS_DENIED;

    OpenValue value;
    if (pathKey) {
        value = {kSysInfoPathValue, *program};
    } else {
        const std::size_t slash = program->rfind('/');
        value = {kSysInfoLocationValue, slash == 0 ? std::string("/") : program->substr(0, slash)};
    }
    key = m_next++;
    m_open.emplace(key, std::move(value));
    return reg::ERROR_SUCCESS;
}

long RegistryPosix::queryValue(RegKey key, const std::string& valueName, std::uint32_t& type, unsigned char* data,
                               std::uint32_t& size) {
    const auto it = m_open.find(key);
    if (it == m_open.end()) return kInvalidHandle;
    if (!sameName(valueName, it->second.name.c_str())) return reg::ERROR_FILE_NOT_FOUND;
    const std::string& text = it->second.text;
    const auto needed = static_cast<std::uint32_t>(text.size() + 1);  // stored with its NUL
    type = reg::REG_SZ;
    if (data == nullptr) {
        size = needed;
        return reg::ERROR_SUCCESS;
    }
    if (size < needed) {
        size = needed;
        return reg::ERROR_MORE_DATA;
    }
    std::memcpy(data, text.c_str(), needed);
    size = needed;
    return reg::ERROR_SUCCESS;
}

long RegistryPosix::closeKey(RegKey key) { return m_open.erase(key) == 1 ? reg::ERROR_SUCCESS : kInvalidHandle; }

}  // namespace quorvane
