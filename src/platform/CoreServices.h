#pragma once

#include <memory>

#include "platform/FileSystem.h"

namespace quorvane {

// The Qt-free platform services of this operating system, chosen in one place
// (CoreServicesPosix.cpp or CoreServicesWin32.cpp, picked by the build).
struct CoreServices {
    std::unique_ptr<FileSystem> fileSystem;
};

CoreServices makeCoreServices();

}  // namespace quorvane
