#pragma once

#include "platform/ProgramLauncher.h"

namespace quorvane {

// Starts a program with CreateProcessW, its window shown normally (and so given the focus), and
// lets it run on its own.
class ProgramLauncherWin32 final : public ProgramLauncher {
public:
    void start(const std::string& path) override;
};

}  // namespace quorvane
