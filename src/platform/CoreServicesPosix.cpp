#include "platform/CoreServices.h"
#include "platform/FileSystemPosix.h"

namespace quorvane {

CoreServices makeCoreServices() {
    CoreServices services;
    services.fileSystem = std::make_unique<FileSystemPosix>();
    return services;
}

}  // namespace quorvane
