#include "cli/CommandLine.h"

#include <array>
#include <filesystem>
#include <system_error>
#include <iostream>
#include <optional>
#include <string_view>

#include "cli/ConsoleFrontEnd.h"
#include "platform/CoreServices.h"
#include "platform/Error.h"
#include "platform/FolderTree.h"
#include "protect/Disguise.h"
#include "protect/ErrorReport.h"
#include "protect/FindHidden.h"
#include "protect/FolderArgument.h"
#include "protect/PathHelpers.h"
#include "protect/Register.h"
#include "protect/RegisterLocation.h"
#include "protect/frmMain.h"

namespace quorvane::cli {

namespace {

// The main window's buttons, by their index.
namespace button {
constexpr std::int16_t LockFolder = 1;
constexpr std::int16_t UnlockFolder = 2;
constexpr std::int16_t HideFolder = 3;
constexpr std::int16_t ShowFolder = 4;
constexpr std::int16_t OpenIcon = 5;
constexpr std::int16_t ChangeIcon = 6;
constexpr std::int16_t SetDefaultIcon = 7;
}  // namespace button
constexpr std::int16_t kListShowFolder = 0;

// Both separators mean a path on Windows; "\\" is an ordinary character of a name elsewhere, but a
// name holding one is no command either.
constexpr const char* kSeparators = "/\\";

constexpr std::array<std::string_view, 7> kCommands = {"hide", "show", "lock", "unlock", "icon", "list", "find-hidden"};

// A disguise's name on the command line: its caption in lower case with hyphens ("control-panel").
std::string disguiseName(std::string_view caption) {
    std::string name;
    for (char c : caption) name += c == ' ' ? '-' : (c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
    return name;
}

std::optional<int> disguiseIndex(std::string_view name) {
    for (std::size_t i = 0; i < kDisguiseCaptions.size(); ++i)
        if (disguiseName(kDisguiseCaptions[i]) == name) return static_cast<int>(i);
    return std::nullopt;
}

// A message with its CR LF line breaks as the stream's line ends.
std::string asLines(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) out += text[i];
    return out;
}

// The windows of one command, with no display: the main window loaded as at start.
class Session {
public:
    explicit Session(const Environment& env)
        : m_messages(env.out, env.err),
          m_services{env.fs, m_messages, m_dialogs, m_icons, env.ini, env.registry, env.launcher, m_keys,
                     env.fileManagers},
          m_view(m_services),
          m_form(m_services, m_view, env.applicationDirectory) {
        m_form.Form_Load();
    }

