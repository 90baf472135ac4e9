// What Samba, and through it every Windows client, sees of our attributes and the other way round:
// a live smbd on the loopback address, checked with smbclient. Runs under
// tests/support/with-samba.sh, which starts the server and stops it again.
#include <gtest/gtest.h>
#include <sys/xattr.h>

#include <QTest>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <sstream>
#include <vector>

#include "icons/IcoFiles.h"
#include "qt/PathText.h"
#include "qt/MainWindow.h"
#include "support/GuiFixture.h"

using namespace std::string_literals;

namespace quorvane {
namespace {

using test::exists;
using test::hexBytes;
using test::makeDir;
using test::writeBytes;

// What Samba reports of one entry: its attribute letters in a listing, and its creation time.
struct Seen {
    std::string letters;
    std::string created;
    bool operator==(const Seen&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Seen& seen) {
    return out << "[" << seen.letters << "] [" << seen.created << "]";
}

// 2001-02-03 04:05:06 UTC, as smbclient shows it and as an NTTIME in a record.
const std::string kCreated2001 = "create_time:    Sat Feb  3 04:05:06 2001 UTC";
const std::string kNtTime2001 = " 00 05 b5 7d 96 8d c0 01 ";

class SambaShare : public test::MainWindowTest {
protected:
    void SetUp() override {
        for (const char* name : {"QUORVANE_SMB_PORT", "QUORVANE_SMB_SHARE", "QUORVANE_SMB_PATH", "QUORVANE_SMB_CONF"})
            if (!std::getenv(name)) FAIL() << "no Samba server: run through with-samba.sh";
        writeBytes(greenIco, test::icoBytes({test::markedPicture(32, Qt::green)}));
    }

    // Runs smbclient's commands on the share; its output.
    static std::string smbclient(const std::string& commands) {
        const std::string command = "smbclient '//127.0.0.1/" + env("QUORVANE_SMB_SHARE") + "' -p " +
                                    env("QUORVANE_SMB_PORT") + " -N -s '" + env("QUORVANE_SMB_CONF") + "' -c '" +
                                    commands + "' 2>&1";
        FILE* pipe = ::popen(command.c_str(), "r");
        std::string out;
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
        EXPECT_EQ(::pclose(pipe), 0) << command << "\n" << out;
        return out;
    }

    // Samba's view of each named entry (names in Samba's form, "Folder\file"), asked in one session.
    static std::map<std::string, Seen> seen(const std::vector<std::string>& names) {
        std::string commands;
        for (const std::string& name : names) commands += "ls \"" + name + "\"; allinfo \"" + name + "\"; ";
        const std::string out = smbclient(commands);
        std::map<std::string, Seen> result;
        std::istringstream lines(out);
        std::size_t created = 0;
        for (std::string line; std::getline(lines, line);) {
            if (line.rfind("create_time:", 0) == 0) {
                if (created < names.size()) result[names[created++]].created = line;
                continue;
            }
            std::istringstream words(line);
            std::string first, second;
            words >> first >> second;
            for (const std::string& name : names) {
                const std::string base = name.substr(name.rfind('\\') + 1);
                if (first == base && !second.empty()) result[name].letters = second;
            }
        }
        return result;
    }
    static Seen seen(const std::string& name) { return seen(std::vector<std::string>{name})[name]; }

    static std::string env(const char* name) { return std::getenv(name); }
    static std::string shared(const std::string& name) { return env("QUORVANE_SMB_PATH") + "/" + name; }

    MainWindow& windowOn(const std::string& path) {
        MainWindow& w = window();
        dialogs.folders.push_back(path);
        w.form().cmd_Click(0);
        return w;
    }
    void click(MainWindow& w, int index) { QTest::mouseClick(w.cmd(index), Qt::LeftButton); }

