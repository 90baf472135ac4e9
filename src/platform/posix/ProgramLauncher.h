#pragma once

#include "platform/ProgramLauncher.h"

namespace quorvane {

// Starts a program in a session of its own, so that it outlives us and our terminal's signals do
// not reach it, with its input from /dev/null. It is reaped once it ends; nothing waits for it.
class ProgramLauncherPosix final : public ProgramLauncher {
public:
    void start(const std::string& path) override;
};

}  // namespace quorvane
