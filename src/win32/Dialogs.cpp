#include "win32/Dialogs.h"

#include <commdlg.h>
#include <shlobj.h>

#include "platform/win32/Win32Text.h"

namespace quorvane {

namespace {

// The longest path the open dialog hands back, and its buffer with the terminator.
constexpr DWORD kOpenFileChars = 254;

std::wstring wide(const std::string& text) { return win32::toWide(text).value_or(std::wstring()); }

// GetOpenFileNameW from the common dialogs' library, loaded on first use: the program's start does
// not wait for that library.
BOOL getOpenFileName(OPENFILENAMEW* request) {
    using Open = BOOL(WINAPI*)(OPENFILENAMEW*);
    static const auto open = reinterpret_cast<Open>(
        reinterpret_cast<void*>(::GetProcAddress(::LoadLibraryW(L"comdlg32.dll"), "GetOpenFileNameW")));
    return open ? open(request) : FALSE;
}

}  // namespace

std::string DialogsWin32::browseForFolder(WindowHandle owner, const std::string& title) {
    // The browser's tree view lives on COM; a thread that has it already keeps its own model.
    const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    const std::wstring instruction = wide(title);
    BROWSEINFOW info{};
    info.hwndOwner = static_cast<HWND>(owner);
    info.lpszTitle = instruction.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    std::string chosen;
    if (PIDLIST_ABSOLUTE item = ::SHBrowseForFolderW(&info)) {
        // A fresh buffer each time: nothing of an earlier answer reaches this one.
        std::wstring path(MAX_PATH, L'\0');
        if (::SHGetPathFromIDListW(item, path.data())) chosen = win32::fromWide(path.c_str());
        ::CoTaskMemFree(item);
    }
    if (SUCCEEDED(com)) ::CoUninitialize();
    return chosen;
}

std::string DialogsWin32::openFile(WindowHandle owner, const std::vector<std::string>& nameFilters,
                                   const std::string& title) {
    const std::wstring filter = win32::openFileFilter(nameFilters);
    const std::wstring caption = wide(title);
    std::wstring file(kOpenFileChars, L'\0');
    std::wstring fileTitle(kOpenFileChars, L'\0');
    OPENFILENAMEW request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = static_cast<HWND>(owner);
    request.hInstance = ::GetModuleHandleW(nullptr);
    request.lpstrFilter = filter.c_str();
    request.lpstrFile = file.data();
    request.nMaxFile = kOpenFileChars + 1;
    request.lpstrFileTitle = fileTitle.data();
    request.nMaxFileTitle = kOpenFileChars + 1;
    request.lpstrTitle = caption.c_str();
    request.Flags = OFN_EXPLORER;
    // A path too long for the buffer fails like a cancel.
    if (!getOpenFileName(&request)) return {};
    return win32::fromWide(file.c_str());
}

namespace win32 {

std::wstring openFileFilter(const std::vector<std::string>& nameFilters) {
    std::wstring list;
    for (const std::string& filter : nameFilters) {
        std::string label = filter;
        std::string patterns = filter;
        const std::size_t open = filter.rfind(" (");
        if (open != std::string::npos && filter.back() == ')') {
            label = filter.substr(0, open);
            patterns.clear();
            for (char c : filter.substr(open + 2, filter.size() - open - 3)) patterns += c == ' ' ? ';' : c;
        }
        list += wide(label) + L'\0' + wide(patterns) + L'\0';
    }
    return list;
}

}  // namespace win32

}  // namespace quorvane
