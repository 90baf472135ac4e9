#include "platform/qt/GuiServices.h"

#include <QDir>
#include <QIcon>

#include "platform/qt/Dialogs.h"
#include "platform/qt/KeyInjector.h"
#include "platform/qt/ShellIcons.h"
#include "platform/qt/UserMessages.h"

namespace quorvane {

PlatformServices::PlatformServices()
    : m_core(makeCoreServices()),
      m_messages(std::make_unique<QtUserMessages>()),
      m_dialogs(std::make_unique<QtDialogs>()),
      m_icons(std::make_unique<QtShellIcons>(*m_core.fileSystem)),
      m_keys(std::make_unique<QtKeyInjector>()) {}

PlatformServices::~PlatformServices() = default;

Services PlatformServices::services() {
    return Services{
        .fs = *m_core.fileSystem,
        .messages = *m_messages,
        .dialogs = *m_dialogs,
        .icons = *m_icons,
        .ini = *m_core.iniWriter,
        .registry = *m_core.registry,
        .launcher = *m_core.launcher,
        .keys = *m_keys,
        .fileManagers = *m_core.fileManagerIcons,
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
