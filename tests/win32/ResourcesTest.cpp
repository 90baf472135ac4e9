// The program's resources as Windows reads them: the icon in both sizes, the version information
// and the manifest's promises (common controls 6, per-monitor DPI awareness).
#include <gtest/gtest.h>
#include <shlwapi.h>
#include <windows.h>

#include <cwctype>
#include <string>
#include <vector>

#include "platform/win32/Win32Text.h"

namespace quorvane {
namespace {

std::wstring versionString(const wchar_t* name) {
    wchar_t path[MAX_PATH];
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    DWORD handle = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(path, &handle);
    if (size == 0) return L"(no version information)";
    std::string data(size, '\0');
    if (!::GetFileVersionInfoW(path, 0, size, data.data())) return L"(unreadable)";
    void* value = nullptr;
    UINT length = 0;
    const std::wstring key = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
    if (!::VerQueryValueW(data.data(), key.c_str(), &value, &length)) return L"(missing)";
    return std::wstring(static_cast<const wchar_t*>(value));
}

TEST(Resources, VersionInformationNamesTheProgramAndItsVersion) {
    const struct {
        const wchar_t* name;
        const wchar_t* expected;
    } cases[] = {
        {L"ProductName", L"Quorvane"},          {L"FileDescription", L"Quorvane"},
        {L"OriginalFilename", L"quorvane.exe"}, {L"ProductVersion", QUORVANE_VERSION_W},
        {L"FileVersion", QUORVANE_VERSION_W},
    };
    for (const auto& c : cases) EXPECT_EQ(versionString(c.name), c.expected) << static_cast<const void*>(c.name);
}

TEST(Resources, TheIconComesInBothSizes) {
    for (int size : {32, 48}) {
        const HANDLE icon = ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, 0);
        ASSERT_NE(icon, nullptr) << size;
        ICONINFO info{};
        ASSERT_TRUE(::GetIconInfo(static_cast<HICON>(icon), &info)) << size;
        BITMAP bitmap{};
        ::GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
        EXPECT_EQ(bitmap.bmWidth, size);
        EXPECT_EQ(bitmap.bmHeight, size);
        ::DeleteObject(info.hbmColor);
        ::DeleteObject(info.hbmMask);
        ::DestroyIcon(static_cast<HICON>(icon));
    }
}

// The manifest's dependency makes the loader take comctl32 from the side-by-side store, version 6
// (C:\\Windows\\WinSxS\\amd64_microsoft.windows.common-controls_..._6.0.x\\comctl32.dll), not the
// system folder's version 5.
TEST(Resources, TheManifestAsksForCommonControlsSixAndPerMonitorDpi) {
    const HMODULE comctl = ::LoadLibraryW(L"comctl32.dll");
    ASSERT_NE(comctl, nullptr);
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(comctl, path, MAX_PATH);
    std::wstring lower(path);
    for (wchar_t& c : lower) c = static_cast<wchar_t>(::towlower(c));
    EXPECT_NE(lower.find(L"microsoft.windows.common-controls_"), std::wstring::npos) << win32::fromWide(path);
    EXPECT_NE(lower.find(L"_6.0."), std::wstring::npos) << win32::fromWide(path);

    EXPECT_TRUE(
        ::AreDpiAwarenessContextsEqual(::GetThreadDpiAwarenessContext(), DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2) ||
        ::GetAwarenessFromDpiAwarenessContext(::GetThreadDpiAwarenessContext()) == DPI_AWARENESS_PER_MONITOR_AWARE);
}

}  // namespace
}  // namespace quorvane
