#include "protect/RegisterLocation.h"

#include <algorithm>
#include <filesystem>
#include <string_view>

#include "platform/Error.h"
#include "platform/FileSystem.h"

namespace quorvane {

namespace {

// "/usr/bin/" and "/usr/bin" name the same folder.
std::string withoutTrailingSeparators(std::string path) {
    while (path.size() > 1 && (path.back() == '/' || path.back() == '\\')) path.pop_back();
    return path;
}

bool isSeparator(char c) { return c == '/' || c == '\\'; }

char folded(char c, bool ignoreCase) {
    return ignoreCase && c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameText(std::string_view a, std::string_view b, bool ignoreCase) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) {
               return folded(x, ignoreCase) == folded(y, ignoreCase);
           });
}

// `folder` is `root` itself or lies somewhere below it ("C:\Program Files\Quorvane" in "C:\Program Files",
// but not "C:\Program Files2").
bool within(const std::string& folder, const std::string& root, bool ignoreCase) {
    const std::string base = withoutTrailingSeparators(root);
    if (base.empty() || folder.size() < base.size()) return false;
    if (!sameText(std::string_view(folder).substr(0, base.size()), base, ignoreCase)) return false;
    return folder.size() == base.size() || isSeparator(folder[base.size()]) || isSeparator(base.back());
}

}  // namespace

std::string RegisterFolder(const std::string& applicationDirectory, const InstallFacts& facts) {
    if (!facts.userDataFolder) return applicationDirectory;
    const std::string folder = withoutTrailingSeparators(applicationDirectory);
    const bool ignoreCase = facts.namesIgnoreCase;
    const bool installed = std::any_of(facts.systemProgramFolders.begin(), facts.systemProgramFolders.end(),
                                       [&](const std::string& system) {
                                           return sameText(withoutTrailingSeparators(system), folder, ignoreCase);
                                       }) ||
                           std::any_of(facts.systemProgramTrees.begin(), facts.systemProgramTrees.end(),
                                       [&](const std::string& tree) { return within(folder, tree, ignoreCase); });
    return installed || !facts.applicationDirectoryWritable ? *facts.userDataFolder : applicationDirectory;
}

bool RegisterFolderIsMadeWhenMissing(const std::string& registerFolder, const InstallFacts& facts) {
    return facts.userDataFolder &&
           withoutTrailingSeparators(*facts.userDataFolder) == withoutTrailingSeparators(registerFolder);
}

// The core's text is UTF-8 on every platform, so the folder's name is cut from it as such.
void makeRegisterFolderOf(FileSystem& fs, const std::string& file, const InstallFacts& facts) {
    const std::u8string text =
        std::filesystem::path(std::u8string(file.begin(), file.end())).parent_path().u8string();
    const std::string folder(text.begin(), text.end());
    if (fs.folderExists(folder)) return;
    if (!RegisterFolderIsMadeWhenMissing(folder, facts)) return;
    fs.makeFolders(folder);
}

}  // namespace quorvane
