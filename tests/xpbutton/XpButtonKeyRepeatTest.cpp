// Enter and Space on a focused button whose Click shows a real modal message box: the key that
// closes the box, or one still held while it closes, must not press the button again when its
// release comes back to it. Driven on the main window ("Hide Folder" and its "yeah!" box) and on
// the list window ("Show Folder" with nothing selected and its "Select a folder!" box).
//
// On an X display (QT_QPA_PLATFORM=xcb, under a window manager) the keys are the X server's own,
// typed through xdotool, and the window manager decides which window each one reaches; elsewhere
// Qt's window system interface hands them to the window that has the focus.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "qt/PathText.h"
#include "qt/UserMessages.h"
#include "qt/ListWindow.h"
#include "qt/MainWindow.h"
#include "support/GuiFixture.h"
#include "qt/TulmXpButton.h"

namespace quorvane {
namespace {

using test::readBytes;
using test::writeBytes;

// The user's keyboard: a key goes down or up.
void sendKey(Qt::Key key, bool down) {
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        const QString name = key == Qt::Key_Return ? QStringLiteral("Return") : QStringLiteral("space");
        const int status = QProcess::execute(QStringLiteral("xdotool"),
                                             {down ? QStringLiteral("keydown") : QStringLiteral("keyup"), name});
        EXPECT_EQ(status, 0) << "xdotool " << name.toStdString();
        return;
    }
    QWindow* target = QGuiApplication::focusWindow();
    if (!target) {
        ADD_FAILURE() << "no window has the keyboard focus";
        return;
    }
    if (down) {
        QTest::keyPress(target, key);
    } else {
        QTest::keyRelease(target, key);
    }
}
void press(Qt::Key key) { sendKey(key, true); }
void release(Qt::Key key) { sendKey(key, false); }

// What a user does, step by step: wait until the screen shows what the step needs, then act. The
// steps run from the event loop, also from the modal loops that their own actions start; a step
// that waits too long ends the script and closes every modal window, so a test never hangs.
class UserScript : public QObject {
public:
    struct Step {
        std::string name;
        std::function<bool()> ready;
        std::function<void()> act;
    };

    explicit UserScript(std::vector<Step> steps) : m_steps(std::move(steps)) {}

    // Runs the steps; true when all of them ran.
    bool run() {
        m_clock.start();
        poll();
        const bool ended = QTest::qWaitFor([this] { return m_next == m_steps.size() || !m_stuckAt.empty(); }, 60000);
        closeModalWindows();
        return ended && m_stuckAt.empty();
    }
    const std::string& stuckAt() const { return m_stuckAt; }

private:
    static constexpr int kPollMs = 5;
    static constexpr int kStepTimeoutMs = 10000;

    void poll() {
        if (m_next == m_steps.size() || !m_stuckAt.empty()) return;
        // Armed before acting: the action may run a modal loop, in which the next steps go on.
        QTimer::singleShot(kPollMs, this, &UserScript::poll);
        Step& step = m_steps[m_next];
        if (!step.ready()) {
            if (m_clock.elapsed() > kStepTimeoutMs) {
                m_stuckAt = step.name;
                closeModalWindows();
            }
            return;
        }
        ++m_next;
        m_clock.restart();
        step.act();
    }

    static void closeModalWindows() {
        for (int i = 0; i < 10; ++i) {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal) return;
            if (auto* dialog = qobject_cast<QDialog*>(modal)) {
                dialog->done(0);
            } else {
                modal->close();
            }
        }
    }

    std::vector<Step> m_steps;
    std::size_t m_next = 0;
    QElapsedTimer m_clock;
    std::string m_stuckAt;
};

// Counts the message boxes shown and closes every one beyond the first, as a user would who has
// seen the action done once.
class BoxWatch : public QObject {
public:
    BoxWatch() { qApp->installEventFilter(this); }
    ~BoxWatch() override { qApp->removeEventFilter(this); }

