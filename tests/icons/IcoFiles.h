#pragma once

#include <QBuffer>
#include <QColor>
#include <QImage>
#include <QImageWriter>
#include <string>
#include <vector>

namespace quorvane::test {

// A square picture of one opaque colour with a single pixel of another at (3, 5), so that a test
// can tell both the picture and its placement.
inline QImage markedPicture(int size, QColor fill, QColor mark = Qt::black) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(fill);
    image.setPixelColor(3, 5, mark);
    return image;
}

// The bytes of an ".ico" file holding `pictures`, in that order. Qt writes one picture per file;
// the directories of single-picture files are merged into one.
inline std::string icoBytes(const std::vector<QImage>& pictures) {
    constexpr std::size_t kHeader = 6, kEntry = 16;
    std::vector<std::string> entries, payloads;
    for (const QImage& picture : pictures) {
        QByteArray single;
        QBuffer buffer(&single);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "ico");
        if (!writer.write(picture)) return {};
        const std::string bytes(single.constData(), static_cast<std::size_t>(single.size()));
        entries.push_back(bytes.substr(kHeader, kEntry));
        payloads.push_back(bytes.substr(kHeader + kEntry));
    }
    auto le16 = [](std::size_t v) { return std::string{static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)}; };
    std::string out = le16(0) + le16(1) + le16(pictures.size());
    std::size_t offset = kHeader + kEntry * pictures.size();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        std::string entry = entries[i];
        for (int b = 0; b < 4; ++b)
            entry[12 + static_cast<std::size_t>(b)] = static_cast<char>((offset >> (8 * b)) & 0xFF);
        out += entry;
        offset += payloads[i].size();
    }
    for (const std::string& payload : payloads) out += payload;
    return out;
}

}  // namespace quorvane::test
