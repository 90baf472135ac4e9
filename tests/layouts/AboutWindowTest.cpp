// The about window on screen: its load, the portrait swap, the focus, its frame and layout, the
// system information button, and its life beside the main window, by real clicks and keys. Its
// form alone is tested over a fake view in about_form_test.
#include <gtest/gtest.h>

#include <QIcon>
#include <QTest>
#include <QWindow>

#include "qt/MainWindow.h"
#include "support/GuiFixture.h"
#include "qt/AboutWindow.h"
#include "qt/FormLayout.h"
#include "qt/PictureBox.h"
#include "qt/TulmXpButton.h"

namespace quorvane {
namespace {

// A shown, active about window over the main window tests' services: a fake registry (empty
// until a test puts values in) and a launcher that records.
class AboutWindowTest : public test::MainWindowTest {
protected:
    AboutWindowTest() { open(); }

    void open() {
        about.show();
        about.raise();
        about.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&about));
    }

    // A left click through the window system in the middle of `w`.
    void click(QWidget* w) {
        QTest::mouseClick(about.windowHandle(), Qt::LeftButton, {}, w->mapTo(&about, w->rect().center()));
    }
    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = {}) { QTest::keyClick(about.windowHandle(), k, modifiers); }

    // Which portrait is in view, checked from both boxes and the window's state.
    void expectPortrait(bool photo) {
        EXPECT_EQ(about.form().PhotoShown(), photo);
        EXPECT_EQ(about.Picture1()->isVisible(), photo);
        EXPECT_EQ(about.Picture2()->isVisible(), !photo);
    }

    void expectUnavailable() {
        ASSERT_EQ(messages.boxes.size(), 1u);
        EXPECT_EQ(messages.boxes[0].text, "System Information Is Unavailable At This Time");
        EXPECT_EQ(messages.boxes[0].style, 0);
        EXPECT_EQ(messages.boxes[0].title, std::optional<std::string>("Quorvane"));
    }

    AboutWindow about{services()};
};

TEST_F(AboutWindowTest, LoadShowsTheDrawingWithTheFocusOnOk) {
    EXPECT_EQ(about.windowTitle(), QStringLiteral("About "));
    EXPECT_EQ(about.layout().find(u"lblTitle")->text, QStringLiteral("Taskelin Hide/Protect Folder 2.00"));
    expectPortrait(false);
    EXPECT_EQ(QApplication::focusWidget(), about.cmdUnload());
    EXPECT_EQ(about.cmdUnload()->Caption(), QStringLiteral("&OK"));
    EXPECT_EQ(about.cmdSysInfo()->Caption(), QStringLiteral("&System Info..."));
    EXPECT_EQ(about.cmdFace()->Caption(), QStringLiteral("&Change..."));
    EXPECT_EQ(about.layout().find(u"Label1")->text, QStringLiteral("Freeware version"));
    EXPECT_FALSE(about.layout().find(u"lblDescription")->text.isEmpty());
}

TEST_F(AboutWindowTest, ChangeSwapsThePortraitsByClickAndByAccessKey) {
    click(about.cmdFace());
    expectPortrait(true);
    click(about.cmdFace());
    expectPortrait(false);
    key(Qt::Key_C, Qt::AltModifier);
    expectPortrait(true);
    key(Qt::Key_C, Qt::AltModifier);
    expectPortrait(false);
}

TEST_F(AboutWindowTest, ClosingUnloadsSoThatTheNextShowingStartsWithTheDrawing) {
    const struct {
        const char* name;
        std::function<void()> close;
    } ways[] = {
        {"OK clicked", [this] { click(about.cmdUnload()); }},
        {"Alt+O", [this] { key(Qt::Key_O, Qt::AltModifier); }},
        {"close box", [this] { about.close(); }},
        {"Escape", [this] { key(Qt::Key_Escape); }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.name);
        click(about.cmdFace());
        expectPortrait(true);
        about.setWindowTitle(QStringLiteral("About MyApp"));
        about.cmdSysInfo()->setFocus();
        way.close();
        EXPECT_FALSE(about.isVisible());
        open();
        expectPortrait(false);
        EXPECT_EQ(about.windowTitle(), QStringLiteral("About "));
        EXPECT_EQ(QApplication::focusWidget(), about.cmdUnload());
        click(about.cmdFace());
        expectPortrait(true);
        click(about.cmdFace());
    }
}

