#include "qt/QtPictureBox.h"

#include "qt/IconImage.h"
#include "qt/PictureBox.h"
#include "qt/ScreenTwips.h"

namespace quorvane {

void QtPictureBox::setHeight(int twipsValue) { m_box->resize(m_box->width(), twips(twipsValue, m_box)); }

void QtPictureBox::setWidth(int twipsValue) { m_box->resize(twips(twipsValue, m_box), m_box->height()); }

void QtPictureBox::clearPicture() { m_box->clearPicture(); }

void QtPictureBox::drawPicture(const IconImage& picture, int x, int y) { m_box->drawImage(toQImage(picture), x, y); }

void QtPictureBox::refresh() { m_box->repaint(); }

}  // namespace quorvane