    ConsoleMessages& messages() { return m_messages; }
    ScriptedDialogs& dialogs() { return m_dialogs; }
    ConsoleMain& view() { return m_view; }
    frmMain& form() { return m_form; }
    Services& services() { return m_services; }
    // 1 once an action's error was reported, else 0.
    int status() const { return m_messages.failed() ? 1 : 0; }

private:
    ConsoleMessages m_messages;
    ScriptedDialogs m_dialogs;
    NoShellIcons m_icons;
    NoKeys m_keys;
    Services m_services;
    ConsoleMain m_view;
    frmMain m_form;
};

int usageError(const Environment& env, const std::string& why) {
    env.err << kProgramName << ": " << why << '\n' << usage() << std::flush;
    return 2;
}

int fail(Session& session, const PlatformError& error) {
    reportError(session.messages(), error);
    return 1;
}

// Presses `index` on the main window with `folder` chosen; the status.
int press(Session& session, const std::string& folder, std::int16_t index) {
    if (!session.form().OpenStartFolder(folder)) return 1;
    session.form().cmd_Click(index);
    return session.status();
}

int icon(Session& session, const std::string& folder, const std::string& iconArgument) {
    if (!session.form().OpenStartFolder(folder)) return 1;
    const std::string iconFile = absolutePath(iconArgument);
    // The open dialog confirms an existing file only.
    if (!Exist(session.services().fs, iconFile)) return fail(session, errorFor(errc::FileNotFound, iconFile));
    session.dialogs().iconFile = iconFile;
    session.form().cmd_Click(button::OpenIcon);
    if (session.status() != 0) return 1;
    // A path the open dialog cannot hand back (too long) would leave no icon file chosen.
    if (session.form().IconFilePath() != iconFile) return fail(session, errorFor(errc::BadFileName, iconFile));
    session.form().cmd_Click(button::ChangeIcon);
    return session.status();
}

// "Show Folder" in the list window on the register line that is exactly `entry`.
int show(Session& session, const Environment& env, const std::string& entry) {
    bool found = false;
    session.view().onList = [&](ConsoleList& list) {
        for (int i = 0; i < list.count(); ++i) {
            if (list.item(i) != entry) continue;
            found = true;
            list.select(i);
            list.form().cmd_Click(kListShowFolder);
            return;
        }
    };
    session.form().cmd_Click(button::ShowFolder);
    if (session.status() != 0) return 1;
    if (!found) {
        env.err << kProgramName << ": not in the register " << session.form().RegisterFilePath() << ": " << entry
                << std::endl;
        return 1;
    }
    return 0;
}

// The register's lines, one a line, as the list window shows them.
int list(Session& session, const Environment& env) {
    session.view().onList = [&](ConsoleList& list) {
        for (int i = 0; i < list.count(); ++i) env.out << list.item(i) << '\n';
        env.out << std::flush;
    };
    session.form().cmd_Click(button::ShowFolder);
    return session.status();
}

int findHidden(Session& session, const Environment& env, const std::string& folder, bool addToRegister) {
    if (!session.form().OpenStartFolder(folder)) return 1;
    const std::string top = session.form().FolderPath();
    const std::string& registerPath = session.form().RegisterFilePath();
    const InstallFacts facts = installFactsFor(env.applicationDirectory);
    bool skipped = false;
    try {
        const std::vector<std::string> found =
            findHiddenFolders(env.fs, env.tree, top, registerPath, facts.namesIgnoreCase, [&](const PlatformError& error) {
                skipped = true;
                env.err << kProgramName << ": skipped: " << asLines(error.description()) << std::endl;
            });
        for (const std::string& path : found) env.out << path << '\n';
        env.out << std::flush;
        if (addToRegister && !found.empty()) {
            makeRegisterFolderOf(env.fs, registerPath, facts);
            appendAllToRegister(env.fs, registerPath, found);
        }
    } catch (const PlatformError& error) {
        return fail(session, error);
    }
    // As find(1) does: what could be read was listed (and registered), and the status says not all could.
    return skipped ? 1 : 0;
}

int dispatch(const std::vector<std::string>& args, const Environment& env) {
    const std::string& command = args[0];
    if (command == "--help" || command == "-h") {
        if (args.size() != 1) return usageError(env, "--help takes no arguments");
        env.out << usage() << std::flush;
        return 0;
    }
    if (command == "--version") {
        if (args.size() != 1) return usageError(env, "--version takes no arguments");
        env.out << kProgramName << ' ' << QUORVANE_VERSION << std::endl;
        return 0;
    }
    if (command.starts_with('-')) return usageError(env, "unknown option: " + command);
    for (std::size_t i = 1; i < args.size(); ++i)
        if (args[i].empty()) return usageError(env, command + ": an empty argument");

    const std::vector<std::string> rest(args.begin() + 1, args.end());
    auto wants = [&](std::size_t count, const char* form) -> std::optional<int> {
        if (rest.size() == count) return std::nullopt;
        return usageError(env, rest.size() < count ? std::string("missing argument: ") + form
                                                   : std::string("too many arguments: ") + form);
    };
    if (command == "hide" || command == "show" || command == "unlock") {
        if (auto bad = wants(1, (command + " FOLDER").c_str())) return *bad;
        Session session(env);
        if (command == "hide") return press(session, rest[0], button::HideFolder);
        if (command == "unlock") return press(session, rest[0], button::UnlockFolder);
        return show(session, env, rest[0]);
    }
    if (command == "lock") {
        if (auto bad = wants(2, "lock FOLDER DISGUISE")) return *bad;
        const std::optional<int> disguise = disguiseIndex(rest[1]);
        if (!disguise) return usageError(env, "unknown disguise: " + rest[1]);
        Session session(env);
        session.view().setDisguiseIndex(*disguise);
        return press(session, rest[0], button::LockFolder);
    }
    if (command == "icon") {
        if (auto bad = wants(2, "icon FOLDER ICONFILE | icon --default FOLDER")) return *bad;
        if (rest[1] == "--default") return usageError(env, "icon --default FOLDER: the option comes first");
        Session session(env);
        if (rest[0] == "--default") return press(session, rest[1], button::SetDefaultIcon);
        if (rest[0].starts_with('-')) return usageError(env, "unknown option: " + rest[0]);
        return icon(session, rest[0], rest[1]);
    }
    if (command == "list") {
        if (auto bad = wants(0, "list")) return *bad;
        Session session(env);
        return list(session, env);
    }
    if (command == "find-hidden") {
        std::optional<std::string> folder;
        bool addToRegister = false;
        for (const std::string& arg : rest) {
            if (arg == "--register" && !addToRegister)
                addToRegister = true;
            else if (arg.starts_with('-') || folder)
                return usageError(env, "wrong argument for find-hidden FOLDER [--register]: " + arg);
            else
                folder = arg;
        }
        if (!folder) return usageError(env, "missing argument: find-hidden FOLDER [--register]");
        Session session(env);
        return findHidden(session, env, *folder, addToRegister);
    }
    return usageError(env, "unknown command: " + command);
}

}  // namespace

bool isCommand(const std::vector<std::string>& args) {
    if (args.empty()) return false;
    const std::string& first = args[0];
    if (first.starts_with('-')) return true;
    for (std::string_view command : kCommands)
        if (first == command) return true;
    // A bare word that names nothing here is a mistyped command, not a folder: a script gets the
    // usage and status 2 rather than a window. "./word" always means the folder.
    if (first.find_first_of(kSeparators) != std::string::npos) return false;
    std::error_code error;
    return !std::filesystem::exists(std::filesystem::path(std::u8string(first.begin(), first.end())), error);
}

std::string usage() {
    std::string names;
    for (std::string_view caption : kDisguiseCaptions) names += (names.empty() ? "" : ", ") + disguiseName(caption);
    return "Usage: quorvane [FOLDER]\n"
           "       quorvane hide FOLDER\n"
           "       quorvane show FOLDER\n"
           "       quorvane lock FOLDER DISGUISE\n"
           "       quorvane unlock FOLDER\n"
           "       quorvane icon FOLDER ICONFILE\n"
           "       quorvane icon --default FOLDER\n"
           "       quorvane list\n"
           "       quorvane find-hidden FOLDER [--register]\n"
           "       quorvane --help | --version\n"
           "Without a command the window opens, with FOLDER chosen when one is given.\n"
           "show takes a folder's path as the register holds it (see list).\n"
           "find-hidden lists the hidden + system folders below FOLDER that the register lacks;\n"
           "--register adds them to it.\n"
           "DISGUISE: " + names + ".\n"
           "Exit status: 0 done, 1 the action failed, 2 a wrong command or argument.\n";
}

int run(const std::vector<std::string>& args, const Environment& env) {
    if (args.empty()) return usageError(env, "no command");
    try {
        return dispatch(args, env);
    } catch (const PlatformError& error) {
        // The main window's load sequence failed: as the program without a command would report it.
        env.err << kProgramName << ": " << asLines(errorReportText(error)) << std::endl;
        return 1;
    } catch (const std::exception& error) {
        env.err << kProgramName << ": " << error.what() << std::endl;
        return 1;
    }
}

int runConsole(const std::vector<std::string>& args) {
    CoreServices core = makeCoreServices();
    const std::unique_ptr<FolderTree> tree = makeFolderTree();
    const Environment env{*core.fileSystem, *core.iniWriter, *core.registry,  *core.launcher,
                          *core.fileManagerIcons, *tree, programDirectory(), std::cout,
                          std::cerr};
    return run(args, env);
}

}  // namespace quorvane::cli
