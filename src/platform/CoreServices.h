#pragma once

#include <memory>

#include "platform/FileManagerIcons.h"
#include "platform/FileSystem.h"
#include "platform/IniWriter.h"
#include "platform/ProgramLauncher.h"
#include "platform/Registry.h"
#include "platform/Services.h"

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

// The services the windows are built with: `core`'s and those a front end makes for its window system.
Services servicesOf(CoreServices& core, UserMessages& messages, Dialogs& dialogs, ShellIcons& icons,
                    KeyInjector& keys);

}  // namespace quorvane
