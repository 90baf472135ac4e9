// The registry through the wide calls: string data as UTF-8 with the NUL the value has (or lacks),
// sizes in bytes of that data, and the predefined roots.
// clang-format off
// Our header first: the system's macros of the same names (REG_SZ, ...) would spoil its constants.
#include "platform/win32/Registry.h"

#include <windows.h>
// clang-format on

#include <gtest/gtest.h>

#include <string>

using namespace std::string_literals;

namespace quorvane {
namespace {

constexpr RegKey kCurrentUser = 0x80000001;
constexpr RegKey kLocalMachine = 0x80000002;
const wchar_t* const kTestKey = L"Software\\Quorvane Test";

class RegistryWin32Test : public ::testing::Test {
protected:
    void SetUp() override {
        HKEY key;
        ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, kTestKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        auto text = [&](const wchar_t* name, const std::wstring& data, DWORD bytes) {
            ::RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()), bytes);
        };
        const std::wstring path = L"C:\\caf\u00e9\\msinfo32.exe";
        text(L"PATH", path, sizeof(wchar_t) * (path.size() + 1));  // with its NUL
        // Stored without: the system adds the NUL that follows a counted string, so none may follow.
        text(L"NoNul", L"abcX", sizeof(wchar_t) * 3);
        const DWORD number = 42;
        ::RegSetValueExW(key, L"Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
        ::RegCloseKey(key);
    }
    void TearDown() override { ::RegDeleteKeyW(HKEY_CURRENT_USER, kTestKey); }

    RegistryWin32 registry;
};

TEST_F(RegistryWin32Test, StringsComeBackAsUtf8WithTheirStoredNul) {
    RegKey key = 0;
    ASSERT_EQ(registry.openKey(kCurrentUser, "Software\\Quorvane Test", 0x2003F, key), 0);
    unsigned char data[1024];
    std::uint32_t type = 0, size = sizeof data;
    ASSERT_EQ(registry.queryValue(key, "PATH", type, data, size), 0);
    EXPECT_EQ(type, static_cast<std::uint32_t>(REG_SZ));
    EXPECT_EQ(std::string(reinterpret_cast<char*>(data), size), "C:\\caf\xc3\xa9\\msinfo32.exe\0"s);  // 22 bytes

    size = sizeof data;
    ASSERT_EQ(registry.queryValue(key, "NoNul", type, data, size), 0);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(data), size), "abc");

    size = sizeof data;
    ASSERT_EQ(registry.queryValue(key, "Number", type, data, size), 0);
    EXPECT_EQ(type, static_cast<std::uint32_t>(REG_DWORD));
    ASSERT_EQ(size, 4u);
    EXPECT_EQ(data[0], 42);

    size = 4;  // too small: nothing written, the size it needs
    EXPECT_EQ(registry.queryValue(key, "PATH", type, data, size), ERROR_MORE_DATA);
    EXPECT_EQ(size, 22u);

    size = sizeof data;
    EXPECT_EQ(registry.queryValue(key, "Missing", type, data, size), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(registry.closeKey(key), 0);
}

TEST_F(RegistryWin32Test, MissingKeysAndTheMachineRoot) {
    RegKey key = 1;
    EXPECT_EQ(registry.openKey(kLocalMachine, "SOFTWARE\\Quorvane\\No Such Key", KEY_READ, key), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(key, 0u);
    ASSERT_EQ(registry.openKey(kLocalMachine, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", KEY_READ, key), 0);
    EXPECT_EQ(registry.closeKey(key), 0);
}

}  // namespace
}  // namespace quorvane
