#include <unistd.h>

#include <cstdlib>

#include "platform/InstallFacts.h"

namespace quorvane {

InstallFacts installFactsFor(const std::string& applicationDirectory) {
    InstallFacts facts;
    facts.systemProgramFolders = {QUORVANE_INSTALL_BINDIR, "/usr/bin", "/usr/local/bin", "/bin", "/usr/games"};
    facts.applicationDirectoryWritable = ::access(applicationDirectory.c_str(), W_OK) == 0;
    facts.userDataFolder = userDataFolderFrom(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
    return facts;
}

}  // namespace quorvane
