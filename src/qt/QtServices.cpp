#include "qt/QtServices.h"

#include <QDir>
#include <QIcon>

#include "qt/Dialogs.h"
#include "qt/KeyInjector.h"
#include "qt/ShellIcons.h"
#include "qt/UserMessages.h"

namespace quorvane {

QtServices::QtServices()
    : m_core(makeCoreServices()),
      m_messages(std::make_unique<QtUserMessages>()),
      m_dialogs(std::make_unique<QtDialogs>()),
      m_icons(std::make_unique<QtShellIcons>(*m_core.fileSystem)),
      m_keys(std::make_unique<QtKeyInjector>()) {}

QtServices::~QtServices() = default;

Services QtServices::services() {
    return servicesOf(m_core, *m_messages, *m_dialogs, *m_icons, *m_keys);
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
