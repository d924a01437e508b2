#pragma once
// The claim that keeps a store file to one open DrawStore.

#include <string>
#include <utility>

#include "store/DrawStore.h"

namespace tricala::detail {

// The claim on a store: an exclusive flock on "<file>-lock".
//
// An open store holds its claim, taken before the store file is touched; a
// second Open, from this process or another, finds it taken and reports InUse
// without reading or writing the store. (flock, unlike the POSIX record locks
// SQLite uses, is not lost when some other descriptor of the same file is
// closed in the process.) The side file is removed when the store closes;
// after a crash it stays, unlocked, and is reused.
class Claim {
public:
    Claim() = default;
    Claim(const Claim&) = delete;
    Claim& operator=(const Claim&) = delete;
    ~Claim() { Release(); }

    // Gives None, InUse when another holder has it, or NotAStore/ReadOnly
    // when the side file cannot be made.
    OpenError Take(const std::string& storePath, std::string* detail);

    // Hands the claim over to a store.
    void MoveTo(int* fd, std::string* path) {
        *fd = std::exchange(fd_, -1);
        *path = std::move(path_);
    }

    static void Release(int fd, const std::string& path);

private:
    void Release() { Release(std::exchange(fd_, -1), path_); }

    int fd_ = -1;
    std::string path_;
};

}  // namespace tricala::detail
