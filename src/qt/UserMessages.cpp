#include "qt/UserMessages.h"

#include <QApplication>
#include <QMessageBox>

#include "qt/PathText.h"

namespace quorvane {

void QtUserMessages::messageBox(const std::string& text, int style, const std::optional<std::string>& title) {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    switch (style & 0xF0) {
        case mb::Critical: icon = QMessageBox::Critical; break;
        case 32: icon = QMessageBox::Question; break;
        case 48: icon = QMessageBox::Warning; break;
        case mb::Information: icon = QMessageBox::Information; break;
        default: break;
    }
    // The texts use CR LF line breaks; Qt breaks lines at LF alone. A path that is no UTF-8 shows
    // its odd bytes as "\xE9".
    QString body = readableText(text);
    body.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(icon, readableText(title.value_or(kAppTitle)), body, QMessageBox::Ok, QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

void QtUserMessages::beep() {
    QApplication::beep();
}

void QtUserMessages::processPendingEvents() {
    QCoreApplication::processEvents();
}

}  // namespace quorvane
