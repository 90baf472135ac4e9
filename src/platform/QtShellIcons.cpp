#include "platform/QtShellIcons.h"

#include <QFileInfo>
#include <QIcon>
#include <QPainter>
#include <array>

#include "platform/PathText.h"
#include "protect/Disguise.h"

namespace quorvane {

namespace {

QImage render(const QIcon& icon, int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    const QPixmap pixmap = icon.pixmap(QSize(size, size), 1.0);
    QPainter painter(&image);
    // Icons smaller than asked are centred, as the shell's image list would hold them.
    painter.drawPixmap((size - pixmap.width()) / 2, (size - pixmap.height()) / 2, pixmap);
    return image;
}

}  // namespace

QtShellIcons::QtShellIcons(FileSystem& fs) : m_fs(fs) {}

QString QtShellIcons::disguiseIconName(std::size_t disguise) {
    static const std::array<const char*, 8> names = {
        "preferences-system", "printer",           "audio-x-generic", "video-x-generic",
        "x-office-document",  "network-workgroup", "text-xml",        "user-trash",
    };
    return QString::fromLatin1(names.at(disguise));
}

std::optional<QImage> QtShellIcons::iconFor(const QString& path, int size) {
    if (path.isEmpty()) return std::nullopt;
    const QFileInfo info(path);
    if (!info.exists()) return std::nullopt;

    if (info.isDir()) {
        if (const auto disguise = disguiseOf(toCore(info.fileName()))) {
            const QIcon icon = QIcon::fromTheme(disguiseIconName(*disguise),
                                                QIcon(QStringLiteral(":/icons/shell-object.png")));
            return render(icon, size);
        }
    }
    QIcon icon = m_provider.icon(info);
    if (icon.isNull()) icon = m_provider.icon(info.isDir() ? QFileIconProvider::Folder : QFileIconProvider::File);
    return render(icon, size);
}

}  // namespace quorvane
