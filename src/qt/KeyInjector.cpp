#include "qt/KeyInjector.h"

#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QObject>
#include <QWidget>
#include <array>
#include <utility>

namespace quorvane {

namespace {

struct NamedKey {
    const char* name;
    Qt::Key key;
    const char* text;
};

constexpr std::array<NamedKey, 9> kNamedKeys = {{
    {"TAB", Qt::Key_Tab, "\t"},
    {"ENTER", Qt::Key_Return, "\r"},
    {"ESC", Qt::Key_Escape, "\x1b"},
    {"LEFT", Qt::Key_Left, ""},
    {"RIGHT", Qt::Key_Right, ""},
    {"UP", Qt::Key_Up, ""},
    {"DOWN", Qt::Key_Down, ""},
    {"HOME", Qt::Key_Home, ""},
    {"END", Qt::Key_End, ""},
}};

// One queued keystroke.
class KeystrokeEvent final : public QEvent {
public:
    static QEvent::Type type() {
        static const auto registered = static_cast<QEvent::Type>(QEvent::registerEventType());
        return registered;
    }
    KeystrokeEvent(int key, Qt::KeyboardModifiers modifiers, QString text)
        : QEvent(type()), key(key), modifiers(modifiers), text(std::move(text)) {}
    int key;
    Qt::KeyboardModifiers modifiers;
    QString text;
};

void deliver(QEvent::Type type, const KeystrokeEvent& stroke) {
    QWidget* target = QApplication::focusWidget();
    if (!target) return;
    QKeyEvent event(type, stroke.key, stroke.modifiers, stroke.text);
    QCoreApplication::sendEvent(target, &event);
}

}  // namespace

// Receives the queued keystrokes.
class QtKeyInjector::Relay final : public QObject {
public:
    bool event(QEvent* event) override {
        if (event->type() != KeystrokeEvent::type()) return QObject::event(event);
        const auto& stroke = static_cast<const KeystrokeEvent&>(*event);
        deliver(QEvent::KeyPress, stroke);
        deliver(QEvent::KeyRelease, stroke);
        return true;
    }
};

QtKeyInjector::QtKeyInjector() : m_relay(std::make_unique<Relay>()) {}

QtKeyInjector::~QtKeyInjector() = default;

void QtKeyInjector::sendKeys(const std::string& keys) {
    Qt::KeyboardModifiers modifiers;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const char c = keys[i];
        if (c == '+' || c == '^' || c == '%') {
            modifiers |= c == '+' ? Qt::ShiftModifier : c == '^' ? Qt::ControlModifier : Qt::AltModifier;
            continue;
        }
        int key = 0;
        QString text;
        if (c == '{') {
            const std::size_t close = keys.find('}', i + 1);
            if (close == std::string::npos) return;
            const QString name = QString::fromStdString(keys.substr(i + 1, close - i - 1)).toUpper();
            i = close;
            for (const NamedKey& named : kNamedKeys) {
                if (name == QLatin1String(named.name)) {
                    key = named.key;
                    text = QString::fromLatin1(named.text);
                }
            }
            if (key == 0) continue;  // a name this injector does not know
        } else {
            text = QString(QLatin1Char(c));
            key = QKeySequence(text.toUpper())[0].key();
        }
        // Shift+Tab arrives from the keyboard as Backtab; focus handling expects it so.
        if (key == Qt::Key_Tab && (modifiers & Qt::ShiftModifier)) key = Qt::Key_Backtab;
        QCoreApplication::postEvent(m_relay.get(), new KeystrokeEvent(key, modifiers, text));
        modifiers = {};
    }
}

}  // namespace quorvane
