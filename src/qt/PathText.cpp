#include "qt/PathText.h"

#include <QByteArrayView>

namespace quorvane {

namespace {

constexpr char16_t kEscapedByteBase = 0xDC00;  // byte 0x80 to 0xFF: U+DC80 to U+DCFF

// The length of the valid UTF-8 sequence at the start of `s` (at most `n` bytes), 0 when the first
// byte starts none: a stray continuation byte, an overlong form, a surrogate, a cut-off sequence.
std::size_t sequenceLength(const unsigned char* s, std::size_t n) {
    const unsigned char lead = s[0];
    if (lead < 0x80) return 1;
    std::size_t length;
    char32_t smallest;
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        smallest = 0x10000;
    } else {
        return 0;
    }
    if (n < length) return 0;
    char32_t code = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if ((s[i] & 0xC0) != 0x80) return 0;
        code = (code << 6) | (s[i] & 0x3F);
    }
    if (code < smallest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    return length;
}

// Calls `text(run)` for each run of valid UTF-8 and `byte(b)` for each byte between the runs.
template <typename Text, typename Byte>
void splitUtf8(const std::string& bytes, Text&& text, Byte&& byte) {
    const auto* s = reinterpret_cast<const unsigned char*>(bytes.data());
    std::size_t runStart = 0;
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t length = sequenceLength(s + i, bytes.size() - i);
        if (length > 0) {
            i += length;
            continue;
        }
        if (i > runStart) text(QByteArrayView(bytes.data() + runStart, static_cast<qsizetype>(i - runStart)));
        byte(s[i]);
        runStart = ++i;
    }
    if (bytes.size() > runStart)
        text(QByteArrayView(bytes.data() + runStart, static_cast<qsizetype>(bytes.size() - runStart)));
}

bool isEscapedByte(const char16_t* units, qsizetype i) {
    return units[i] >= kEscapedByteBase + 0x80 && units[i] <= kEscapedByteBase + 0xFF &&
           !(i > 0 && QChar::isHighSurrogate(units[i - 1]));
}

}  // namespace

std::string toCore(const QString& text) {
    const auto* units = reinterpret_cast<const char16_t*>(text.utf16());
    qsizetype first = 0;
    while (first < text.size() && !isEscapedByte(units, first)) ++first;
    if (first == text.size()) return text.toStdString();
    std::string result;
    qsizetype runStart = 0;
    for (qsizetype i = first; i < text.size(); ++i) {
        if (!isEscapedByte(units, i)) continue;
        result.append(QStringView(text).mid(runStart, i - runStart).toUtf8().toStdString());
        result.push_back(static_cast<char>(units[i] - kEscapedByteBase));
        runStart = i + 1;
    }
    result.append(QStringView(text).mid(runStart).toUtf8().toStdString());
    return result;
}

QString fromCore(const std::string& text) {
    if (QByteArrayView(text.data(), static_cast<qsizetype>(text.size())).isValidUtf8())
        return QString::fromStdString(text);
    QString result;
    splitUtf8(
        text, [&](QByteArrayView run) { result.append(QString::fromUtf8(run)); },
        [&](unsigned char byte) { result.append(QChar(static_cast<char16_t>(kEscapedByteBase + byte))); });
    return result;
}

QString readableText(const std::string& text) {
    QString result;
    splitUtf8(
        text, [&](QByteArrayView run) { result.append(QString::fromUtf8(run)); },
        [&](unsigned char byte) {
            result.append(QStringLiteral("\\x") + QString::number(byte, 16).toUpper().rightJustified(2, QChar(u'0')));
        });
    return result;
}

}  // namespace quorvane
