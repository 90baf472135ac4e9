#include "windows/PictureBox.h"

#include <QPainter>
#include <QResizeEvent>

namespace quorvane {

namespace {
// The system's sunken edge: shadow over dark shadow at the top and left, highlight over light at
// the bottom and right.
constexpr QColor kEdgeShadow(128, 128, 128);
constexpr QColor kEdgeDarkShadow(64, 64, 64);
constexpr QColor kEdgeHighlight(255, 255, 255);
constexpr QColor kEdgeLight(212, 208, 200);

void paintSunkenEdge(QPainter& painter, const QRect& r) {
    painter.fillRect(QRect(r.left(), r.top(), r.width() - 1, 1), kEdgeShadow);
    painter.fillRect(QRect(r.left(), r.top(), 1, r.height() - 1), kEdgeShadow);
    painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), kEdgeHighlight);
    painter.fillRect(QRect(r.right(), r.top(), 1, r.height()), kEdgeHighlight);
    const QRect in = r.adjusted(1, 1, -1, -1);
    painter.fillRect(QRect(in.left(), in.top(), in.width() - 1, 1), kEdgeDarkShadow);
    painter.fillRect(QRect(in.left(), in.top(), 1, in.height() - 1), kEdgeDarkShadow);
    painter.fillRect(QRect(in.left(), in.bottom(), in.width(), 1), kEdgeLight);
    painter.fillRect(QRect(in.right(), in.top(), 1, in.height()), kEdgeLight);
}
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
    const int edge = sunken ? kSunkenEdge : 0;
    setContentsMargins(edge, edge, edge, edge);
    clearPicture();
}

void PictureBox::clearPicture() {
    m_image = QImage(contentsRect().size(), QImage::Format_ARGB32_Premultiplied);
    m_image.fill(m_backColor);
    update();
}

void PictureBox::drawImage(const QImage& picture, int x, int y) {
    if (m_image.size() != contentsRect().size()) clearPicture();
    QPainter painter(&m_image);
    painter.drawImage(x, y, picture);
    painter.end();
    update();
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), m_backColor);
    painter.drawImage(contentsRect().topLeft(), m_image);
    if (contentsMargins().left() == kSunkenEdge) paintSunkenEdge(painter, rect());
}

void PictureBox::resizeEvent(QResizeEvent* event) {
    // The image keeps what it holds; new area shows the background.
    const QMargins edge = contentsMargins();
    QImage resized(event->size().shrunkBy(edge), QImage::Format_ARGB32_Premultiplied);
    resized.fill(m_backColor);
    if (!m_image.isNull()) {
        QPainter painter(&resized);
        painter.drawImage(0, 0, m_image);
    }
    m_image = resized;
    QWidget::resizeEvent(event);
}

}  // namespace quorvane
