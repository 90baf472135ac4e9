#include "qt/ShellIcons.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QImageReader>
#include <QPainter>
#include <algorithm>
#include <array>
#include <exception>

#include "icons/DesktopIni.h"
#include "platform/FileSystem.h"
#include "qt/PathText.h"
#include "qt/IconImage.h"
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

constexpr int kMaxIconImages = 64;

// `picture` scaled to fit `size` × `size` where it does not already, centred on transparency.
QImage fitted(const QImage& picture, int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    const QImage scaled = picture.size() == QSize(size, size)
                              ? picture
                              : picture.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QPainter painter(&image);
    painter.drawImage((size - scaled.width()) / 2, (size - scaled.height()) / 2, scaled);
    return image;
}

// The image of an icon file the shell would take for `size`: one of exactly that size, else the
// smallest larger one, else the largest. Nothing when the file holds no readable picture.
std::optional<QImage> bestPicture(const QString& path, int size) {
    QImageReader reader(path);
    std::optional<QImage> best;
    for (int i = 0; i < kMaxIconImages; ++i) {
        const QImage image = reader.read();
        if (image.isNull()) break;
        const int extent = std::max(image.width(), image.height());
        const int bestExtent = best ? std::max(best->width(), best->height()) : 0;
        const bool better = !best || (extent >= size ? bestExtent < size || extent < bestExtent : extent > bestExtent);
        if (better) best = image;
        if (!reader.jumpToNextImage()) break;
    }
    if (!best) return std::nullopt;
    return fitted(*best, size);
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

std::optional<IconImage> QtShellIcons::iconFor(const std::string& path, int size) {
    const auto picture = image(fromCore(path), size);
    if (!picture) return std::nullopt;
    return fromQImage(*picture);
}

std::optional<QImage> QtShellIcons::image(const QString& path, int size) {
    if (path.isEmpty()) return std::nullopt;
    const QFileInfo info(path);
    if (!info.exists()) return std::nullopt;

    if (info.isDir()) {
        if (const auto disguise = disguiseOf(toCore(info.fileName()))) {
            const QIcon icon =
                QIcon::fromTheme(disguiseIconName(*disguise), QIcon(QStringLiteral(":/icons/shell-object.png")));
            return render(icon, size);
        }
        if (auto custom = customFolderIcon(info.absoluteFilePath(), size)) return custom;
    } else if (auto own = iconFileIcon(info.absoluteFilePath(), size)) {
        return own;
    }
    QIcon icon = m_provider.icon(info);
    if (icon.isNull()) icon = m_provider.icon(info.isDir() ? QFileIconProvider::Folder : QFileIconProvider::File);
    return render(icon, size);
}

std::optional<QImage> QtShellIcons::customFolderIcon(const QString& folder, int size) {
    // The shell reads "desktop.ini" only for folders marked System.
    try {
        if ((m_fs.attributes(toCore(folder)) & attr::System) == 0) return std::nullopt;
    } catch (const std::exception&) {
        return std::nullopt;
    }
    QFile ini(fromCore(desktopIniOf(toCore(folder))));
    if (!ini.open(QIODevice::ReadOnly) || static_cast<std::uint64_t>(ini.size()) > kLongestDesktopIni)
        return std::nullopt;
    const QByteArray bytes = ini.readAll();
    const auto value = iconFileNamedIn(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (!value) return std::nullopt;
    // A relative name belongs to the folder itself.
    const QString iconPath = QDir(folder).absoluteFilePath(fromCore(*value));
    if (!QFileInfo(iconPath).isFile()) return std::nullopt;
    return iconFileIcon(iconPath, size);
}

std::optional<QImage> QtShellIcons::iconFileIcon(const QString& path, int size) {
    switch (iconFileKindOf(toCore(path))) {
        case IconFileKind::Program:
            return render(QIcon::fromTheme(QLatin1String(kProgramIconName), m_provider.icon(QFileIconProvider::File)),
                          size);
        case IconFileKind::Icon:
            return bestPicture(path, size);
        case IconFileKind::Other:
            break;
    }
    return std::nullopt;
}

}  // namespace quorvane