    std::vector<std::string> shown;  // title: text

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            if (auto* box = qobject_cast<QMessageBox*>(watched)) {
                shown.push_back(box->windowTitle().toStdString() + ": " + box->text().toStdString());
                if (shown.size() > 1) QTimer::singleShot(50, box, [box] { box->done(QMessageBox::Ok); });
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

// Without a window manager (any platform but X here) nothing gives the focus back when a window
// closes; this does what one would: the window it was shown over becomes the active one again.
class FocusReturn : public QObject {
public:
    FocusReturn() {
        if (QGuiApplication::platformName() != QLatin1String("xcb")) qApp->installEventFilter(this);
    }
    ~FocusReturn() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (event->type() == QEvent::Hide && widget && widget->isWindow() && widget->parentWidget()) {
            QPointer<QWidget> below = widget->parentWidget()->window();
            QTimer::singleShot(0, this, [below] {
                if (below && below->isVisible() && !QApplication::activeWindow()) below->activateWindow();
            });
        }
        return QObject::eventFilter(watched, event);
    }
};

// What a button raised: its Clicks and the key codes of its KeyUps.
struct ButtonLog {
    int clicks = 0;
    std::vector<int> keyUps;
    int keyDowns = 0;

    void watch(TulmXpButton* button, QObject* context) {
        QObject::connect(button, &TulmXpButton::Click, context, [this] { ++clicks; });
        QObject::connect(button, &TulmXpButton::KeyDown, context, [this](std::int16_t&, std::int16_t&) { ++keyDowns; });
        QObject::connect(button, &TulmXpButton::KeyUp, context,
                         [this](std::int16_t& code, std::int16_t&) { keyUps.push_back(code); });
    }
    int ups(int code) const { return static_cast<int>(std::count(keyUps.begin(), keyUps.end(), code)); }
};

// The keys a user types on a focused button, through its box and back. Enter: press and release
// (the box opens), Enter closes the box, its release comes back. Space: press and release (the box
// opens), Space pressed on the box's button, Enter closes the box, Enter's release and then Space's
// come back.
struct KeyCase {
    const char* name;
    Qt::Key key;
};
const KeyCase kKeyCases[] = {{"Enter", Qt::Key_Return}, {"Space", Qt::Key_Space}};
void PrintTo(const KeyCase& c, std::ostream* out) { *out << c.name; }

class XpButtonKeyRepeatTest : public test::MainWindowTest, public ::testing::WithParamInterface<KeyCase> {
protected:
    XpButtonKeyRepeatTest() {
        m_window = std::make_unique<MainWindow>(servicesWith(boxes), fromCore(tmp.path()));
        m_window->show();
        m_window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
    }

    MainWindow& main() { return *m_window; }
    std::string reg() const { return tmp / "l0g.ext"; }

