// The command line in the program's own process, over the real file services in a temporary
// folder (the program's folder too, so the register lies there): every command's status, output
// and the disk after it. The same table runs under wine for Windows.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sstream>

#include "cli/CommandLine.h"
#include "platform/Error.h"
#include "platform/FolderTree.h"
#include "protect/Disguise.h"
#include "protect/frmMain.h"
#include "support/FormFixture.h"

namespace quorvane {
namespace {

using test::exists;
using test::readBytes;
using test::writeBytes;

struct Result {
    int status = -1;
    std::string out;
    std::string err;
};

// A folder tree that cannot read one folder, as one without permission (tests run as root).
class UnreadableFolder final : public FolderTree {
public:
    UnreadableFolder(FolderTree& real, std::string folder) : m_real(real), m_folder(std::move(folder)) {}
    std::vector<std::string> subfolders(const std::string& folder) override {
        if (folder == m_folder) throw errorFor(errc::PermissionDenied, folder);
        return m_real.subfolders(folder);
    }

private:
    FolderTree& m_real;
    std::string m_folder;
};

class CommandLineTest : public test::MainFormTest {
protected:
    Result run(const std::vector<std::string>& args, FolderTree* treeOverride = nullptr) {
        std::ostringstream out;
        std::ostringstream err;
        const cli::Environment env{fs,    *core.iniWriter, registry,    launcher,   *core.fileManagerIcons,
                                   treeOverride ? *treeOverride : *tree, tmp.path(), out, err};
        Result result;
        result.status = cli::run(args, env);
        result.out = out.str();
        result.err = err.str();
        return result;
    }
    std::string reg() const { return tmp / "l0g.ext"; }
    std::string registerBytes() const { return exists(reg()) ? readBytes(reg()) : "<none>"; }

