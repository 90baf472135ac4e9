#include <shlobj.h>  // with the known folders' identifiers
#include <windows.h>

#include <string>

#include "platform/InstallFacts.h"
#include "platform/win32/Win32Text.h"

namespace quorvane {

namespace {

std::optional<std::string> knownFolder(REFKNOWNFOLDERID id) {
    wchar_t* path = nullptr;
    const HRESULT result = ::SHGetKnownFolderPath(id, KF_FLAG_DEFAULT, nullptr, &path);
    std::optional<std::string> folder;
    if (SUCCEEDED(result) && path && path[0]) folder = win32::fromWide(path);
    ::CoTaskMemFree(path);
    return folder;
}

// Whether this user may make files in `folder`: the one sure answer is to make one (access lists,
// read-only media and policies all have their say). The probe goes away when its handle closes.
bool writable(const std::string& folder) {
    const auto wide = win32::toWide(folder + "\\quorvane-write-probe-" + std::to_string(::GetCurrentProcessId()));
    if (!wide) return false;
    const HANDLE probe =
        ::CreateFileW(wide->c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                      FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (probe == INVALID_HANDLE_VALUE) return false;
    ::CloseHandle(probe);
    return true;
}

}  // namespace

// A copy unpacked into a folder of the user's own keeps its register beside it; one installed under
// Program Files (where an administrator's copy could still be writable) or in a folder the user cannot
// write keeps it in %APPDATA%\Quorvane.
InstallFacts installFactsFor(const std::string& applicationDirectory) {
    InstallFacts facts;
    for (REFKNOWNFOLDERID id : {FOLDERID_ProgramFiles, FOLDERID_ProgramFilesX86}) {
        if (auto folder = knownFolder(id)) facts.systemProgramTrees.push_back(*folder);
    }
    facts.namesIgnoreCase = true;
    facts.applicationDirectoryWritable = writable(applicationDirectory);
    if (auto appData = knownFolder(FOLDERID_RoamingAppData)) facts.userDataFolder = *appData + "\\Quorvane";
    return facts;
}

}  // namespace quorvane
