#pragma once

#include <string>

namespace quorvane {

struct IconImage;

// A picture box as the actions use it: a persistent image that is drawn into and repainted from.
class PictureBoxView {
public:
    virtual ~PictureBoxView() = default;

    // The box's outer height and width, in twips.
    virtual void setHeight(int twips) = 0;
    virtual void setWidth(int twips) = 0;
    // The box shows its background colour only.
    virtual void clearPicture() = 0;
    // Draws `picture` with its top-left corner at pixel (x, y) over what the image holds; its
    // transparent parts let that show through.
    virtual void drawPicture(const IconImage& picture, int x, int y) = 0;
    // The persistent image is on the screen when this returns.
    virtual void refresh() = 0;
    // The image now shows the shell's icon of `path` (DrawShellIcon tells it after drawing), so
    // that a box drawn at another scale later can look the icon up again at that scale.
    virtual void showsIconOf(const std::string& /*path*/) {}
};

}  // namespace quorvane
