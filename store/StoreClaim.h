#pragma once
// The claim that keeps a store file to one open DrawStore.

#include <string>
#include <utility>

#include "store/DrawStore.h"
#include "store/FileSystem.h"

namespace tricala::detail {

// The claim on a store: an exclusive lock on the side file "<file>-lock"
// (an flock on POSIX, an unshared handle on Windows; store/FileSystem.h).
//
// An open store holds its claim, taken before the store file is touched; a
// second Open, from this process or another, finds it taken and reports InUse
// without reading or writing the store. The side file is removed when the
// store closes.
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
    void MoveTo(ClaimHandle* handle, std::string* path) {
        *handle = std::exchange(handle_, kNoClaim);
        *path = std::move(path_);
    }

    static void Release(ClaimHandle handle, const std::string& path) { ReleaseClaim(handle, path); }

private:
    void Release() { Release(std::exchange(handle_, kNoClaim), path_); }

    ClaimHandle handle_ = kNoClaim;
    std::string path_;
};

}  // namespace tricala::detail
