#include "icons/FolderIcons.h"

#include <exception>

#include "icons/DesktopIni.h"
#include "icons/WriteIniValue.h"
#include "platform/IniText.h"
#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/PathSeparator.h"

namespace quorvane {

namespace {

bool isAbsolute(const std::string& path) {
    return (!path.empty() && (path[0] == '/' || path[0] == '\\')) || (path.size() > 1 && path[1] == ':');
}

// Runs one step; its failure is passed over. Returns whether it went through.
template <typename Step>
bool step(Step&& action) noexcept {
    try {
        action();
        return true;
    } catch (const std::exception&) {
    } catch (...) {
    }
    return false;
}

}  // namespace

std::optional<FolderIcon> FileManagerIconFor(FileSystem& fs, const std::string& folder,
                                             const std::optional<std::string>& iconFile) {
    if (!iconFile || iconFile->empty()) return std::nullopt;
    const std::string path = isAbsolute(*iconFile) ? *iconFile : folder + kSeparator + *iconFile;
    try {
        fs.fileLength(path);  // fails for anything but an existing file
    } catch (const PlatformError&) {
        return std::nullopt;
    }
    if (iconFileKindOf(path) == IconFileKind::Program) return FolderIcon{.file = {}, .themeName = kProgramIconName};
    return FolderIcon{.file = path, .themeName = {}};
}

void TellFileManagers(FileManagerIcons& managers, FileSystem& fs, const std::string& folder,
                      const std::optional<std::string>& iconFile) noexcept {
    step([&] {
        if (const auto icon = FileManagerIconFor(fs, folder, iconFile))
            managers.showIcon(folder, *icon);
        else
            managers.showDefault(folder);
    });
}

void ResetFolderIcon(FileSystem& fs, IniWriter& ini, FileManagerIcons& managers, const std::string& folder) noexcept {
    // An empty path names no folder; its "desktop.ini" would be the root's.
    if (folder.empty()) return;
    const std::string file = desktopIniOf(folder);
    bool kept = false;
    step([&] {
        const std::uint64_t length = fs.fileLength(file);
        const std::optional<std::string> content =
            length > kLongestDesktopIni ? std::nullopt : fs.readFile(file);
        if (content && IniHoldsOnly(*content, kShellClassInfo, {kIconFileKey, kIconIndexKey})) {
            fs.deleteFile(file);
            return;
        }
        kept = true;
        WriteIniValue(ini, kShellClassInfo, kIconFileKey, std::nullopt, file);
        WriteIniValue(ini, kShellClassInfo, kIconIndexKey, std::nullopt, file);
    });
    step([&] {
        std::uint32_t attributes = attr::Archive;
        if (kept) step([&] { attributes |= fs.attributes(folder) & attr::System; });
        fs.setAttributes(folder, attributes);
    });
    step([&] { managers.showDefault(folder); });
}

}  // namespace quorvane
