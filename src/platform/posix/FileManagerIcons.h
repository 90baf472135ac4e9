#pragma once

#include "platform/FileManagerIcons.h"

namespace quorvane {

// Folder icons for the Linux file managers, which read no "desktop.ini":
// - Dolphin and every KDE program read `Icon=` in the `[Desktop Entry]` group of the folder's
//   ".directory" file, which is rewritten in one step with all its other keys and groups kept; when
//   the icon was all it held, taking the icon away removes the file;
// - Nautilus, Nemo and Caja read the GIO metadata "metadata::custom-icon" (a file URI) or
//   "metadata::custom-icon-name" (a theme icon), kept by gvfs's metadata daemon over the session
//   bus. Without a session bus, or without gvfs, GIO cannot keep them and that step is passed over;
//   without a session bus it is not even tried, so that no bus daemon is started for it.
// ".directory" is written first: when that fails, nothing has changed.
class FileManagerIconsPosix final : public FileManagerIcons {
public:
    void showIcon(const std::string& folder, const FolderIcon& icon) override;
    void showDefault(const std::string& folder) override;
};

}  // namespace quorvane
