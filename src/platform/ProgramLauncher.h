#pragma once

#include <string>

namespace quorvane {

// Starts another program by its path, its window shown normally with the focus, without waiting
// for it. Throws PlatformError when it cannot be started.
class ProgramLauncher {
public:
    virtual ~ProgramLauncher() = default;
    virtual void start(const std::string& path) = 0;
};

}  // namespace quorvane