    std::unique_ptr<FolderTree> tree = makeFolderTree();
};

// On Linux the hidden folder is also listed in its parent's ".hidden".
std::string hiddenList(const test::TempDir& tmp) {
    return exists(tmp / ".hidden") ? readBytes(tmp / ".hidden") : "<none>";
}

std::string lines(std::initializer_list<std::string> texts) {
    std::string out;
    for (const std::string& text : texts) out += text + "\n";
    return out;
}

TEST_F(CommandLineTest, EachCommandsStatusOutputAndDisk) {
    const std::string usage = cli::usage();
    const std::string lockSuffix(DisguiseSuffixes[1]);  // "printers"
    const std::string icon = tmp / "folder.ico";

    struct Case {
        std::string name;
        std::function<void(const std::string& secret)> before;  // what the disk holds first
        std::vector<std::string> args;                          // "S" stands for the folder Secret
        int status;
        std::string out;
        std::string err;
        std::function<void(const std::string& secret)> after;   // the disk afterwards
    };
    auto none = [](const std::string&) {};
    const std::string secretPath = tmp / "Secret";
    const std::vector<Case> cases = {
        {"hide", none, {"hide", "S"}, 0, lines({"The folder: ", secretPath, "  it's not visible now"}), "",
         [&](const std::string& s) {
             EXPECT_EQ(attributesOf(s), kept(attr::Hidden | attr::System));
             EXPECT_EQ(registerBytes(), s + "\r\n");
             if (kListsHiddenFolders) {
                 EXPECT_EQ(hiddenList(tmp), "Secret\n");
             }
         }},
        {"hide a folder that is not there", none, {"hide", tmp / "Nothing"}, 1, "",
         lines({"quorvane: Run-time error '76':", "", "Path not found: " + tmp / "Nothing"}),
         [&](const std::string& s) {
             EXPECT_EQ(attributesOf(s), 0u);
             EXPECT_EQ(registerBytes(), "<none>");
         }},
        {"hide a file", [&](const std::string&) { writeBytes(tmp / "file.txt", "x"); }, {"hide", tmp / "file.txt"},
         1, "",
         lines({"quorvane: Run-time error '75':", "", "Path/File access error: " + tmp / "file.txt" + " is not a folder"}),
         [&](const std::string&) { EXPECT_EQ(registerBytes(), "<none>"); }},
        {"show", [&](const std::string& s) { run({"hide", s}); }, {"show", "S"}, 0,
         lines({"The Folder: ", secretPath, "  it's visible now,.."}), "",
         [&](const std::string& s) {
             EXPECT_EQ(attributesOf(s), kept(attr::Archive));
             EXPECT_EQ(registerBytes(), "");
             if (kListsHiddenFolders) {
                 EXPECT_FALSE(exists(tmp / ".hidden"));
             }
         }},
        {"show a folder not in the register", [&](const std::string&) { writeBytes(reg(), "other\r\n"); },
         {"show", "S"}, 1, "", lines({"quorvane: not in the register " + reg() + ": " + secretPath}),
         [&](const std::string&) { EXPECT_EQ(registerBytes(), "other\r\n"); }},
        {"lock", none, {"lock", "S", "printers"}, 0, lines({"Folder: ", secretPath, "Locked!"}), "",
         [&](const std::string& s) {
             EXPECT_FALSE(exists(s));
             EXPECT_TRUE(exists(s + lockSuffix));
         }},
        {"lock with an unknown disguise", none, {"lock", "S", "recycle-bin"}, 2, "",
         "quorvane: unknown disguise: recycle-bin\n" + usage, [&](const std::string& s) { EXPECT_TRUE(exists(s)); }},
        {"lock without a disguise", none, {"lock", "S"}, 2, "",
         "quorvane: missing argument: lock FOLDER DISGUISE\n" + usage,
         [&](const std::string& s) { EXPECT_TRUE(exists(s)); }},
        {"unlock", [&](const std::string& s) { realFs.rename(s, s + lockSuffix); }, {"unlock", secretPath + lockSuffix},
         0, lines({"Folder: ", secretPath + lockSuffix, "Unlocked!"}), "",
         [&](const std::string& s) {
             EXPECT_TRUE(exists(s));
             EXPECT_FALSE(exists(s + lockSuffix));
         }},
        {"unlock onto a folder that is there",
         [&](const std::string& s) { test::makeDir(s + ".old"); }, {"unlock", secretPath + ".old"}, 1, "",
         lines({"quorvane: Run-time error '58':", "", "File already exists: " + secretPath}),
         [&](const std::string& s) { EXPECT_TRUE(exists(s + ".old")); }},
        {"icon", none, {"icon", "S", icon}, 0, lines({"Icon Changed"}), "",
         [&](const std::string& s) {
             EXPECT_EQ(readBytes(s + kSeparator + "desktop.ini"),
                       profileText("[.ShellClassInfo]\r\niconfile=" + icon + "\r\niconindex=0\r\n"));
             EXPECT_EQ(attributesOf(s), kept(attr::System));
             EXPECT_EQ(attributesOf(s + kSeparator + "desktop.ini"), kept(attr::Hidden | attr::System));
         }},
        {"icon with a missing icon file", none, {"icon", "S", tmp / "none.ico"}, 1, "",
         lines({"quorvane: Run-time error '53':", "", "File not found: " + tmp / "none.ico"}),
         [&](const std::string& s) { EXPECT_FALSE(exists(s + kSeparator + "desktop.ini")); }},
        {"icon --default", [&](const std::string& s) { run({"icon", s, icon}); }, {"icon", "--default", "S"}, 0, "", "",
         [&](const std::string& s) {
             EXPECT_FALSE(exists(s + kSeparator + "desktop.ini"));
             EXPECT_EQ(attributesOf(s), kept(attr::Archive));
         }},
        {"icon without its icon file", none, {"icon", "S"}, 2, "",
         "quorvane: missing argument: icon FOLDER ICONFILE | icon --default FOLDER\n" + usage, none},
        {"list", [&](const std::string&) { writeBytes(reg(), "C:\\A\r\n\r\nC:\\B\r\n"); }, {"list"}, 0,
         lines({"C:\\A", "", "C:\\B"}), "", [&](const std::string&) { EXPECT_EQ(registerBytes(), "C:\\A\r\n\r\nC:\\B\r\n"); }},
        {"list without a register", none, {"list"}, 0, "", "", none},
        {"find-hidden", [&](const std::string& s) {
             run({"hide", s});
             test::makeDir(tmp / "Other");
             test::makeDir(tmp / "Other" + kSeparator + "Inner");
             realFs.setAttributes(tmp / "Other" + kSeparator + "Inner", attr::Hidden | attr::System);
             test::makeDir(tmp / "OnlyHidden");
             realFs.setAttributes(tmp / "OnlyHidden", attr::Hidden);
         },
         {"find-hidden", tmp.path()}, 0, lines({tmp / "Other" + kSeparator + "Inner"}), "",
         [&](const std::string& s) { EXPECT_EQ(registerBytes(), s + "\r\n"); }},
        {"find-hidden --register", [&](const std::string&) {
             writeBytes(reg(), "earlier");  // a last line without its line end
             test::makeDir(tmp / "Other");
             realFs.setAttributes(tmp / "Other", attr::Hidden | attr::System);
         },
         {"find-hidden", "--register", tmp.path()}, 0, lines({tmp / "Other"}), "",
         [&](const std::string&) { EXPECT_EQ(registerBytes(), "earlier\r\n" + tmp / "Other" + "\r\n"); }},
        {"find-hidden without a folder", none, {"find-hidden", "--register"}, 2, "",
         "quorvane: missing argument: find-hidden FOLDER [--register]\n" + usage, none},
        {"an unknown command", none, {"conceal", "S"}, 2, "", "quorvane: unknown command: conceal\n" + usage, none},
        {"an unknown option", none, {"--hide", "S"}, 2, "", "quorvane: unknown option: --hide\n" + usage, none},
        {"--help", none, {"--help"}, 0, usage, "", none},
        {"--version", none, {"--version"}, 0, "quorvane 2.0.0\n", "", none},
    };

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string secret = folder("Secret");
        writeBytes(icon, "not really an icon");
        c.before(secret);
        std::vector<std::string> args = c.args;
        for (std::string& arg : args)
            if (arg == "S") arg = secret;
        const Result result = run(args);
        EXPECT_EQ(result.status, c.status);
        EXPECT_EQ(result.out, c.out);
        EXPECT_EQ(result.err, c.err);
        c.after(secret);
        // A fresh disk for the next case.
        std::filesystem::remove_all(std::filesystem::path(std::u8string(tmp.path().begin(), tmp.path().end())));
        test::makeDir(tmp.path());
    }
}

TEST_F(CommandLineTest, AFailingActionSaysWhatTheErrorReportSaysAndChangesNothing) {
    const std::string secret = folder("Secret");
    writeBytes(reg(), "earlier\r\n");
    fs.failOn(test::FaultyFileSystem::Op::WriteFile, 1, PlatformError(errc::DiskFull, "Disk full"));
    const Result result = run({"hide", secret});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "quorvane: Run-time error '61':\n\nDisk full\n");
    EXPECT_EQ(readBytes(reg()), "earlier\r\n");
    EXPECT_EQ(attributesOf(secret), 0u);
}

