#include "platform/FolderTree.h"

#include <windows.h>

#include <algorithm>

#include "platform/win32/Win32Error.h"
#include "platform/win32/Win32Text.h"

namespace quorvane {

namespace {

class FolderTreeWin32 final : public FolderTree {
public:
    std::vector<std::string> subfolders(const std::string& folder) override {
        const std::string prefix = folder.ends_with('\\') ? folder : folder + '\\';
        const std::optional<std::wstring> pattern = win32::toWide(prefix + "*");
        if (!pattern) throw errorFor(errc::BadFileName, folder);
        WIN32_FIND_DATAW data{};
        const HANDLE find =
            ::FindFirstFileExW(pattern->c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr, 0);
        if (find == INVALID_HANDLE_VALUE) throw win32::lastError(folder, errc::PathNotFound);
        std::vector<std::string> result;
        do {
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") continue;
            // A junction, a link or a mounted volume is a reparse point: never followed.
            if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                !(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
                result.push_back(prefix + win32::fromWide(name));
        } while (::FindNextFileW(find, &data));
        const DWORD error = ::GetLastError();
        ::FindClose(find);
        if (error != ERROR_NO_MORE_FILES) throw win32::errorFromCode(error, folder, errc::PathNotFound);
        std::sort(result.begin(), result.end());
        return result;
    }
};

}  // namespace

std::unique_ptr<FolderTree> makeFolderTree() { return std::make_unique<FolderTreeWin32>(); }

std::string programDirectory() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    std::wstring folder = path.substr(0, path.find_last_of(L'\\'));
    if (folder.size() == 2 && folder[1] == L':') folder += L'\\';  // a drive root keeps its backslash
    return win32::fromWide(folder);
}

}  // namespace quorvane
