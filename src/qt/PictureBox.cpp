#include "qt/PictureBox.h"

#include <QPainter>
#include <QResizeEvent>

namespace quorvane {

namespace {
constexpr int kSunkenEdge = 2;
const QColor kEdgeShadow(128, 128, 128);
const QColor kEdgeHighlight(255, 255, 255);
const QColor kEdgeDarkShadow(64, 64, 64);
const QColor kEdgeFace(212, 208, 200);
}  // namespace

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::TabFocus);
}

void PictureBox::setBackColor(const QColor& color) {
    m_backColor = color;
    clearPicture();
}

void PictureBox::setSunkenEdge(bool sunken) {
    m_edge = sunken ? kSunkenEdge : 0;
    QImage resized(innerSize(), QImage::Format_ARGB32_Premultiplied);
    resized.fill(m_backColor);
    if (!resized.isNull() && !m_image.isNull()) {
        QPainter painter(&resized);
        painter.drawImage(0, 0, m_image);
    }
    m_image = resized;
    update();
}

QSize PictureBox::innerSize() const { return (size() - QSize(2 * m_edge, 2 * m_edge)).expandedTo(QSize(0, 0)); }

void PictureBox::clearPicture() {
    m_image = QImage(innerSize(), QImage::Format_ARGB32_Premultiplied);
    m_image.fill(m_backColor);
    update();
}

void PictureBox::drawImage(const QImage& picture, int x, int y) {
    if (m_image.size() != innerSize()) clearPicture();
    QPainter painter(&m_image);
    painter.drawImage(x, y, picture);
    painter.end();
    update();
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), m_backColor);
    if (m_edge > 0) {
        // Outer ring shadow over highlight, inner ring dark shadow over face: a sunken well.
        const QRect outer = rect();
        const QRect inner = outer.adjusted(1, 1, -1, -1);
        auto ring = [&painter](const QRect& r, const QColor& topLeft, const QColor& bottomRight) {
            painter.fillRect(QRect(r.left(), r.top(), r.width() - 1, 1), topLeft);
            painter.fillRect(QRect(r.left(), r.top(), 1, r.height() - 1), topLeft);
            painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), bottomRight);
            painter.fillRect(QRect(r.right(), r.top(), 1, r.height()), bottomRight);
        };
        ring(outer, kEdgeShadow, kEdgeHighlight);
        ring(inner, kEdgeDarkShadow, kEdgeFace);
    }
    painter.drawImage(m_edge, m_edge, m_image);
}

void PictureBox::resizeEvent(QResizeEvent* event) {
    // The image keeps what it holds; new area shows the background.
    QImage resized(innerSize(), QImage::Format_ARGB32_Premultiplied);
    resized.fill(m_backColor);
    if (!m_image.isNull()) {
        QPainter painter(&resized);
        painter.drawImage(0, 0, m_image);
    }
    m_image = resized;
    QWidget::resizeEvent(event);
}

}  // namespace quorvane
