#pragma once

#include <QString>
#include <string>

namespace quorvane {

// The core's text is UTF-8: on Linux exactly the bytes of a path, on Windows turned into wide text
// at the platform boundary. These are the only conversions between the two. A path's bytes that
// are no UTF-8 (a name made on another system or in another locale) come through a QString
// unchanged: each such byte stands there as one unpaired surrogate, U+DC80 to U+DCFF.
std::string toCore(const QString& text);
QString fromCore(const std::string& text);

// The text as a person reads it, for messages: bytes that are no UTF-8 shown as "\xE9".
QString readableText(const std::string& text);

}  // namespace quorvane