TEST_F(CommandLineTest, FindHiddenSkipsAFolderItCannotReadWithOneLineAndGoesOn) {
    const std::string a = folder("A");
    const std::string b = folder("B");
    const std::string inA = a + kSeparator + "Hidden";
    const std::string inB = b + kSeparator + "Hidden";
    test::makeDir(inA);
    test::makeDir(inB);
    realFs.setAttributes(inA, attr::Hidden | attr::System);
    realFs.setAttributes(inB, attr::Hidden | attr::System);
    UnreadableFolder unreadable(*tree, a);
    const Result result = run({"find-hidden", tmp.path(), "--register"}, &unreadable);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, inB + "\n");
    EXPECT_EQ(result.err, "quorvane: skipped: Permission denied: " + a + "\n");
    EXPECT_EQ(readBytes(reg()), inB + "\r\n");
}

TEST_F(CommandLineTest, AFolderFoundAndRegisteredShowsInTheListWindow) {
    const std::string found = folder("Found");
    realFs.setAttributes(found, attr::Hidden | attr::System);
    ASSERT_EQ(run({"find-hidden", tmp.path(), "--register"}).status, 0);
    std::vector<std::string> shown;
    view.whenListShown = [&](test::FakeListView& list) { shown = list.list.items; };
    form().cmd_Click(4);
    view.whenListShown = nullptr;
    EXPECT_EQ(shown, std::vector<std::string>{found});
    EXPECT_EQ(run({"find-hidden", tmp.path()}).out, "");  // registered now: not found again
}

TEST_F(CommandLineTest, ACommandIsToldFromAFolderToStartTheWindowWith) {
    const std::string existing = folder("hide-me");
    struct Case {
        std::vector<std::string> args;
        bool command;
    };
    const std::vector<Case> cases = {
        {{}, false},
        {{"hide", "x"}, true},
        {{"find-hidden", "x"}, true},
        {{"--version"}, true},
        {{"-x"}, true},
        {{existing}, false},
        {{"no-such-word"}, true},  // a mistyped command
        {{std::string(".") + kSeparator + "no-such-word"}, false},
    };
    for (const Case& c : cases) {
        const std::string name = c.args.empty() ? "(none)" : c.args[0];
        EXPECT_EQ(cli::isCommand(c.args), c.command) << name;
    }
}

// The window started with a folder: chosen as in the folder browser, or named in a message box.
TEST_F(CommandLineTest, TheWindowStartsWithTheFolderChosen) {
    const std::string secret = folder("Secret");
    frmMain& f = form();
    const auto steps = view.picture1.steps;
    EXPECT_TRUE(f.OpenStartFolder(secret + kSeparator));
    EXPECT_EQ(f.FolderPath(), secret);
    EXPECT_EQ(view.path, secret);
    EXPECT_NE(view.picture1.steps, steps);
    EXPECT_TRUE(messages.boxes.empty());

    const std::string missing = tmp / "Missing";
    EXPECT_FALSE(f.OpenStartFolder(missing));
    ASSERT_EQ(messages.boxes.size(), 1u);
    EXPECT_EQ(messages.boxes[0].text, "Run-time error '76':\r\n\r\nPath not found: " + missing);
    EXPECT_EQ(f.FolderPath(), secret);
    EXPECT_EQ(view.path, secret);
}

}  // namespace
}  // namespace quorvane
