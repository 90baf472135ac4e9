#pragma once

#include "xpbutton/Canvas.h"

namespace quorvane {

// The drawing routines of the button's looks, each on the whole canvas (W x H = its size).
// The three face routines start by clearing to `background` (the surface's background colour),
// so no look keeps remains of the one before; the edges and the border paint over a face that
// has just been drawn. Nothing is kept between calls.

// Light gradient face of the normal, hover and focus looks.
void DrawFace(Canvas& canvas, Rgb background);
// Darker banded face of the pressed look.
void DrawPressedFace(Canvas& canvas, Rgb background);
// The whole disabled look but the caption: flat fill, light frame, soft corners.
void DrawDisabledFace(Canvas& canvas, Rgb background);
// Dark blue frame with stepped corners, after the face of every enabled look.
void DrawBorder(Canvas& canvas);
// Orange inner edge while the pointer is over the button (after DrawFace, before DrawBorder).
void DrawHoverEdge(Canvas& canvas);
// Blue inner edge while the button has the focus (after DrawFace, before DrawBorder).
void DrawFocusEdge(Canvas& canvas);

}  // namespace quorvane
