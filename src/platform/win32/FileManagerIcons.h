#pragma once

#include "platform/FileManagerIcons.h"

namespace quorvane {

// The Windows shell reads "desktop.ini" itself: there is nothing more to tell it.
class FileManagerIconsWin32 final : public FileManagerIcons {
public:
    void showIcon(const std::string&, const FolderIcon&) override {}
    void showDefault(const std::string&) override {}
};

}  // namespace quorvane
