#include "platform/win32/IniWriter.h"

#include <windows.h>

#include <iterator>
#include <string_view>

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
    if (!value) removeRepeats(wideSection, wideKey, *wideFile, file);
}

// The system's writer removes the first line of a key; a file made by hand may repeat it, and the
// next line would then be what readers find. Each round removes one, so the lines bound the rounds.
void IniWriterWin32::removeRepeats(const std::wstring& section, const std::wstring& key, const std::wstring& wideFile,
                                   const std::string& file) {
    constexpr wchar_t kAbsent[] = L"\x01absent\x01";
    for (int round = 0; round < 100000; ++round) {
        wchar_t found[sizeof kAbsent / sizeof kAbsent[0] + 1] = {};
        ::GetPrivateProfileStringW(section.c_str(), key.c_str(), kAbsent, found, DWORD(std::size(found)),
                                   wideFile.c_str());
        if (std::wstring_view(found) == kAbsent) return;
        if (!::WritePrivateProfileStringW(section.c_str(), key.c_str(), nullptr, wideFile.c_str()))
            throw win32::lastError(file, errc::PathNotFound);
    }
}

}  // namespace quorvane
