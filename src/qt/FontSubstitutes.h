#pragma once

namespace quorvane {

// Makes the faces the layouts name (Comic Sans MS, Arial, MS Sans Serif, Tahoma) resolve to the
// free faces the set-up installs, keeping sizes and weights: Tahoma from the files of fonts-wine,
// which the system's font configuration does not scan, the others through Qt's substitution
// table. Call it once, after the application object exists and before any window is made.
void installFontSubstitutes();

}  // namespace quorvane
