#pragma once
// A small file system of its own (tmpfs), to fill up on purpose.

#include <string>

namespace tricala::test {

class SmallDisk {
public:
    // Mounts a tmpfs of `bytes` on a fresh folder. Needs the right to mount
    // (root in a normal system); when refused, mounted() is false and
    // problem() says why.
    explicit SmallDisk(long long bytes);
    ~SmallDisk();  // removes the filler, unmounts, removes the folder
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool mounted() const { return mounted_; }
    const std::string& problem() const { return problem_; }
    std::string file(const std::string& name) const { return folder_ + "/" + name; }

    // Takes all free space but `room` bytes (rounded to whole pages) with a
    // filler file. Throws when the disk does not fill.
    void FillLeaving(long long room);
    // Removes the filler.
    void Free();
    long long FreeBytes() const;

private:
    std::string folder_;
    bool mounted_ = false;
    std::string problem_;
};

}  // namespace tricala::test
