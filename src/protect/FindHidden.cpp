#include "protect/FindHidden.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <unordered_set>

#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/FolderTree.h"
#include "platform/UserMessages.h"
#include "protect/ListFile.h"
#include "protect/Register.h"

namespace quorvane {

namespace {

// The register is read without a window: there are no events to process between its lines.
class NoEvents final : public UserMessages {
public:
    void messageBox(const std::string&, int, const std::optional<std::string>&) override {}
    void beep() override {}
    void processPendingEvents() override {}
};

// A path as the set of registered ones holds it: as it stands, or with ASCII letters in lower case.
std::string keyOf(std::string path, bool namesIgnoreCase) {
    if (namesIgnoreCase)
        for (char& c : path)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return path;
}

}  // namespace

std::vector<std::string> findHiddenFolders(FileSystem& fs, FolderTree& tree, const std::string& top,
                                           const std::string& registerPath, bool namesIgnoreCase,
                                           const std::function<void(const PlatformError&)>& skipped) {
    std::unordered_set<std::string> registered;
    NoEvents noEvents;
    LoadListFromFile(fs, noEvents, registerPath, [&](std::string&& line) {
        registered.insert(keyOf(std::move(line), namesIgnoreCase));
    });

    std::vector<std::string> found;
    // Depth first, by name: a folder's hidden subfolders follow it.
    std::vector<std::string> pending = tree.subfolders(top);
    std::reverse(pending.begin(), pending.end());
    while (!pending.empty()) {
        const std::string folder = std::move(pending.back());
        pending.pop_back();
        try {
            constexpr std::uint32_t hiddenSystem = attr::Hidden | attr::System;
            if ((fs.attributes(folder) & hiddenSystem) == hiddenSystem && !registered.contains(keyOf(folder, namesIgnoreCase))) {
                checkRegisterEntry(folder);
                fs.textFileBytes(folder);
                found.push_back(folder);
            }
        } catch (const PlatformError& error) {
            skipped(error);
        }
        try {
            std::vector<std::string> inside = tree.subfolders(folder);
            pending.insert(pending.end(), std::make_move_iterator(inside.rbegin()), std::make_move_iterator(inside.rend()));
        } catch (const PlatformError& error) {
            skipped(error);
        }
    }
    return found;
}

}  // namespace quorvane
