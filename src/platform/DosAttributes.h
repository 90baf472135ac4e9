#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorvane {

// DOS attributes of an object on a file system that has none, kept where Samba, the kernel's SMB
// server and wine keep them: the extended attribute "user.DOSATTRIB". Its value is hex text of the
// set ("0x6"), usually with a NUL after it, and after that NUL Samba's binary record (an NDR
// structure: a 16-bit version, the same number again as the union's level, then that version's
// fields, each aligned as NDR aligns it from the value's first byte). Versions 1 and 3 to 5 are
// known: Samba 3.5 to 4.10 write version 3 behind the hex text, 4.11 to 4.16 version 4 and 4.17
// on version 5, both behind an empty hex text; wine and older Samba write the hex text alone.
inline constexpr const char* kDosAttribName = "user.DOSATTRIB";

// The value stored for an object that has none yet: hex text with its terminating NUL, which
// Samba, the kernel's server and wine all read.
std::string formatDosAttrib(std::uint32_t attributes);

// The set held by a stored value. A known record gives its attribute field, which is what Samba
// reads whatever the record's valid flags say; without one, the leading hex text with or without
// its NUL (wine writes none). Nothing for a value that holds neither. The Directory bit comes back
// as stored.
std::optional<std::uint32_t> parseDosAttrib(std::string_view value);

// The value to store so that every reader sees `attributes`, given the value stored now ("" for
// none). Without a record: formatDosAttrib(attributes). With a known record: the hex text of the
// record's new attribute, its NUL, and the record with its attribute field set (and marked valid),
// every other field kept byte for byte, the creation time above all; `directory` adds the
// Directory bit that the servers keep in the record of a folder. Nothing when the stored value is
// something we do not understand (an unknown or damaged record, text that is no hex number): such
// a value must not be overwritten blindly.
std::optional<std::string> updateDosAttrib(std::string_view stored, std::uint32_t attributes, bool directory);

// Lines of a folder's ".hidden" file, the freedesktop list of names that file managers hide.
// Every other line is kept byte for byte. A name the list cannot hold (hiddenListCanHold) is never
// added: it would stand there as other names.
inline constexpr const char* kHiddenListName = ".hidden";
// False for a name with a line feed, or with a CR at its end, which readers take for a line end;
// and for the empty name.
bool hiddenListCanHold(std::string_view name);
bool hiddenListContains(std::string_view content, std::string_view name);
std::string hiddenListAdd(std::string_view content, std::string_view name);
std::string hiddenListRemove(std::string_view content, std::string_view name);

}  // namespace quorvane
