#pragma once

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

// The services the windows and their actions are built with. Tests hand in their own.
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

}  // namespace quorvane
