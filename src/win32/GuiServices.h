#pragma once

#include "platform/PlatformServices.h"

namespace quorvane {

// The native Windows program's services; hand it to PlatformServices.
FrontEndServices win32FrontEndServices(CoreServices& core);

}  // namespace quorvane