TEST_F(AboutWindowTest, TabVisitsTheVisibleControlsInOrder) {
    const auto walk = [this](int steps) {
        std::vector<QWidget*> seen;
        for (int i = 0; i < steps; ++i) {
            seen.push_back(QApplication::focusWidget());
            key(Qt::Key_Tab);
        }
        return seen;
    };
    EXPECT_EQ(walk(5), (std::vector<QWidget*>{about.cmdUnload(), about.cmdSysInfo(), about.cmdFace(), about.Picture2(),
                                              about.cmdUnload()}));
    key(Qt::Key_C, Qt::AltModifier);  // the photograph in view
    about.cmdUnload()->setFocus();
    EXPECT_EQ(walk(5), (std::vector<QWidget*>{about.cmdUnload(), about.cmdSysInfo(), about.Picture1(), about.cmdFace(),
                                              about.cmdUnload()}));
}

TEST_F(AboutWindowTest, FixedDialogFrameWithACloseBoxOnly) {
    const Qt::WindowFlags flags = about.windowFlags();
    EXPECT_TRUE(flags & Qt::WindowTitleHint);
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(flags & Qt::FramelessWindowHint);
    EXPECT_EQ(about.windowType(), Qt::Tool);  // a window of its own without a taskbar button
    EXPECT_EQ(about.parentWidget(), nullptr);
    EXPECT_FALSE(about.isModal());
    EXPECT_EQ(about.minimumSize(), QSize(354, 227));
    EXPECT_EQ(about.maximumSize(), QSize(354, 227));
    EXPECT_EQ(about.geometry(), QRect(156, 129, 354, 227));  // the stored position of the inner area
    EXPECT_FALSE(about.windowIcon().pixmap(32, 32).isNull());
}

TEST_F(AboutWindowTest, ControlsSitWhereTheLayoutPutsThemAt96Dpi) {
    EXPECT_EQ(about.cmdUnload()->geometry(), QRect(256, 184, 89, 25));
    EXPECT_EQ(about.cmdSysInfo()->geometry(), QRect(160, 184, 89, 25));
    EXPECT_EQ(about.cmdFace()->geometry(), QRect(8, 144, 105, 25));
    EXPECT_EQ(about.Picture2()->geometry(), QRect(8, 16, 101, 120));
    // Sized to the 89 x 108 photograph inside its 2-pixel edge.
    EXPECT_EQ(about.Picture1()->geometry(), QRect(16, 24, 93, 112));
    EXPECT_EQ(about.layout().find(u"lblDescription")->rect, QRect(120, 67, 235, 78));
    EXPECT_EQ(about.layout().find(u"lblTitle")->rect, QRect(120, 16, 291, 32));
}

TEST_F(AboutWindowTest, PaintsAPlainBackgroundAndAnEtchedSeparator) {
    const QImage shot = about.grab().toImage();
    const QColor background(143, 175, 164);
    EXPECT_EQ(shot.pixelColor(300, 160), background);
    EXPECT_EQ(shot.pixelColor(5, 200), background);
    EXPECT_EQ(shot.pixelColor(200, 171), QColor(128, 128, 128));
    EXPECT_EQ(shot.pixelColor(200, 172), QColor(255, 255, 255));
    EXPECT_EQ(shot.pixelColor(200, 173), background);
    EXPECT_EQ(shot.pixelColor(6, 171), QColor(128, 128, 128));
    EXPECT_EQ(shot.pixelColor(6, 172), background);               // the white line starts a pixel further right
    EXPECT_EQ(shot.pixelColor(353, 171), QColor(128, 128, 128));  // both run to the window's edge
    EXPECT_EQ(shot.pixelColor(353, 172), QColor(255, 255, 255));
    // The drawing fills its box from the box's corner; it is larger than the box.
    EXPECT_NE(shot.pixelColor(8, 16), background);
    EXPECT_EQ(shot.pixelColor(8, 16), about.Picture2()->image().pixelColor(0, 0));
}

