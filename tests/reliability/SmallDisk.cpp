#include "tests/reliability/SmallDisk.h"

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <vector>

namespace tricala::test {

SmallDisk::SmallDisk(long long bytes) {
    std::string pattern = (std::filesystem::temp_directory_path() / "tricala-disk-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    folder_ = pattern;
    const std::string options = "size=" + std::to_string(bytes) + ",mode=0777";
    if (::mount("tricala-test", folder_.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) == 0) {
        mounted_ = true;
    } else {
        problem_ = "cannot mount a tmpfs on " + folder_ + ": " + std::strerror(errno);
    }
}

SmallDisk::~SmallDisk() {
    if (mounted_) ::umount2(folder_.c_str(), MNT_DETACH);
    ::rmdir(folder_.c_str());
}

void SmallDisk::FillLeaving(long long room) {
    const std::string filler = file("filler");
    const int fd = ::open(filler.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) throw std::runtime_error("cannot create " + filler);
    const std::vector<char> chunk(65536, 'f');
    long long written = 0;
    // Big writes first, then ever smaller ones, until not a byte fits.
    for (size_t size = chunk.size(); size > 0; size /= 2) {
        ssize_t n;
        while ((n = ::write(fd, chunk.data(), size)) > 0) written += n;
        if (n < 0 && errno != ENOSPC) {
            ::close(fd);
            throw std::runtime_error("filling the disk: " + std::string(std::strerror(errno)));
        }
    }
    const int truncated = room > 0 ? ::ftruncate(fd, written > room ? written - room : 0) : 0;
    ::close(fd);
    if (truncated != 0) throw std::runtime_error("cannot make room on the disk");
    if (room == 0 && FreeBytes() != 0) throw std::runtime_error("the disk did not fill");
}

void SmallDisk::Free() { ::unlink(file("filler").c_str()); }

long long SmallDisk::FreeBytes() const {
    struct statvfs info;
    if (::statvfs(folder_.c_str(), &info) != 0) return -1;
    return static_cast<long long>(info.f_bavail) * static_cast<long long>(info.f_frsize);
}

}  // namespace tricala::test
