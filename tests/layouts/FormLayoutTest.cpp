// The Qt loader on small layouts: the widgets and windowless items it builds from a description
// (the kinds the about window needs too: opaque labels, a sunken picture box sized to its JPEG,
// thin lines), the window settings as Qt shows them, the widgets' stacking and tab chain, the
// changes code may make, and a picture that cannot be read. Reading the layouts is tested in the
// core (FormDescriptionTest).
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QPainter>
#include <QTest>
#include <stdexcept>

#include "qt/KeyInjector.h"
#include "layouts/AboutLikeLayout.h"
#include "qt/FormLayout.h"
#include "qt/PictureBox.h"
#include "qt/TulmXpButton.h"

namespace quorvane {
namespace {

// A window that paints its plain background and the layout's windowless items.
class PlainForm : public QWidget {
public:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), palette().color(QPalette::Window));
        if (layout) layout->paintItems(painter);
    }
    FormLayout* layout = nullptr;
};

class FormLayoutTest : public ::testing::Test {
protected:
    static FormDescription described(const std::string& json) { return FormDescription::parse(json, "frmTest"); }

    QtKeyInjector keys;
};

TEST_F(FormLayoutTest, BuildsTheSettingsAndControlsOfAPlainDialog) {
    PlainForm form;
    FormLayout layout(form, described(test::kAboutLike), keys);
    form.layout = &layout;
    EXPECT_EQ(form.objectName(), QStringLiteral("frmTest"));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("About "));
    EXPECT_EQ(form.size(), QSize(354, 227));
    EXPECT_EQ(form.minimumSize(), form.maximumSize()) << "not resizable";
    EXPECT_FALSE(form.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(form.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(form.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_EQ(form.windowIcon().availableSizes().value(0), QSize(32, 32));
    EXPECT_EQ(form.palette().color(QPalette::Window), QColor(143, 175, 164));
    layout.placeWindow();
    EXPECT_EQ(form.geometry().topLeft(), QPoint(156, 129));  // the inner area's stored corner

    // Widgets are stacked front to back as described: the frontmost is the last child.
    const QObjectList children = form.children();
    EXPECT_EQ(children.indexOf(layout.widget(u"Text1")), children.size() - 1);
    EXPECT_LT(children.indexOf(layout.widget(u"Picture1")), children.indexOf(layout.widget(u"cmdFace")));

    // A sunken picture box sized to its 89 x 108 picture, hidden.
    auto* photo = layout.control<PictureBox>(u"Picture1");
    ASSERT_NE(photo, nullptr);
    EXPECT_EQ(photo->geometry(), QRect(16, 24, 93, 112));
    EXPECT_EQ(photo->image().size(), QSize(89, 108));
    EXPECT_TRUE(photo->isHidden());

    auto* face = layout.control<TulmXpButton>(u"cmdFace");
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(face->Caption(), QStringLiteral("&Change..."));
    EXPECT_EQ(face->AccessKeys(), QStringLiteral("c"));
    EXPECT_EQ(face->ForeColor(), 0x006B7955u);
    EXPECT_EQ(face->ForeHover(), 0x00A4AF8Fu);
    auto* ok = layout.control<TulmXpButton>(u"cmdUnload");
    EXPECT_EQ(ok->Font().name, "MS Sans Serif") << "the form's font, as the ambient one";
    EXPECT_EQ(ok->ForeHover(), ok->ForeColor()) << "a missing forehover reads as the fore colour";

    EXPECT_EQ(layout.widget(u"Label1"), nullptr);
    EXPECT_EQ(layout.widget(u"nothing"), nullptr);
    EXPECT_EQ(layout.find(u"Line1", 2), nullptr);
    EXPECT_FALSE(layout.widget(u"Text1")->isEnabled());
    EXPECT_EQ(QFontInfo(layout.find(u"Label1")->font).family(), QStringLiteral("Tahoma"));

    // The text box is no tab stop; the hidden photo keeps its place for when it shows.
    EXPECT_EQ(layout.tabOrder(), (std::vector<QWidget*>{ok, photo, face}));

    // The opaque label fills its box; the thin grey line lies one row above the white one.
    const QImage image = form.grab().toImage();
    const QRect label = layout.find(u"Label1")->rect;
    EXPECT_EQ(label, QRect(120, 40, 131, 24));
    EXPECT_EQ(image.pixelColor(label.right(), label.bottom()), QColor(143, 175, 164));
    EXPECT_EQ(image.pixelColor(200, 170), QColor(143, 175, 164));
    EXPECT_EQ(image.pixelColor(200, 171), QColor(128, 128, 128));
    EXPECT_EQ(image.pixelColor(200, 172), QColor(255, 255, 255));
    EXPECT_EQ(image.pixelColor(200, 173), QColor(143, 175, 164));
    EXPECT_EQ(image.pixelColor(353, 172), QColor(255, 255, 255)) << "cut at the window's edge";
    EXPECT_EQ(image.pixelColor(5, 171), QColor(143, 175, 164)) << "the grey line starts at 6";
    EXPECT_EQ(image.pixelColor(6, 171), QColor(128, 128, 128));

    photo->show();
    const QImage shown = photo->grab().toImage();
    EXPECT_EQ(shown.pixelColor(0, 0), QColor(128, 128, 128));     // outer shadow
    EXPECT_EQ(shown.pixelColor(92, 111), QColor(255, 255, 255));  // outer highlight
    EXPECT_EQ(shown.pixelColor(1, 1), QColor(64, 64, 64));        // inner dark shadow
    EXPECT_EQ(shown.pixelColor(2, 2), photo->image().pixelColor(0, 0));
}

TEST_F(FormLayoutTest, TextAndVisibilityChangesResizeAndRepaint) {
    PlainForm form;
    FormLayout layout(form, described(R"({"form": {"width": 3000, "height": 1500},
      "controls": [{"name": "lbl", "kind": "Label", "order": 1, "left": 150, "top": 150, "width": 300,
                    "height": 200, "autoSize": true, "text": "x", "backColor": [255, 255, 0]},
                   {"name": "wrap", "kind": "Label", "order": 2, "left": 150, "top": 600, "width": 450,
                    "height": 200, "autoSize": true, "wordWrap": true, "text": "a"}]})"),
                      keys);
    form.layout = &layout;
    const QFontMetrics metrics(layout.find(u"lbl")->font);
    layout.setText(u"lbl", -1, QStringLiteral("a longer caption"));
    const QRect grown = layout.find(u"lbl")->rect;
    const int advance = metrics.horizontalAdvance(QStringLiteral("a longer caption"));
    EXPECT_EQ(grown.topLeft(), QPoint(10, 10));
    EXPECT_TRUE(grown.width() >= advance && grown.width() <= advance + 1) << grown.width() << " for " << advance;
    EXPECT_TRUE(grown.height() >= metrics.height() && grown.height() <= metrics.lineSpacing() + 1) << grown.height();
    layout.setText(u"wrap", -1, QStringLiteral("one two three four"));
    const QRect wrapped = layout.find(u"wrap")->rect;
    EXPECT_EQ(wrapped.width(), 30) << "wrapping keeps the box's width";
    EXPECT_GE(wrapped.height(), 3 * metrics.lineSpacing());

    EXPECT_EQ(form.grab().toImage().pixelColor(11, 11), QColor(255, 255, 0));
    layout.setVisible(u"lbl", -1, false);
    EXPECT_NE(form.grab().toImage().pixelColor(11, 11), QColor(255, 255, 0));
    EXPECT_EQ(layout.mouseTarget(QPoint(11, 11)), nullptr);
    EXPECT_EQ(layout.mouseTarget(wrapped.center()), layout.find(u"wrap"));
}

TEST_F(FormLayoutTest, APictureThatCannotBeReadIsNamedWithItsItem) {
    struct Case {
        const char* name;
        std::string json;
        const char* says;
    };
    const Case cases[] = {
        {"window icon", R"({"form": {"width": 1, "height": 1, "icon": ":/art/none-32.png"}})",
         "layout frmTest: form: picture \":/art/none-32.png\" cannot be read"},
        {"image",
         R"({"form": {"width": 1, "height": 1}, "controls": [{"name": "i", "kind": "Image", "order": 1, "left": 0,
            "top": 0, "width": 1, "height": 1, "picture": ":/art/none.png"}]})",
         "layout frmTest: i: picture \":/art/none.png\" cannot be read"},
        {"picture box",
         R"({"form": {"width": 1, "height": 1}, "controls": [{"name": "p", "index": 2, "kind": "PictureBox",
            "order": 1, "left": 0, "top": 0, "width": 1, "height": 1, "picture": ":/art/none.jpg"}]})",
         "layout frmTest: p(2): picture \":/art/none.jpg\" cannot be read"},
    };
    for (const Case& c : cases) {
        QWidget form;
        try {
            FormLayout layout(form, described(c.json), keys);
            ADD_FAILURE() << c.name << ": accepted";
        } catch (const LayoutError& e) {
            EXPECT_EQ(std::string(e.what()), c.says) << c.name;
        }
    }
}

}  // namespace
}  // namespace quorvane
