#pragma once

#include <optional>
#include <string>

#include "layouts/PictureBoxView.h"
#include "win32/Picture.h"
#include "win32/Wnd.h"

namespace quorvane::win32 {

// A picture box: a window of its own that shows its picture at the top-left corner over its
// background colour, one picture pixel to one device pixel. As the actions see it, its picture is a
// persistent image that what they draw stays in.
class PictureBoxWin32 final : public Wnd, public PictureBoxView {
public:
    bool make(const CreateArgs& args, COLORREF background);
    // Shows `picture` from now on (nothing: the box keeps its background only).
    void setPicture(std::optional<Picture> picture);
    const std::optional<Picture>& picture() const { return m_picture; }

    // The DPI its lengths in twips are turned into pixels at; the window sets it as it lays out.
    void setDpi(int dpi) { m_dpi = dpi; }
    int dpi() const { return m_dpi; }
    // The shell's icon it shows, looked up again and drawn anew at the box's DPI (after a change of
    // DPI, once the box has its size there); nothing when it shows no shell icon.
    void drawIconAgain();
    // The size in twips the actions gave the box, where they gave one: it keeps it at every DPI.
    std::optional<int> widthTwips() const { return m_widthTwips; }
    std::optional<int> heightTwips() const { return m_heightTwips; }

    void setHeight(int twips) override;
    void setWidth(int twips) override;
    void clearPicture() override;
    void drawPicture(const IconImage& picture, int x, int y) override;
    void refresh() override;
    void showsIconOf(const std::string& path) override { m_iconPath = path; }

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void paint(HDC dc);
    COLORREF m_background = 0;
    int m_dpi = 96;
    std::optional<int> m_widthTwips;
    std::optional<int> m_heightTwips;
    std::optional<std::string> m_iconPath;  // the path whose shell icon the picture shows
    std::optional<Picture> m_picture;
};

}  // namespace quorvane::win32
