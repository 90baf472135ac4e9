// Folder icons: "Open icon", "Change Icon" and "Set Default Icon".
#include "protect/frmMain.h"

namespace quorvane {

void frmMain::LoadIcon() {}

void frmMain::ChangeIcon() {}

void frmMain::SetDefault() {}

}  // namespace quorvane
