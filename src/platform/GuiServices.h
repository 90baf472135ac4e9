#pragma once

#include <memory>

#include "platform/CoreServices.h"

namespace quorvane {

class FileSystem;
class UserMessages;
class Dialogs;
class ShellIcons;
class IniWriter;
class Registry;
class ProgramLauncher;
class KeyInjector;
class FileManagerIcons;

// The services the windows are built with. Tests hand in their own.
struct Services {
    FileSystem& fs;
    UserMessages& messages;
    Dialogs& dialogs;
    ShellIcons& icons;
    IniWriter& ini;
    Registry& registry;
    ProgramLauncher& launcher;
    KeyInjector& keys;
    FileManagerIcons& fileManagers;
};

// The real services of this platform, owned together.
class PlatformServices {
public:
    PlatformServices();
    ~PlatformServices();
    Services services();

private:
    CoreServices m_core;
    std::unique_ptr<UserMessages> m_messages;
    std::unique_ptr<Dialogs> m_dialogs;
    std::unique_ptr<ShellIcons> m_icons;
    std::unique_ptr<KeyInjector> m_keys;
};

// Gives Qt an icon theme where the desktop sets none (offscreen, bare X sessions), so that file
// and folder icons are found. A theme the desktop has chosen is left alone.
void ensureIconTheme();

}  // namespace quorvane
