#pragma once

#include <QPoint>
#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

#include "layouts/GradientBands.h"

class QWidget;
class QMouseEvent;

namespace quorvane {

// Moves a window interactively: it follows the pointer until the left button is released.
class WindowMover {
public:
    virtual ~WindowMover() = default;
    virtual void beginMove(QWidget& window) = 0;
};

// Hands the move to the window system; where it cannot take it (the offscreen platform, some
// bare X servers), the window follows the pointer itself until the button is released.
class SystemWindowMover : public WindowMover {
public:
    SystemWindowMover();
    ~SystemWindowMover() override;
    void beginMove(QWidget& window) override;

private:
    class ManualMove;
    std::unique_ptr<ManualMove> m_manual;
};

// The mouse buttons held during an event: 1 left, 2 right, 4 middle, summed.
std::int16_t mouseButtonState(const QMouseEvent& event);

// A drag of a frameless window by its surface: only a mouse move with exactly the left button held
// starts a move. A mover that fails leaves the window where it is.
void FormDrag(std::int16_t button, QWidget& window, WindowMover& mover);

// Paints `window`'s background as horizontal bands from `colour` downwards, darker by `stepSize`
// per component and band (see gradientBands). Call it from the window's paintEvent.
void PaintGradient(QWidget& window, std::uint32_t colour = kGradientColour, std::int32_t steps = kGradientSteps,
                   std::int16_t stepSize = kGradientStepSize);

}  // namespace quorvane

namespace quorvane {

class FormLayout;

// The chrome of a frameless working window: its gradient under the windowless items, and its move
// by a drag on the surface, both as its layout states them. The window calls it from its paint and
// mouse handlers. A drag starts from the surface itself (lines and shapes included) and from the
// layout's drag items; the other labels and images under the pointer keep the mouse, as do the
// controls with windows.
class FormSurface {
public:
    FormSurface(QWidget& window, const FormLayout& layout);
    ~FormSurface();

    // Tests observe moves through their own mover; the default asks the window system.
    void setWindowMover(WindowMover& mover) { m_mover = &mover; }
    WindowMover& windowMover() const { return *m_mover; }

    void paint();
    void mousePress(const QMouseEvent& event);
    void mouseMove(const QMouseEvent& event);

private:
    QWidget& m_window;
    const FormLayout& m_layout;
    SystemWindowMover m_systemMover;
    WindowMover* m_mover = &m_systemMover;
    bool m_pressOnSurface = true;  // where the buttons held now went down
};

}  // namespace quorvane
