#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

namespace quorvane {

// A picture box with a persistent image: what is drawn into it stays and is repainted from it.
// It has a flat edge, so a 32-pixel icon fills a 32-pixel box.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);

    void setBackColor(const QColor& color);
    QColor backColor() const { return m_backColor; }

    // A 2-pixel sunken edge around the picture, or none (the default). The persistent image is
    // the area inside the edge.
    void setSunkenEdge(bool sunken);
    bool sunkenEdge() const { return m_edge > 0; }
    int edgeWidth() const { return m_edge; }

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
    QSize innerSize() const;

    QImage m_image;
    QColor m_backColor = Qt::white;
    int m_edge = 0;
};

}  // namespace quorvane
