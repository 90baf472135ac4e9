#include "platform/FolderTree.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/posix/PosixIo.h"

namespace quorvane {

namespace {

class FolderTreePosix final : public FolderTree {
public:
    std::vector<std::string> subfolders(const std::string& folder) override {
        const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) throw posix::errnoError(errno, folder, errc::PathNotFound);
        struct stat self {};
        if (::fstat(fd, &self) != 0) {
            const int err = errno;
            ::close(fd);
            throw posix::errnoError(err, folder, errc::PathNotFound);
        }
        DIR* dir = ::fdopendir(fd);
        if (!dir) {
            const int err = errno;
            ::close(fd);
            throw posix::errnoError(err, folder, errc::PathNotFound);
        }
        const std::string prefix = folder.ends_with('/') ? folder : folder + '/';
        std::vector<std::string> result;
        errno = 0;
        while (const dirent* entry = ::readdir(dir)) {
            const std::string_view name = entry->d_name;
            if (name == "." || name == "..") continue;
            struct stat st {};
            // Never through a link; a folder of another device is a mount point, left out.
            if (::fstatat(fd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
            if (S_ISDIR(st.st_mode) && st.st_dev == self.st_dev) result.push_back(prefix + entry->d_name);
            errno = 0;
        }
        const int err = errno;
        ::closedir(dir);
        if (err != 0) throw posix::errnoError(err, folder, errc::PathNotFound);
        std::sort(result.begin(), result.end());
        return result;
    }
};

}  // namespace

std::unique_ptr<FolderTree> makeFolderTree() { return std::make_unique<FolderTreePosix>(); }

std::string programDirectory() {
    std::string path(256, '\0');
    for (;;) {
        const ssize_t n = ::readlink("/proc/self/exe", path.data(), path.size());
        if (n < 0) return ".";
        if (static_cast<std::size_t>(n) < path.size()) {
            path.resize(static_cast<std::size_t>(n));
            break;
        }
        path.resize(path.size() * 2);
    }
    const std::size_t slash = path.find_last_of('/');
    return slash == 0 || slash == std::string::npos ? std::string("/") : path.substr(0, slash);
}

}  // namespace quorvane
