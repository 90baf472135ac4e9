#include "qt/FormChrome.h"

#include <QCoreApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <cmath>

#include "qt/FormLayout.h"

namespace quorvane {

// The fallback move: the window grabs the mouse and follows it until the left button is released.
// It is driven by the pointer's own events only, so nothing runs while the pointer rests.
class SystemWindowMover::ManualMove : public QObject {
public:
    void start(QWidget& window) {
        stop();
        m_window = &window;
        m_offset = QCursor::pos() - window.pos();
        window.installEventFilter(this);
        window.grabMouse();
    }
    void stop() {
        if (!m_window) return;
        m_window->removeEventFilter(this);
        m_window->releaseMouse();
        m_window = nullptr;
    }
    ~ManualMove() override { stop(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != m_window) return false;
        switch (event->type()) {
            case QEvent::MouseMove: {
                const auto* move = static_cast<QMouseEvent*>(event);
                m_window->move(move->globalPosition().toPoint() - m_offset);
                return true;
            }
            case QEvent::MouseButtonRelease:
                if (!(static_cast<QMouseEvent*>(event)->buttons() & Qt::LeftButton)) stop();
                return true;
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonDblClick:
                return true;
            case QEvent::Hide:
                stop();
                return false;
            default:
                return false;
        }
    }

private:
    QPointer<QWidget> m_window;
    QPoint m_offset;
};

SystemWindowMover::SystemWindowMover() : m_manual(std::make_unique<ManualMove>()) {}
SystemWindowMover::~SystemWindowMover() = default;

void SystemWindowMover::beginMove(QWidget& window) {
    QWindow* handle = window.windowHandle();
    if (handle && handle->startSystemMove()) return;
    m_manual->start(window);
}

std::int16_t mouseButtonState(const QMouseEvent& event) {
    std::int16_t state = 0;
    if (event.buttons() & Qt::LeftButton) state |= 1;
    if (event.buttons() & Qt::RightButton) state |= 2;
    if (event.buttons() & Qt::MiddleButton) state |= 4;
    return state;
}

void FormDrag(std::int16_t button, QWidget& window, WindowMover& mover) {
    if (button != 1) return;
    // Failures of the move are ignored: the window stays where it is.
    try {
        mover.beginMove(window);
    } catch (const std::exception&) {
    }
}

void PaintGradient(QWidget& window, std::uint32_t colour, std::int32_t steps, std::int16_t stepSize) {
    // The bands are laid out over the window's device pixels, so under a scale factor each edge
    // still falls on a whole pixel of the screen.
    const qreal scale = window.devicePixelRatio();
    const int width = static_cast<int>(std::ceil(window.width() * scale));
    const int height = static_cast<int>(std::lround(window.height() * scale));
    const std::vector<GradientBand> bands = gradientBands(height, colour, steps, stepSize);
    QPainter painter(&window);
    painter.scale(1 / scale, 1 / scale);
    for (const GradientBand& band : bands) {
        const QColor c(static_cast<int>(band.colour & 255), static_cast<int>((band.colour >> 8) & 255),
                       static_cast<int>((band.colour >> 16) & 255));
        // Left and top inclusive, right and bottom exclusive.
        painter.fillRect(QRect(0, band.top, width, band.bottom - band.top), c);
    }
}

FormSurface::FormSurface(QWidget& window, const FormLayout& layout) : m_window(window), m_layout(layout) {}

FormSurface::~FormSurface() = default;

void FormSurface::paint() {
    if (const auto& gradient = m_layout.settings().gradient)
        PaintGradient(m_window, gradient->colour, gradient->steps, gradient->stepSize);
    QPainter painter(&m_window);
    m_layout.paintItems(painter);
}

void FormSurface::mousePress(const QMouseEvent& event) {
    // The item under the press keeps the mouse until every button is up, as a captured window would.
    m_pressOnSurface = m_layout.pressDragsWindow(event.position().toPoint());
}

void FormSurface::mouseMove(const QMouseEvent& event) {
    if (m_pressOnSurface) FormDrag(mouseButtonState(event), m_window, *m_mover);
}

}  // namespace quorvane
