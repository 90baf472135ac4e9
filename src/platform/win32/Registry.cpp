#include "platform/win32/Registry.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "platform/win32/Win32Text.h"

namespace quorvane {

namespace {

// The predefined roots are 32-bit values that the 64-bit handles carry sign-extended.
HKEY toHkey(RegKey key) {
    if (key >= 0x80000000u && key <= 0x800000FFu)
        return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(static_cast<DWORD>(key))));
    return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(key));
}

bool isText(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ; }

}  // namespace

long RegistryWin32::openKey(RegKey root, const std::string& subKey, std::uint32_t access, RegKey& key) {
    key = 0;
    const auto wide = win32::toWide(subKey);
    if (!wide) return ERROR_INVALID_PARAMETER;
    HKEY opened = nullptr;
    const LONG result = ::RegOpenKeyExW(toHkey(root), wide->c_str(), 0, access, &opened);
    if (result == ERROR_SUCCESS) key = static_cast<RegKey>(reinterpret_cast<ULONG_PTR>(opened));
    return result;
}

long RegistryWin32::queryValue(RegKey key, const std::string& valueName, std::uint32_t& type, unsigned char* data,
                               std::uint32_t& size) {
    const auto name = win32::toWide(valueName);
    if (!name) return ERROR_INVALID_PARAMETER;
    // The stored data whole, however large; the value may grow between the two calls.
    std::vector<BYTE> stored;
    DWORD storedType = 0;
    LONG result;
    do {
        DWORD storedSize = 0;
        result = ::RegQueryValueExW(toHkey(key), name->c_str(), nullptr, &storedType, nullptr, &storedSize);
        if (result != ERROR_SUCCESS) return result;
        stored.resize(storedSize);
        result = ::RegQueryValueExW(toHkey(key), name->c_str(), nullptr, &storedType, stored.data(), &storedSize);
        if (result == ERROR_SUCCESS) stored.resize(storedSize);
    } while (result == ERROR_MORE_DATA);
    if (result != ERROR_SUCCESS) return result;

    std::string out;
    if (isText(storedType)) {
        std::wstring units(stored.size() / sizeof(wchar_t), L'\0');
        std::memcpy(units.data(), stored.data(), units.size() * sizeof(wchar_t));
        out = win32::fromWide(units);
    } else {
        out.assign(stored.begin(), stored.end());
    }
    type = storedType;
    if (data == nullptr) {
        size = static_cast<std::uint32_t>(out.size());
        return ERROR_SUCCESS;
    }
    if (out.size() > size) {
        size = static_cast<std::uint32_t>(out.size());
        return ERROR_MORE_DATA;
    }
    std::memcpy(data, out.data(), out.size());
    size = static_cast<std::uint32_t>(out.size());
    return ERROR_SUCCESS;
}

long RegistryWin32::closeKey(RegKey key) {
    if (key == 0) return ERROR_INVALID_HANDLE;
    return ::RegCloseKey(toHkey(key));
}

}  // namespace quorvane
