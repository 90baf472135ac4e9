#include "platform/win32/IniWriter.h"

#include <windows.h>

#include "platform/Error.h"
#include "platform/win32/Win32Error.h"
#include "platform/win32/Win32Text.h"

namespace quorvane {

bool IniWriterWin32::canStore(const std::string& text) const {
    return IniWriter::canStore(text) && win32::toAnsi(text).has_value();
}

void IniWriterWin32::writeString(const std::string& section, const std::string& key,
                                 const std::optional<std::string>& value, const std::string& file) {
    const auto wideFile = win32::toWide(file);
    if (file.empty() || !wideFile) throw errorFor(errc::BadFileName, file);
    if (!canStore(section) || !canStore(key) || (value && !canStore(*value)))
        throw PlatformError(errc::InvalidPathText,
                            describeError(errc::InvalidPathText) +
                                ": a line break, or a character the system's code page lacks, cannot be written");
    const std::wstring wideSection = *win32::toWide(section);
    const std::wstring wideKey = *win32::toWide(key);
    const std::wstring wideValue = value ? *win32::toWide(*value) : std::wstring();
    if (!::WritePrivateProfileStringW(wideSection.c_str(), wideKey.c_str(), value ? wideValue.c_str() : nullptr,
                                      wideFile->c_str()))
        throw win32::lastError(file, errc::PathNotFound);
}

}  // namespace quorvane
