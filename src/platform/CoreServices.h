#pragma once

#include <memory>

#include "platform/FileManagerIcons.h"
#include "platform/FileSystem.h"
#include "platform/IniWriter.h"
#include "platform/ProgramLauncher.h"
#include "platform/Registry.h"

namespace quorvane {

// The Qt-free platform services of this operating system, chosen in one place
// (posix/CoreServices.cpp or win32/CoreServices.cpp, picked by the build).
struct CoreServices {
    std::unique_ptr<FileSystem> fileSystem;
    std::unique_ptr<IniWriter> iniWriter;
    std::unique_ptr<Registry> registry;
    std::unique_ptr<ProgramLauncher> launcher;
    std::unique_ptr<FileManagerIcons> fileManagerIcons;
};

CoreServices makeCoreServices();

}  // namespace quorvane
