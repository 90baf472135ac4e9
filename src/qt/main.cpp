#include <QApplication>
#include <QDir>
#include <QMessageBox>

#include "platform/Error.h"
#include "qt/GuiServices.h"
#include "qt/PathText.h"
#include "platform/UserMessages.h"
#include "qt/MainWindow.h"
#include "qt/FontSubstitutes.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(quorvane::kAppTitle));
    quorvane::ensureIconTheme();
    quorvane::installFontSubstitutes();

    quorvane::PlatformServices platform(quorvane::qtFrontEndServices);
    try {
        quorvane::MainWindow window(platform.services(),
                                    QDir::toNativeSeparators(QCoreApplication::applicationDirPath()));
        window.show();
        return QApplication::exec();
    } catch (const quorvane::PlatformError& error) {
        // A failing load sequence leaves no window to go on with.
        platform.services().messages.messageBox(quorvane::errorReportText(error), quorvane::mb::Critical,
                                                std::string(quorvane::kAppTitle));
        return 1;
    } catch (const std::exception& error) {
        // A window whose layout cannot be read: a broken build, said rather than crashed on.
        platform.services().messages.messageBox(error.what(), quorvane::mb::Critical, std::string(quorvane::kAppTitle));
        return 1;
    }
}
