#include "qt/PathText.h"

#include <utf8.h>

#include <QByteArrayView>

namespace quorvane {

namespace {

constexpr char16_t kEscapedByteBase = 0xDC00;  // byte 0x80 to 0xFF: U+DC80 to U+DCFF

// Calls `text(run)` for each run of valid UTF-8 and `byte(b)` for each byte between the runs: a
// stray continuation byte, an overlong form, a surrogate, a cut-off sequence, as utfcpp finds them.
template <typename Text, typename Byte>
void splitUtf8(const std::string& bytes, Text&& text, Byte&& byte) {
    auto pos = bytes.begin();
    while (pos != bytes.end()) {
        const auto invalid = utf8::find_invalid(pos, bytes.end());
        if (invalid != pos) text(QByteArrayView(&*pos, static_cast<qsizetype>(invalid - pos)));
        if (invalid == bytes.end()) break;
        byte(static_cast<unsigned char>(*invalid));
        pos = invalid + 1;
    }
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
    if (utf8::is_valid(text.begin(), text.end()))
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
