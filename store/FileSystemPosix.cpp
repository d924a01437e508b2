// The file calls of store/FileSystem.h on POSIX systems (Linux).

#include <fcntl.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "store/FileSystem.h"

namespace tricala::detail {
namespace {

PathStatus StatusFrom(int result, const struct stat& info) {
    PathStatus status;
    if (result != 0) {
        const int err = errno;
        status.kind = err == ENOENT || err == ENOTDIR ? PathKind::Missing : PathKind::Unknown;
        status.error = std::strerror(err);
        return status;
    }
    status.kind = S_ISREG(info.st_mode) ? PathKind::RegularFile : PathKind::Other;
    status.size = info.st_size;
    return status;
}

bool Accessible(const std::string& path, int mode, std::string* error) {
    if (::access(path.c_str(), mode) == 0) return true;
    *error = std::strerror(errno);
    return false;
}

}  // namespace

std::filesystem::path PathFromUtf8(const std::string& text) { return std::filesystem::path(text); }

std::string Utf8FromPath(const std::filesystem::path& path) { return path.string(); }

PathStatus StatusOf(const std::string& path) {
    struct stat info {};
    const int result = ::stat(path.c_str(), &info);
    return StatusFrom(result, info);
}

PathStatus LinkStatusOf(const std::string& path) {
    struct stat info {};
    const int result = ::lstat(path.c_str(), &info);
    return StatusFrom(result, info);
}

bool CanReadFile(const std::string& path, std::string* error) { return Accessible(path, R_OK, error); }

bool CanWriteFile(const std::string& path, std::string* error) { return Accessible(path, W_OK, error); }

bool CanWriteFolder(const std::string& path, std::string* error) { return Accessible(path, W_OK, error); }

bool CreateNewFile(const std::string& path, std::string* error) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        *error = std::strerror(errno);
        return false;
    }
    ::close(fd);
    return true;
}

void RemoveFile(const std::string& path) { ::unlink(path.c_str()); }

bool FlushFile(const std::string& path, std::string* error) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return true;
    const bool synced = ::fsync(fd) == 0;
    const int err = errno;
    ::close(fd);
    if (!synced) *error = std::strerror(err);
    return synced;
}

void FlushFolder(const std::string& folder) {
    if (const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

MoveResult MoveWithoutReplacing(const std::string& from, const std::string& to, std::string* error) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return MoveResult::Moved;
    const int err = errno;
    if (err == EEXIST) return MoveResult::TargetExists;
    // A file system without RENAME_NOREPLACE: a plain rename after a check,
    // which leaves only a short window for a file to appear in.
    if ((err != EINVAL && err != ENOSYS) || std::filesystem::exists(to) || ::rename(from.c_str(), to.c_str()) != 0) {
        *error = std::strerror(errno);
        return MoveResult::Failed;
    }
    return MoveResult::Moved;
}

long long CurrentProcessId() { return ::getpid(); }

// The claim is an exclusive flock. flock, unlike the POSIX record locks
// SQLite uses, is not lost when some other descriptor of the same file is
// closed in the process. After a crash the lock file stays, unlocked, and is
// reused.
OpenError TakeClaim(const std::string& lockPath, ClaimHandle* handle, std::string* detail) {
    for (int attempt = 0; attempt < 20; ++attempt) {
        const int fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (fd < 0) {
            const int err = errno;
            *detail = lockPath + ": " + std::strerror(err);
            return err == EACCES || err == EROFS || err == EPERM ? OpenError::ReadOnly : OpenError::NotAStore;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int err = errno;
            ::close(fd);
            if (err == EWOULDBLOCK) {
                *detail = "the store is in use by another instance (" + lockPath + " is locked)";
                return OpenError::InUse;
            }
            *detail = lockPath + ": " + std::strerror(err);
            return OpenError::NotAStore;
        }
        // The previous holder removes the file when it lets go; a lock
        // on a removed file claims nothing, so make sure it is still
        // the file of that name.
        struct stat held, named;
        if (::fstat(fd, &held) == 0 && ::stat(lockPath.c_str(), &named) == 0 && held.st_dev == named.st_dev &&
            held.st_ino == named.st_ino) {
            *handle = fd;
            return OpenError::None;
        }
        ::close(fd);
    }
    *detail = lockPath + ": cannot take the lock";
    return OpenError::InUse;
}

void ReleaseClaim(ClaimHandle handle, const std::string& lockPath) {
    if (handle < 0) return;
    ::unlink(lockPath.c_str());  // while still holding the lock
    ::close(static_cast<int>(handle));
}

}  // namespace tricala::detail
