// Runs one file operation of the Linux file services and prints "ok" or the error's number and
// description: file_replacement_posix_test runs it as a normal user (under setpriv), where
// permissions count, which they do not for the tests' own user, root.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/Error.h"
#include "platform/posix/FileSystem.h"
#include "platform/posix/IniWriter.h"

int main(int argc, char* argv[]) {
    using namespace quorvane;
    const std::string command = argc > 1 ? argv[1] : "";
    try {
        if (command == "write" && argc == 4) {
            FileSystemPosix().writeFile(argv[2], argv[3]);
        } else if (command == "ini" && argc == 5) {
            IniWriterPosix().writeString(".ShellClassInfo", argv[3], std::string(argv[4]), argv[2]);
        } else if (command == "attributes" && argc == 4) {
            FileSystemPosix().setAttributes(argv[2], static_cast<std::uint32_t>(std::strtoul(argv[3], nullptr, 0)));
        } else {
            std::fputs("usage: files_probe write PATH CONTENT | ini FILE KEY VALUE | attributes PATH VALUE\n", stderr);
            return 2;
        }
        std::puts("ok");
    } catch (const PlatformError& error) {
        std::printf("error %d: %s\n", error.number(), error.description().c_str());
    }
    return 0;
}
