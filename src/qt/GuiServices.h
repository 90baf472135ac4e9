#pragma once

#include "platform/PlatformServices.h"

namespace quorvane {

// The Qt front end's services; hand it to PlatformServices.
FrontEndServices qtFrontEndServices(CoreServices& core);

// Gives Qt an icon theme where the desktop sets none (offscreen, bare X sessions), so that file
// and folder icons are found. A theme the desktop has chosen is left alone.
void ensureIconTheme();

}  // namespace quorvane
