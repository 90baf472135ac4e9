#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorvane {

// DOS attributes of an object on a file system that has none, kept where Samba and wine keep them:
// the extended attribute "user.DOSATTRIB", holding the set as hex text ("0x6").
inline constexpr const char* kDosAttribName = "user.DOSATTRIB";

// The value we store: hex text with its terminating NUL, which both Samba and wine read.
std::string formatDosAttrib(std::uint32_t attributes);

// The set held by a stored value: its leading hex text, with or without the NUL (wine writes none);
// whatever follows the NUL (Samba's binary record) is ignored. Nothing for a value without hex text.
std::optional<std::uint32_t> parseDosAttrib(std::string_view value);

// Lines of a folder's ".hidden" file, the freedesktop list of names that file managers hide.
// Every other line is kept byte for byte.
inline constexpr const char* kHiddenListName = ".hidden";
bool hiddenListContains(std::string_view content, std::string_view name);
std::string hiddenListAdd(std::string_view content, std::string_view name);
std::string hiddenListRemove(std::string_view content, std::string_view name);

}  // namespace quorvane
