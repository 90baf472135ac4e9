#include "qt/GuiServices.h"

#include <QDir>
#include <QIcon>

#include "qt/Dialogs.h"
#include "qt/KeyInjector.h"
#include "qt/ShellIcons.h"
#include "qt/UserMessages.h"

namespace quorvane {

FrontEndServices qtFrontEndServices(CoreServices& core) {
    return FrontEndServices{
        .messages = std::make_unique<QtUserMessages>(),
        .dialogs = std::make_unique<QtDialogs>(),
        .icons = std::make_unique<QtShellIcons>(*core.fileSystem),
        .keys = std::make_unique<QtKeyInjector>(),
    };
}

void ensureIconTheme() {
    const QString current = QIcon::themeName();
    if (!current.isEmpty() && current != QLatin1String("hicolor")) return;
    QStringList paths = QIcon::themeSearchPaths();
    for (const QString& dir : {QStringLiteral("/usr/share/icons"), QStringLiteral("/usr/local/share/icons")}) {
        if (!paths.contains(dir) && QDir(dir).exists()) paths.append(dir);
    }
    QIcon::setThemeSearchPaths(paths);
    QIcon::setThemeName(QStringLiteral("breeze"));
    QIcon::setFallbackThemeName(QStringLiteral("Adwaita"));
}

}  // namespace quorvane
