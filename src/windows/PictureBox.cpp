#include "windows/PictureBox.h"

#include <QPainter>
#include <QResizeEvent>

namespace quorvane {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::TabFocus);
}

void PictureBox::setBackColor(const QColor& color) {
    m_backColor = color;
    clearPicture();
}

void PictureBox::clearPicture() {
    m_image = QImage(size(), QImage::Format_ARGB32_Premultiplied);
    m_image.fill(m_backColor);
    update();
}

void PictureBox::drawImage(const QImage& picture, int x, int y) {
    if (m_image.size() != size()) clearPicture();
    QPainter painter(&m_image);
    painter.drawImage(x, y, picture);
    painter.end();
    update();
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), m_backColor);
    painter.drawImage(0, 0, m_image);
}

void PictureBox::resizeEvent(QResizeEvent* event) {
    // The image keeps what it holds; new area shows the background.
    QImage resized(event->size(), QImage::Format_ARGB32_Premultiplied);
    resized.fill(m_backColor);
    if (!m_image.isNull()) {
        QPainter painter(&resized);
        painter.drawImage(0, 0, m_image);
    }
    m_image = resized;
    QWidget::resizeEvent(event);
}

}  // namespace quorvane
