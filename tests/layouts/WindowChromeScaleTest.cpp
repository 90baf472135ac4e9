// The gradient under a scale factor (QT_SCALE_FACTOR 1, 1.5 and 2, one run each): its bands laid
// out over the window's device pixels, each edge on a whole pixel, read back from what is painted.
#include <gtest/gtest.h>

#include <QTest>
#include <cmath>

#include "qt/MainWindow.h"
#include "support/GuiFixture.h"
#include "qt/FormChrome.h"
#include "qt/FormLayout.h"

namespace quorvane {
namespace {

// A bare window that paints the frameless windows' gradient and nothing else.
class GradientWindow : public QWidget {
public:
    explicit GradientWindow(int height) { resize(20, height); }

protected:
    void paintEvent(QPaintEvent*) override { PaintGradient(*this, 0x00A4AF8F, 20, 2); }
};

// The band bottoms of the callers' gradient over a window's inner height in device pixels: the
// band height is the device height / 20 as a 32-bit float.
struct Case {
    qreal ratio;
    int logicalHeight;
    int deviceHeight;
    std::vector<int> bottoms;
};
const std::vector<Case> kCases = {
    {1.0, 436, 436, {22, 44, 65, 87, 109, 131, 153, 174, 196, 218, 240, 262, 283, 305, 327, 349, 371, 392, 414, 436}},
    {1.5, 436, 654, {33, 65, 98, 131, 164, 196, 229, 262, 294, 327, 360, 392, 425, 458, 491, 523, 556, 589, 621, 654}},
    {2.0, 436, 872, {44, 87, 131, 174, 218, 262, 305, 349, 392, 436, 480, 523, 567, 610, 654, 698, 741, 785, 828, 872}},
    {1.0, 186, 186, {9, 19, 28, 37, 47, 56, 65, 74, 84, 93, 102, 112, 121, 130, 140, 149, 158, 167, 177, 186}},
    {1.5, 186, 279, {14, 28, 42, 56, 70, 84, 98, 112, 126, 139, 153, 167, 181, 195, 209, 223, 237, 251, 265, 279}},
    {2.0, 186, 372, {19, 37, 56, 74, 93, 112, 130, 149, 167, 186, 205, 223, 242, 260, 279, 298, 316, 335, 353, 372}},
};

// Band k (1 to 20) of the callers' gradient.
QColor bandColour(int k) { return QColor(145 - 2 * k, 177 - 2 * k, 166 - 2 * k); }

class WindowChromeScaleTest : public test::MainWindowTest {
protected:
    static std::vector<const Case*> casesAt(qreal ratio) {
        std::vector<const Case*> out;
        for (const Case& c : kCases)
            if (c.ratio == ratio) out.push_back(&c);
        return out;
    }
};

TEST_F(WindowChromeScaleTest, BandsEndOnTheDevicePixelsTheDeviceHeightGives) {
    GradientWindow probe(10);
    const std::vector<const Case*> cases = casesAt(probe.devicePixelRatio());
    ASSERT_FALSE(cases.empty()) << "no expected bands for the scale " << probe.devicePixelRatio();
    for (const Case* c : cases) {
        GradientWindow window(c->logicalHeight);
        const QImage image = window.grab().toImage();
        ASSERT_EQ(image.height(), c->deviceHeight) << c->logicalHeight;
        for (int x : {0, image.width() / 2, image.width() - 1}) {
            int top = 0;
            for (int k = 1; k <= 20; ++k) {
                const int bottom = c->bottoms[k - 1];
                EXPECT_EQ(image.pixelColor(x, top), bandColour(k)) << c->logicalHeight << " band " << k << " x " << x;
                EXPECT_EQ(image.pixelColor(x, bottom - 1), bandColour(k))
                    << c->logicalHeight << " band " << k << " x " << x;
                top = bottom;
            }
        }
    }
}

TEST_F(WindowChromeScaleTest, TheMainWindowsBandsFollowTheDevicePixels) {
    MainWindow& w = window();
    w.formLayout().setVisible(u"Image1", -1, false);  // the banner covers the first bands
    w.formLayout().setVisible(u"Image2", -1, false);
    const qreal ratio = w.devicePixelRatio();
    const Case* c = nullptr;
    for (const Case* candidate : casesAt(ratio))
        if (candidate->logicalHeight == w.height()) c = candidate;
    ASSERT_NE(c, nullptr) << w.height() << " at " << ratio;
    const QImage image = w.grab().toImage();
    ASSERT_EQ(image.height(), c->deviceHeight);
    // Column 5 is bare gradient but for the frame (rows 0-2 and the last three) and the top line
    // (rows 84 and 85), wherever those land in device pixels.
    const int x = static_cast<int>(std::lround(5 * ratio));
    auto clear = [&](int y) {
        return y >= std::ceil(3 * ratio) && y < std::floor(433 * ratio) &&
               (y < std::floor(84 * ratio) - 1 || y > std::ceil(86 * ratio) + 1);
    };
    for (int k = 1; k < 20; ++k) {
        const int bottom = c->bottoms[k - 1];
        if (clear(bottom - 1)) {
            EXPECT_EQ(image.pixelColor(x, bottom - 1), bandColour(k)) << "band " << k;
        }
        if (clear(bottom)) {
            EXPECT_EQ(image.pixelColor(x, bottom), bandColour(k + 1)) << "band " << k + 1;
        }
    }
}

}  // namespace
}  // namespace quorvane