    // `window` is the active window and `button` has the keyboard focus; no message box is open.
    static bool focusedOn(QWidget* window, TulmXpButton* button) {
        return !qobject_cast<QMessageBox*>(QApplication::activeModalWidget()) &&
               QApplication::activeWindow() == window && button->hasFocus();
    }
    // A message box is the active window, its button focused.
    static bool boxActive() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        return box && QApplication::activeWindow() == box && box->focusWidget() != nullptr;
    }
    static bool boxButtonDown() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        auto* ok = box ? qobject_cast<QAbstractButton*>(box->focusWidget()) : nullptr;
        return ok && ok->isDown();
    }

    // The steps of the key case on `button` of `window` (both looked up when the first step acts),
    // ending once the last release has reached the button.
    std::vector<UserScript::Step> keySteps(const std::function<QWidget*()>& window,
                                           const std::function<TulmXpButton*()>& button, ButtonLog& log) {
        const Qt::Key k = GetParam().key;
        auto focused = [=] { return focusedOn(window(), button()); };
        std::vector<UserScript::Step> steps{
            {"the button has the focus", focused,
             [=, &log] {
                 log.watch(button(), window());
                 press(k);
             }},
            {"the press reaches the button", [&log] { return log.keyDowns == 1; }, [=] { release(k); }},
        };
        if (k == Qt::Key_Return) {
            steps.push_back({"the box is shown", boxActive, [=] { press(Qt::Key_Return); }});
            steps.push_back({"the box is gone", focused, [=] { release(Qt::Key_Return); }});
            steps.push_back({"Enter's release reaches the button", [&log] { return log.ups(13) == 2; }, [] {}});
        } else {
            steps.push_back({"the box is shown", boxActive, [=] { press(Qt::Key_Space); }});
            steps.push_back({"Space holds the box's button down", boxButtonDown, [=] { press(Qt::Key_Return); }});
            steps.push_back({"the box is gone", focused, [=] { release(Qt::Key_Return); }});
            steps.push_back({"Enter's release reaches the button", [&log] { return log.ups(13) == 1; },
                             [=] { release(Qt::Key_Space); }});
            steps.push_back({"Space's release reaches the button", [&log] { return log.ups(32) == 2; }, [] {}});
        }
        return steps;
    }

    QtUserMessages boxes;
    FocusReturn focusReturn;
};

TEST_P(XpButtonKeyRepeatTest, HideFolderHidesOnceOnTheMainWindow) {
    const std::string secret = folder("Secret");
    dialogs.folders.push_back(secret);
    main().form().cmd_Click(0);
    main().cmd(3)->setFocus(Qt::TabFocusReason);  // "Hide Folder"

    BoxWatch watch;
    ButtonLog log;
    UserScript script(keySteps([this] { return &main(); }, [this] { return main().cmd(3); }, log));
    EXPECT_TRUE(script.run()) << "waited in vain for: " << script.stuckAt();

    EXPECT_EQ(watch.shown, (std::vector<std::string>{"yeah!: The folder: \n" + secret + "\n  it's not visible now"}));
    EXPECT_EQ(log.clicks, 1);
    EXPECT_EQ(readBytes(reg()), secret + "\r\n") << "exactly one register line";
    EXPECT_EQ(realFs.attributes(secret), 6u);
}

TEST_P(XpButtonKeyRepeatTest, ShowFolderWithNothingSelectedAsksOnceOnTheListWindow) {
    const std::string secret = folder("Secret");
    realFs.setAttributes(secret, attr::Hidden | attr::System);
    writeBytes(reg(), secret + "\r\n");

    BoxWatch watch;
    ButtonLog log;
    auto list = [this] { return static_cast<QWidget*>(main().listWindow()); };
    auto showFolder = [this] { return main().listWindow()->cmd(0); };
    std::vector<UserScript::Step> steps{
        {"the main window is active", [this] { return QApplication::activeWindow() == &main(); },
         [this] { QTest::mouseClick(main().cmd(4), Qt::LeftButton); }},  // "Show Folder": the list opens
        {"the list window is shown", [this] { return main().listWindow() && main().listWindow()->isVisible(); }, [] {}},
    };
    for (UserScript::Step& step : keySteps(list, showFolder, log)) steps.push_back(std::move(step));
    steps.push_back({"the list window still shows", [] { return true; }, [this] { main().listWindow()->close(); }});
    UserScript script(std::move(steps));
    EXPECT_TRUE(script.run()) << "waited in vain for: " << script.stuckAt();

    EXPECT_EQ(watch.shown, (std::vector<std::string>{"huh?: Select a folder!"}));
    EXPECT_EQ(log.clicks, 1);
    EXPECT_EQ(readBytes(reg()), secret + "\r\n") << "the register is left alone";
    EXPECT_EQ(realFs.attributes(secret), 6u);
}

INSTANTIATE_TEST_SUITE_P(Keys, XpButtonKeyRepeatTest, ::testing::ValuesIn(kKeyCases),
                         [](const ::testing::TestParamInfo<KeyCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quorvane
