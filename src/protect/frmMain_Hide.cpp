// Hiding: "Hide Folder" and the list window of hidden folders.
#include "protect/frmMain.h"

namespace quorvane {

void frmMain::HideFolder() {}

void frmMain::ShowList() {}

}  // namespace quorvane