    const std::string greenIco = tmp / "green.ico";
};

TEST_F(SambaShare, HiddenHereIsHiddenAndSystemThereAndArchiveWhenShown) {
    smbclient("mkdir ThroughSamba");
    makeDir(shared("Here"));
    for (const std::string name : {"ThroughSamba", "Here"}) {
        fs.setAttributes(shared(name), attr::Hidden | attr::System);
        EXPECT_EQ(seen(name).letters, "DHS") << name;
        fs.setAttributes(shared(name), attr::Archive);
        EXPECT_EQ(seen(name).letters, "DA") << name;
    }
}

TEST_F(SambaShare, HiddenThroughSambaIsHiddenAndSystemHere) {
    writeBytes(tmp / "notes.txt", "notes");
    smbclient("mkdir Windows; setmode Windows +hs; put \"" + tmp / "notes.txt" + "\" notes.txt; setmode notes.txt +hs");
    EXPECT_EQ(fs.attributes(shared("Windows")), attr::Hidden | attr::System);
    EXPECT_EQ(fs.attributes(shared("notes.txt")), attr::Hidden | attr::System | attr::Archive);
    EXPECT_FALSE(fs.normalFileExists(shared("notes.txt")));
}

TEST_F(SambaShare, ADesktopIniInAFolderMadeSystemThroughSambaIsHonoured) {
    writeBytes(tmp / "desktop.ini", "[.ShellClassInfo]\r\nIconFile=green.ico\r\nIconIndex=0\r\n");
    smbclient("mkdir Icons; put \"" + greenIco + "\" Icons\\green.ico; put \"" + tmp / "desktop.ini" +
              "\" Icons\\desktop.ini");
    const QImage green = *icons.image(fromCore(greenIco), 32);
    EXPECT_NE(*icons.image(fromCore(shared("Icons")), 32), green);  // not a System folder yet
    smbclient("setmode Icons +s");
    EXPECT_EQ(*icons.image(fromCore(shared("Icons")), 32), green);
}

TEST_F(SambaShare, ACreationTimeSetThroughSambaSurvivesHideAndShow) {
    writeBytes(tmp / "plain.txt", "text");
    smbclient("mkdir Folder; put \"" + tmp / "plain.txt" +
              "\" File.txt;"
              " utimes Folder 2001:02:03-04:05:06 -1 -1 -1; utimes File.txt 2001:02:03-04:05:06 -1 -1 -1");
    const std::vector<std::string> names = {"Folder", "File.txt"};
    EXPECT_EQ(seen(names),
              (std::map<std::string, Seen>{{"Folder", {"D", kCreated2001}}, {"File.txt", {"A", kCreated2001}}}));
    for (const std::string& name : names) fs.setAttributes(shared(name), attr::Hidden | attr::System);
    EXPECT_EQ(seen(names),
              (std::map<std::string, Seen>{{"Folder", {"DHS", kCreated2001}}, {"File.txt", {"HS", kCreated2001}}}));
    for (const std::string& name : names) fs.setAttributes(shared(name), attr::Archive);
    EXPECT_EQ(seen(names),
              (std::map<std::string, Seen>{{"Folder", {"DA", kCreated2001}}, {"File.txt", {"A", kCreated2001}}}));
}

TEST_F(SambaShare, ChangeIconLeavesASystemFolderAndAHiddenSystemDesktopIni) {
    smbclient("mkdir Pictures; utimes Pictures 2001:02:03-04:05:06 -1 -1 -1");
    MainWindow& w = windowOn(shared("Pictures"));
    dialogs.files.push_back(greenIco);
    click(w, 5);
    click(w, 6);
    EXPECT_EQ(messages.boxes.size(), 1u);
    const auto changed = seen(std::vector<std::string>{"Pictures", "Pictures\\desktop.ini"});
    EXPECT_EQ(changed.at("Pictures"), (Seen{"DS", kCreated2001}));
    EXPECT_EQ(changed.at("Pictures\\desktop.ini").letters, "HS");
    click(w, 7);
    EXPECT_EQ(seen("Pictures"), (Seen{"DA", kCreated2001}));
    EXPECT_FALSE(exists(shared("Pictures/desktop.ini")));
}

// Records as each writer leaves them, planted on folders and a file of the share: Samba reads
// them as we do, and reads what we write over them, with the creation time they carried.
TEST_F(SambaShare, EveryFormOfTheRecordMeansTheSameToSambaAndToUs) {
    struct Case {
        const char* name;
        bool file;
        std::string stored;
        const char* letters;  // what Samba lists before
        std::uint32_t ours;   // what we read
        const char* hidden;   // what Samba lists after we hide it
        bool record;          // a record, carrying 2001-02-03 04:05:06 as the creation time
    };
    const std::vector<Case> cases = {
        {"v5", false, hexBytes("00 | 00 | 05 00 05 00 | 00 00 | 11 00 00 00 | 16 00 00 00 |" + kNtTime2001), "DHS", 6,
         "DHS", true},
        {"v5text", false, hexBytes("30 78 36 00 | 05 00 05 00 | 11 00 00 00 | 14 00 00 00 |" + kNtTime2001), "DS", 4,
         "DHS", true},
        {"v5noflag", false, hexBytes("00 | 00 | 05 00 05 00 | 00 00 | 10 00 00 00 | 12 00 00 00 |" + kNtTime2001), "DH",
         2, "DHS", true},
        {"v4", false,
         hexBytes("00 | 00 | 04 00 04 00 | 00 00 | 51 00 00 00 | 10 00 00 00 |" + kNtTime2001 + kNtTime2001), "D", 0,
         "DHS", true},
        {"v4file", true,
         hexBytes("00 | 00 | 04 00 04 00 | 00 00 | 51 00 00 00 | 20 00 00 00 |" + kNtTime2001 + kNtTime2001), "A", 0x20,
         "HS", true},
        {"v3", false,
         hexBytes("30 78 31 32 00 | 00 | 03 00 03 00 | 00 00 | 11 00 00 00 | 12 00 00 00 | 00 00 00 00 |"
                  " 00 00 00 00 00 00 00 00 | 00 00 00 00 00 00 00 00 |" +
                  kNtTime2001 + "00 00 00 00 00 00 00 00"),
         "DH", 2, "DHS", true},
        {"v1", false,
         hexBytes("30 78 31 34 00 | 00 | 01 00 01 00 | 00 00 | 14 00 00 00 | 00 00 00 00 |"
                  " 00 00 00 00 00 00 00 00 | 00 00 00 00 00 00 00 00 |" +
                  kNtTime2001 + kNtTime2001),
         "DS", 4, "DHS", true},
        {"textnul", false, "0x12\0"s, "DH", 2, "DHS", false},
        {"wine", false, "0x4"s, "DS", 4, "DHS", false},
    };
    std::vector<std::string> names;
    for (const Case& c : cases) {
        const std::string path = shared(c.name);
        if (c.file)
            writeBytes(path, "x");
        else
            makeDir(path);
        ASSERT_EQ(::setxattr(path.c_str(), "user.DOSATTRIB", c.stored.data(), c.stored.size(), 0), 0) << c.name;
        names.push_back(c.name);
    }
    // Without a record Samba keeps no creation time of its own: only the letters count there.
    auto created = [&](const Case& c) { return c.record ? kCreated2001 : std::string("-"); };
    auto withoutTime = [&](const Case& c, Seen seen) {
        if (!c.record) seen.created = "-";
        return seen;
    };
    const auto before = seen(names);
    for (const Case& c : cases) {
        EXPECT_EQ(withoutTime(c, before.at(c.name)), (Seen{c.letters, created(c)})) << c.name;
        EXPECT_EQ(fs.attributes(shared(c.name)), c.ours) << c.name;
        fs.setAttributes(shared(c.name), attr::Hidden | attr::System);
    }
    const auto hidden = seen(names);
    for (const Case& c : cases) {
        EXPECT_EQ(withoutTime(c, hidden.at(c.name)), (Seen{c.hidden, created(c)})) << c.name;
        fs.setAttributes(shared(c.name), attr::Archive);
    }
    const auto shown = seen(names);
    for (const Case& c : cases)
        EXPECT_EQ(withoutTime(c, shown.at(c.name)), (Seen{c.file ? "A" : "DA", created(c)})) << c.name;
}

}  // namespace
}  // namespace quorvane
