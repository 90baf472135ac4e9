#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

namespace quorvane {

// A picture box with a persistent image: what is drawn into it stays and is repainted from it.
// Its edge is flat unless set sunken, so a 32-pixel icon fills a 32-pixel box; a sunken edge is
// 2 pixels wide and the image lies inside it.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);

    void setBackColor(const QColor& color);
    // A 2-pixel sunken edge around the image, or none.
    void setSunkenEdge(bool sunken);
    static constexpr int kSunkenEdge = 2;
    QColor backColor() const { return m_backColor; }

    // Clears the picture: the box shows its background colour only.
    void clearPicture();
    // Draws `picture` at (x, y) over what the image holds; its transparent parts let that show.
    void drawImage(const QImage& picture, int x = 0, int y = 0);

    // The persistent image, as large as the box inside its edge.
    const QImage& image() const { return m_image; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QImage m_image;
    QColor m_backColor = Qt::white;
};

}  // namespace quorvane
