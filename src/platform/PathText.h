#pragma once

#include <QString>
#include <string>

namespace quorvane {

// The core's text is UTF-8: on Linux exactly the file-name encoding Qt uses for paths, on Windows
// turned into wide text at the platform boundary. These are the only conversions between the two.
inline std::string toCore(const QString& text) {
    return text.toStdString();
}

inline QString fromCore(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace quorvane
