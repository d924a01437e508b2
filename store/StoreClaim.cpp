#include "store/StoreClaim.h"

#include <filesystem>

namespace tricala::detail {

OpenError Claim::Take(const std::string& storePath, std::string* detail) {
    // By the file's canonical name, so every name of the same file
    // (relative, absolute, through a link) meets the same claim.
    std::error_code ec;
    const std::filesystem::path canonical = std::filesystem::canonical(PathFromUtf8(storePath), ec);
    path_ = (ec ? storePath : Utf8FromPath(canonical)) + "-lock";
    return TakeClaim(path_, &handle_, detail);
}

}  // namespace tricala::detail
