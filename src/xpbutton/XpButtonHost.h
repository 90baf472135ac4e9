#pragma once

#include <cstdint>
#include <string>

#include "xpbutton/Canvas.h"
#include "xpbutton/CaptionLayout.h"
#include "xpbutton/StdFont.h"

namespace quorvane {

// What the button's model needs from the window that hosts it (a toolkit widget, a native child
// window, a test's fake). The model calls these on the user-interface thread, from inside its own
// notifications. The surface's operations must not call back into the model; the events may (their
// handlers set properties, or run a modal loop that delivers further notifications).
class XpButtonHost {
public:
    virtual ~XpButtonHost() = default;

    // --- The surface ---
    // Whether the pointer is over the control's window now, as a lookup of the window under the
    // pointer answers it: the cut corners are outside, and a disabled window is never found.
    virtual bool isMouseOver() const = 0;
    // The hover timer: once started, it calls XpButtonModel::onHoverTimer at every tick until stopped.
    virtual void startHoverTimer() = 0;
    virtual void stopHoverTimer() = 0;
    // Sends the pointer's events to the control's window until its buttons are all released.
    virtual void captureMouse() = 0;
    // The canvas has a new size, and its pixels a new place; a look is drawn into it next.
    virtual void canvasResized(Canvas& canvas) = 0;
    // The canvas changed: show it at the next repaint of the window; refresh shows it now.
    virtual void invalidate() = 0;
    virtual void refresh() = 0;
    // Gives the window the shape of its client rectangle (0, 0, width, height) without its four
    // corner pixels; there the container shows through.
    virtual void applyRegion(int width, int height) = 0;
    // The surface's background colour, which every look starts from.
    virtual Rgb backColour() const = 0;
    // The surface takes input only while enabled.
    virtual void setSurfaceEnabled(bool enabled) = 0;
    // The font the caption is measured and drawn in.
    virtual void setSurfaceFont(const StdFont& font) = 0;
    // The characters that, with Alt, press the control while its window is active ("" for none).
    virtual void setAccessKeys(const std::string& keys) = 0;

    // --- The caption (UTF-8, "&" marking the access key, "&&" a literal ampersand) ---
    // The height in pixels of the caption broken into lines at word boundaries to fit `width`.
    virtual int captionHeight(const std::string& caption, int width) = 0;
    // Draws the caption into the canvas in `colour` (0x00BBGGRR or a system colour reference):
    // each line centred across the rectangle, the first at its top, clipped to it, the access key
    // underlined. The rectangle is never empty.
    virtual void drawCaption(Canvas& canvas, const std::string& caption, const TextRect& rect,
                             std::uint32_t colour) = 0;

    // --- The control's events, raised to the container. The arguments are the very variables of
    // the notification that caused the event: a handler may change them; the model reads none of
    // them afterwards. ---
    virtual void raiseClick() = 0;
    virtual void raiseMouseDown(std::int16_t& Button, std::int16_t& Shift, float& X, float& Y) = 0;
    virtual void raiseMouseMove(std::int16_t& Button, std::int16_t& Shift, float& X, float& Y) = 0;
    virtual void raiseMouseUp(std::int16_t& Button, std::int16_t& Shift, float& X, float& Y) = 0;
    virtual void raiseKeyPress(std::int16_t& KeyAscii) = 0;
    virtual void raiseKeyDown(std::int16_t& KeyCode, std::int16_t& Shift) = 0;
    virtual void raiseKeyUp(std::int16_t& KeyCode, std::int16_t& Shift) = 0;
    virtual void raiseMouseOver() = 0;
    virtual void raiseMouseOut() = 0;
    // The stored layout must be written again: the named property changed.
    virtual void raisePropertyChanged(const std::string& name) = 0;
};

}  // namespace quorvane
