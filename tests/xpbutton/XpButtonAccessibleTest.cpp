// The button as Qt's accessibility reads it (what the AT-SPI bridge passes on to screen readers):
// role, name and shortcut from the caption, states following the press held and the enabled flag,
// and the "Press" action, which queues one click. (The announcements are read over AT-SPI by
// accessibility_atspi_test: without a bridge Qt passes none on.)
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <algorithm>
#include <functional>
#include <vector>

#include "xpbutton/ButtonHost.h"

namespace quorvane::test {
namespace {

class XpButtonAccessibleTest : public ButtonHost {
protected:
    XpButtonAccessibleTest() {
        button->setCaption(QStringLiteral("E&xit"));
        iface = QAccessible::queryAccessibleInterface(button);
    }

    bool pressed() const { return iface->state().pressed; }

    QAccessibleInterface* iface = nullptr;
};

TEST_F(XpButtonAccessibleTest, APushButtonNamedByItsCaption) {
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(iface->role(), QAccessible::Button);
    EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("Exit"));
    EXPECT_EQ(iface->text(QAccessible::Accelerator), QStringLiteral("Alt+X"));
    QAccessibleActionInterface* actions = iface->actionInterface();
    ASSERT_NE(actions, nullptr);
    ASSERT_FALSE(actions->actionNames().isEmpty());
    EXPECT_EQ(actions->actionNames().first(), QAccessibleActionInterface::pressAction());
    EXPECT_EQ(actions->keyBindingsForAction(QAccessibleActionInterface::pressAction()),
              QStringList{QStringLiteral("Alt+X")});
    EXPECT_TRUE(iface->state().focusable);

    button->setCaption(QStringLiteral("A&&B"));
    EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("A&B"));
    EXPECT_EQ(iface->text(QAccessible::Accelerator), QString());
}

TEST_F(XpButtonAccessibleTest, PressedWhileHeldByTheMouseOrAKey) {
    pointAt(QPoint(50, 13));
    button->setFocus();
    const struct {
        const char* name;
        std::function<void()> down, up;
    } cases[] = {
        {"left button", [this] { press(Qt::LeftButton); }, [this] { release(Qt::LeftButton); }},
        {"Space", [this] { QTest::keyPress(window(), Qt::Key_Space); },
         [this] { QTest::keyRelease(window(), Qt::Key_Space); }},
        {"Enter", [this] { QTest::keyPress(window(), Qt::Key_Return); },
         [this] { QTest::keyRelease(window(), Qt::Key_Return); }},
    };
    for (const auto& c : cases) {
        events.clear();
        c.down();
        EXPECT_TRUE(pressed()) << c.name;
        c.up();
        EXPECT_FALSE(pressed()) << c.name;
        EXPECT_EQ(std::count(events.begin(), events.end(), "Click"), 1) << c.name;
    }
    // The right button presses no push button.
    press(Qt::RightButton);
    EXPECT_FALSE(pressed());
    release(Qt::RightButton);
}

TEST_F(XpButtonAccessibleTest, PressIsQueuedAndClicksOnce) {
    events.clear();
    iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(events.empty()) << "the click comes after the request has been answered";
    QCoreApplication::processEvents();
    EXPECT_EQ(events, (Events{"Click"}));
}

TEST_F(XpButtonAccessibleTest, ADisabledButtonIsUnavailableAndHasNothingToPress) {
    button->setEnabled(false);
    EXPECT_TRUE(iface->state().disabled);
    EXPECT_FALSE(iface->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
    events.clear();
    iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCoreApplication::processEvents();
    EXPECT_TRUE(events.empty());
}

}  // namespace
}  // namespace quorvane::test
