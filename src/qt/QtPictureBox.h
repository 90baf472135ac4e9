#pragma once

#include "layouts/PictureBoxView.h"

namespace quorvane {

class PictureBox;

// A picture box widget as the actions see it.
class QtPictureBox final : public PictureBoxView {
public:
    explicit QtPictureBox(PictureBox* box) : m_box(box) {}

    void setHeight(int twipsValue) override;
    void setWidth(int twipsValue) override;
    void clearPicture() override;
    void drawPicture(const IconImage& picture, int x, int y) override;
    void refresh() override;

private:
    PictureBox* m_box;
};

}  // namespace quorvane
