#include "dialogs/ComDialog.h"

#include <exception>

#include "dialogs/StripAtNull.h"
#include "platform/Utf8.h"

namespace quorvane {

namespace {

// `text` split at every `separator`; n separators give n + 1 parts.
std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t at = text.find(separator); at != std::string::npos; at = text.find(separator, start)) {
        parts.push_back(text.substr(start, at - start));
        start = at + 1;
    }
    parts.push_back(text.substr(start));
    return parts;
}

std::string trimmed(const std::string& text) {
    constexpr const char* kBlanks = " \t\r\n\v\f";
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

}  // namespace

std::string BrowseForFolder(Dialogs& dialogs, WindowHandle owner, const std::string& title) {
    try {
        return StripAtNull(dialogs.browseForFolder(owner, title));
    } catch (const std::exception&) {
        return {};
    }
}

std::vector<std::string> pickerNameFilters(const std::string& filter) {
    std::vector<std::string> parts = split(filter, '\0');
    while (!parts.empty() && parts.back().empty()) parts.pop_back();  // the list's closing NULs
    std::vector<std::string> result;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        std::string patterns;
        for (const std::string& pattern : split(parts[i + 1], ';')) {
            const std::string pattern_ = trimmed(pattern);
            if (pattern_.empty()) continue;
            if (!patterns.empty()) patterns += ' ';
            patterns += pattern_;
        }
        result.push_back(parts[i] + " (" + patterns + ')');
    }
    return result;
}

std::string ShowOpenDialog(Dialogs& dialogs, WindowHandle owner, const std::string& filter, const std::string& title,
                           std::uint32_t /*flags: the picker is always explorer-style and takes typed names*/) {
    try {
        std::string chosen = StripAtNull(dialogs.openFile(owner, pickerNameFilters(filter), title));
        // Characters, not bytes: the limit is the size of the dialog's result buffer.
        if (characterCount(chosen) > kOpenDialogMaxPath) return {};
        return chosen;
    } catch (const std::exception&) {
        return {};
    }
}

}  // namespace quorvane
