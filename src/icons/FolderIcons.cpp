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
                      const std::optional<std::string>& iconFile) {
    if (const auto icon = FileManagerIconFor(fs, folder, iconFile))
        managers.showIcon(folder, *icon);
    else
        managers.showDefault(folder);
}

std::uint32_t IconFolderAttributes(std::uint32_t before) { return attr::System | (before & attr::Hidden); }

std::uint32_t DefaultFolderAttributes(std::uint32_t before, bool iniKept) {
    std::uint32_t attributes = attr::Archive;
    if (before & attr::Hidden) attributes |= before & (attr::Hidden | attr::System);
    if (iniKept) attributes |= before & attr::System;
    return attributes;
}

IconState iconStateOf(FileSystem& fs, const std::string& folder) {
    IconState state;
    state.folderAttributes = fs.attributes(folder);
    const std::string file = desktopIniOf(folder);
    state.ini = fs.readFile(file);
    if (state.ini) state.iniAttributes = fs.attributes(file);
    return state;
}

PlatformError restoreIconState(FileSystem& fs, const std::string& folder, const IconState& before,
                               const PlatformError& failure) noexcept {
    std::string left;
    auto putBack = [&](const std::string& what, auto&& action) {
        try {
            action();
        } catch (const std::exception& error) {
            const auto* platform = dynamic_cast<const PlatformError*>(&error);
            left += "\r\n" + what + " could not be put back as it was: " +
                    (platform ? platform->description() : std::string(error.what()));
        }
    };
    const std::string file = desktopIniOf(folder);
    putBack(file, [&] {
        const std::optional<std::string> now = fs.readFile(file);
        if (!before.ini) {
            if (now) fs.deleteFile(file);
            return;
        }
        if (now != before.ini) fs.writeFile(file, *before.ini);
        if (before.iniAttributes && fs.attributes(file) != *before.iniAttributes)
            fs.setAttributes(file, *before.iniAttributes);
    });
    putBack("The attributes of " + folder, [&] {
        if (fs.attributes(folder) != before.folderAttributes) fs.setAttributes(folder, before.folderAttributes);
    });
    if (left.empty()) return failure;
    return PlatformError(failure.number(), failure.description() + left);
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
        std::uint32_t before = 0;
        step([&] { before = fs.attributes(folder); });
        fs.setAttributes(folder, DefaultFolderAttributes(before, kept));
    });
    step([&] { managers.showDefault(folder); });
}

}  // namespace quorvane
