#pragma once

#include <QImage>

#include "platform/ShellIcons.h"

namespace quorvane {

// The only conversions between the core's icon pictures and Qt's images.

// A view of `icon`'s pixels, valid while `icon` lives and is unchanged.
inline QImage toQImage(const IconImage& icon) {
    return QImage(reinterpret_cast<const uchar*>(icon.pixels.data()), icon.width, icon.height,
                  static_cast<qsizetype>(icon.width) * 4, QImage::Format_ARGB32_Premultiplied);
}

inline IconImage fromQImage(const QImage& image) {
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    IconImage icon{argb.width(), argb.height(), {}};
    icon.pixels.reserve(static_cast<std::size_t>(argb.width()) * static_cast<std::size_t>(argb.height()));
    for (int y = 0; y < argb.height(); ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(argb.constScanLine(y));
        icon.pixels.insert(icon.pixels.end(), row, row + argb.width());
    }
    return icon;
}

}  // namespace quorvane
