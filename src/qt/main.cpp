#include <string>
#include <vector>

#include <QApplication>
#include <QDir>
#include <QMessageBox>

#include "cli/CommandLine.h"
#include "platform/Error.h"
#include "qt/QtServices.h"
#include "qt/PathText.h"
#include "platform/UserMessages.h"
#include "qt/MainWindow.h"
#include "qt/FontSubstitutes.h"

int main(int argc, char* argv[]) {
    // A command runs the actions without any window system: no application object is made for it.
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (quorvane::cli::isCommand(args)) return quorvane::cli::runConsole(args);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(quorvane::kAppTitle));
    quorvane::ensureIconTheme();
    quorvane::installFontSubstitutes();

    quorvane::QtServices owned;
    try {
        quorvane::MainWindow window(owned.services(),
                                    QDir::toNativeSeparators(QCoreApplication::applicationDirPath()));
        window.show();
        // The folder a file manager's menu (or a shell) started us with.
        if (!args.empty()) window.form().OpenStartFolder(args.front());
        return QApplication::exec();
    } catch (const quorvane::PlatformError& error) {
        // A failing load sequence leaves no window to go on with.
        owned.services().messages.messageBox(quorvane::errorReportText(error), quorvane::mb::Critical,
                                                std::string(quorvane::kAppTitle));
        return 1;
    } catch (const std::exception& error) {
        // A window whose layout cannot be read: a broken build, said rather than crashed on.
        owned.services().messages.messageBox(error.what(), quorvane::mb::Critical, std::string(quorvane::kAppTitle));
        return 1;
    }
}