TEST_F(AboutWindowTest, ThePhotographLiesInsideASunkenEdge) {
    click(about.cmdFace());
    const QImage photo(QStringLiteral(":/art/portrait-photo.jpg"));
    ASSERT_EQ(photo.size(), QSize(89, 108));
    EXPECT_EQ(about.Picture1()->image().size(), QSize(89, 108));
    const QImage shot = about.Picture1()->grab().toImage();
    ASSERT_EQ(shot.size(), QSize(93, 112));
    EXPECT_EQ(shot.pixelColor(0, 0), QColor(128, 128, 128));
    EXPECT_EQ(shot.pixelColor(1, 1), QColor(64, 64, 64));
    EXPECT_EQ(shot.pixelColor(92, 111), QColor(255, 255, 255));
    EXPECT_EQ(shot.pixelColor(91, 110), QColor(212, 208, 200));
    EXPECT_EQ(shot.pixelColor(2, 2), photo.pixelColor(0, 0));
    EXPECT_EQ(shot.pixelColor(90, 109), photo.pixelColor(88, 107));
}

TEST_F(AboutWindowTest, SystemInfoStartsTheRegisteredProgram) {
    registry.put("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", test::FakeRegistry::text("/opt/info/sysinfo"));
    click(about.cmdSysInfo());
    EXPECT_EQ(launcher.started, std::vector<std::string>{"/opt/info/sysinfo"});
    key(Qt::Key_S, Qt::AltModifier);
    EXPECT_EQ(launcher.started.size(), 2u);
    EXPECT_TRUE(messages.boxes.empty());
    EXPECT_TRUE(about.isVisible());  // the window stays open
}

TEST_F(AboutWindowTest, SystemInfoWithoutAProgramTellsTheUser) {
    click(about.cmdSysInfo());
    EXPECT_TRUE(launcher.started.empty());
    expectUnavailable();
    EXPECT_TRUE(about.isVisible());
}

using AboutFromMainWindowTest = test::MainWindowTest;

TEST_F(AboutFromMainWindowTest, TwoPressesOfAboutShowOneWindowThatKeepsItsState) {
    MainWindow& w = window();
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    QWidget* aboutButton = w.cmd(8);
    QTest::mouseClick(w.windowHandle(), Qt::LeftButton, {}, aboutButton->mapTo(&w, aboutButton->rect().center()));
    AboutWindow* about = w.aboutWindow();
    ASSERT_NE(about, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(about));
    EXPECT_TRUE(about->isVisible());
    EXPECT_FALSE(about->form().PhotoShown());
    QTest::keyClick(about->windowHandle(), Qt::Key_C, Qt::AltModifier);
    EXPECT_TRUE(about->form().PhotoShown());

    // A second press only brings it forward: no second window, no new load.
    QTest::mouseClick(w.windowHandle(), Qt::LeftButton, {}, aboutButton->mapTo(&w, aboutButton->rect().center()));
    EXPECT_EQ(w.aboutWindow(), about);
    EXPECT_TRUE(about->isVisible());
    EXPECT_TRUE(about->form().PhotoShown());
    EXPECT_EQ(about->windowTitle(), QStringLiteral("About "));

    // Closed and opened again from the main window, it is loaded afresh.
    about->close();
    w.form().cmd_Click(8);
    EXPECT_EQ(w.aboutWindow(), about);
    EXPECT_FALSE(about->form().PhotoShown());

    // "Exit" takes it along.
    w.form().cmd_Click(9);
    EXPECT_FALSE(about->isVisible());
    EXPECT_FALSE(w.isVisible());
}

}  // namespace
}  // namespace quorvane
