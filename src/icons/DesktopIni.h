#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorvane {

// How a folder states its own icon, as the shell reads it: the actions that write the icon and the
// painter that shows it follow this one rule. A folder's "desktop.ini" names the icon file under
// [.ShellClassInfo] "iconfile" ("iconindex" beside it picks the icon in the file); the shell reads
// the file only in a folder with the System attribute.
inline constexpr const char* kShellClassInfo = ".ShellClassInfo";
inline constexpr const char* kIconFileKey = "iconfile";
inline constexpr const char* kIconIndexKey = "iconindex";
// Far beyond any real one: a longer "desktop.ini" is no profile. It names no icon, and resetting the
// icon keeps it rather than deleting what it was never read.
inline constexpr std::uint64_t kLongestDesktopIni = 1 << 20;
// The desktop theme's generic program icon, which an ".exe" shows: its icon resources are not read.
inline constexpr const char* kProgramIconName = "application-x-executable";

// The "desktop.ini" of `folder`.
std::string desktopIniOf(const std::string& folder);

// The icon file a "desktop.ini" names, as stored (a relative name belongs to the folder); nothing
// when it names none or "".
std::optional<std::string> iconFileNamedIn(std::string_view desktopIni);

// What an icon file shows, by its name's extension (in any case).
enum class IconFileKind {
    Program,  // ".exe": the generic program icon
    Icon,     // ".ico": the picture it holds
    Other,    // anything else
};
IconFileKind iconFileKindOf(std::string_view path);

}  // namespace quorvane
