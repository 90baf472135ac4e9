#include "icons/DesktopIni.h"

#include "platform/IniText.h"
#include "platform/PathSeparator.h"

namespace quorvane {

namespace {

bool endsWithNoCase(std::string_view text, std::string_view suffix) {
    if (text.size() < suffix.size()) return false;
    for (std::size_t i = 0; i < suffix.size(); ++i) {
        char c = text[text.size() - suffix.size() + i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != suffix[i]) return false;
    }
    return true;
}

}  // namespace

std::string desktopIniOf(const std::string& folder) { return folder + kSeparator + "desktop.ini"; }

std::optional<std::string> iconFileNamedIn(std::string_view desktopIni) {
    std::optional<std::string> value = IniReadValue(desktopIni, kShellClassInfo, kIconFileKey);
    if (!value || value->empty()) return std::nullopt;
    return value;
}

IconFileKind iconFileKindOf(std::string_view path) {
    if (endsWithNoCase(path, ".exe")) return IconFileKind::Program;
    if (endsWithNoCase(path, ".ico")) return IconFileKind::Icon;
    return IconFileKind::Other;
}

}  // namespace quorvane
