#include "platform/posix/FileManagerIcons.h"

#include <gio/gio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <memory>
#include <optional>

#include "platform/IniText.h"
#include "platform/Error.h"
#include "platform/posix/IniWriter.h"
#include "platform/posix/PosixIo.h"

namespace quorvane {

namespace {

constexpr const char* kDirectoryFile = ".directory";
constexpr const char* kDesktopEntry = "Desktop Entry";
constexpr const char* kIconKey = "Icon";
constexpr const char* kCustomIcon = "metadata::custom-icon";           // a file URI
constexpr const char* kCustomIconName = "metadata::custom-icon-name";  // a theme icon

std::string directoryFileOf(const std::string& folder) {
    return (!folder.empty() && folder.back() == '/' ? folder : folder + "/") + kDirectoryFile;
}

// A value as desktop entry files store it: backslashes and tabs escaped, and blanks at either end
// kept from being trimmed away.
std::string escaped(const std::string& value) {
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (c == '\\')
            out += "\\\\";
        else if (c == '\t')
            out += "\\t";
        else if (c == ' ' && (i == 0 || i + 1 == value.size()))
            out += "\\s";
        else
            out += c;
    }
    return out;
}

struct GObjectUnref {
    void operator()(gpointer object) const { g_object_unref(object); }
};
using FileRef = std::unique_ptr<GFile, GObjectUnref>;

struct GFree {
    void operator()(gpointer memory) const { g_free(memory); }
};

// Sets one metadata attribute of `file`, or removes it for no value. Where GIO cannot keep
// metadata (no session bus, no gvfs) it answers that the attribute is not supported; that, like
// any other failure of the metadata store, leaves the file managers' other records to carry the icon.
void setMetadata(GFile* file, const char* name, const std::optional<std::string>& value) {
    GError* error = nullptr;
    if (value)
        g_file_set_attribute_string(file, name, value->c_str(), G_FILE_QUERY_INFO_NONE, nullptr, &error);
    else
        g_file_set_attribute(file, name, G_FILE_ATTRIBUTE_TYPE_INVALID, nullptr, G_FILE_QUERY_INFO_NONE, nullptr,
                             &error);
    if (error) g_error_free(error);
}

// True when a session bus is there to reach: one named by DBUS_SESSION_BUS_ADDRESS, or the user's
// bus at $XDG_RUNTIME_DIR/bus. Without one GIO would start a bus daemon of its own (through
// dbus-launch), which outlives the program.
bool sessionBusPresent() {
    const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    if (address && *address) return true;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (!runtime || !*runtime) return false;
    struct stat st {};
    return ::stat((std::string(runtime) + "/bus").c_str(), &st) == 0 && S_ISSOCK(st.st_mode);
}

void setIconMetadata(const std::string& folder, const std::optional<std::string>& uri,
                     const std::optional<std::string>& themeName) {
    if (!sessionBusPresent()) return;
    const FileRef file(g_file_new_for_path(folder.c_str()));
    setMetadata(file.get(), kCustomIcon, uri);
    setMetadata(file.get(), kCustomIconName, themeName);
}

std::string fileUri(const std::string& path) {
    const FileRef file(g_file_new_for_path(path.c_str()));
    const std::unique_ptr<char, GFree> uri(g_file_get_uri(file.get()));
    return uri.get();
}

}  // namespace

void FileManagerIconsPosix::showIcon(const std::string& folder, const FolderIcon& icon) {
    // ".directory" first: when it cannot be written, nothing the file managers read has changed.
    const std::string value = escaped(icon.file.empty() ? icon.themeName : icon.file);
    rewriteTextFile(directoryFileOf(folder), [&](std::string_view content) {
        return IniWriteValue(content, kDesktopEntry, kIconKey, value, kDesktopEntryFormat);
    });
    if (icon.file.empty())
        setIconMetadata(folder, std::nullopt, icon.themeName);
    else
        setIconMetadata(folder, fileUri(icon.file), std::nullopt);
}

void FileManagerIconsPosix::showDefault(const std::string& folder) {
    // A ".directory" that held nothing but the icon goes; any other setting keeps it.
    const std::string path = directoryFileOf(folder);
    bool iconOnly = false;
    rewriteTextFile(path, [&](std::string_view content) {
        iconOnly = IniHoldsOnly(content, kDesktopEntry, {kIconKey}, kDesktopEntryFormat);
        return iconOnly ? std::string(content)
                        : IniWriteValue(content, kDesktopEntry, kIconKey, std::nullopt, kDesktopEntryFormat);
    });
    if (iconOnly && ::unlink(path.c_str()) != 0 && errno != ENOENT) throw posix::errnoError(errno, path);
    setIconMetadata(folder, std::nullopt, std::nullopt);
}

}  // namespace quorvane
