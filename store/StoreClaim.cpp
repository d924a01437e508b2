#include "store/StoreClaim.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace tricala::detail {

OpenError Claim::Take(const std::string& storePath, std::string* detail) {
    // By the file's canonical name, so every name of the same file
    // (relative, absolute, through a link) meets the same claim.
    std::error_code ec;
    const std::filesystem::path canonical = std::filesystem::canonical(storePath, ec);
    path_ = (ec ? storePath : canonical.string()) + "-lock";
    for (int attempt = 0; attempt < 20; ++attempt) {
        const int fd = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (fd < 0) {
            const int err = errno;
            *detail = path_ + ": " + std::strerror(err);
            return err == EACCES || err == EROFS || err == EPERM ? OpenError::ReadOnly : OpenError::NotAStore;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int err = errno;
            ::close(fd);
            if (err == EWOULDBLOCK) {
                *detail = "the store is in use by another instance (" + path_ + " is locked)";
                return OpenError::InUse;
            }
            *detail = path_ + ": " + std::strerror(err);
            return OpenError::NotAStore;
        }
        // The previous holder removes the file when it lets go; a lock
        // on a removed file claims nothing, so make sure it is still
        // the file of that name.
        struct stat held, named;
        if (::fstat(fd, &held) == 0 && ::stat(path_.c_str(), &named) == 0 && held.st_dev == named.st_dev &&
            held.st_ino == named.st_ino) {
            fd_ = fd;
            return OpenError::None;
        }
        ::close(fd);
    }
    *detail = path_ + ": cannot take the lock";
    return OpenError::InUse;
}

void Claim::Release(int fd, const std::string& path) {
    if (fd < 0) return;
    ::unlink(path.c_str());  // while still holding the lock
    ::close(fd);
}

}  // namespace tricala::detail
