#pragma once
// The operating system's file calls that the store and the history import
// need, one implementation per system (FileSystemPosix.cpp,
// FileSystemWindows.cpp). Paths are UTF-8 everywhere, as SQLite takes them.
// An error text is the system's own words, without the path.

#include <cstdint>
#include <filesystem>
#include <string>

#include "store/DrawStore.h"

namespace tricala::detail {

// UTF-8 text to a path and back. std::filesystem reads a narrow string in the
// system's code page, which on Windows is not UTF-8.
std::filesystem::path PathFromUtf8(const std::string& text);
std::string Utf8FromPath(const std::filesystem::path& path);

enum class PathKind {
    Missing,      // nothing of that name, or a folder on the way is missing
    RegularFile,
    Other,        // a folder, device, pipe, ...
    Unknown,      // the system could not tell; `error` says why
};

struct PathStatus {
    PathKind kind = PathKind::Unknown;
    long long size = 0;  // bytes, when the path exists
    std::string error;   // set for Missing and Unknown

    bool Exists() const { return kind == PathKind::RegularFile || kind == PathKind::Other; }
};

// What is at `path`, following a symbolic link to its target.
PathStatus StatusOf(const std::string& path);
// What is at `path` itself: a symbolic link is Other.
PathStatus LinkStatusOf(const std::string& path);

// Whether this process may read / write the file, or create files in the
// folder. False with the reason in `error`.
bool CanReadFile(const std::string& path, std::string* error);
bool CanWriteFile(const std::string& path, std::string* error);
bool CanWriteFolder(const std::string& path, std::string* error);

// Makes a new empty file; fails when anything of that name exists.
bool CreateNewFile(const std::string& path, std::string* error);
void RemoveFile(const std::string& path);

// Writes the file's data through to the disk. A file that cannot be opened
// counts as done: only a failed flush is an error.
bool FlushFile(const std::string& path, std::string* error);
// Makes a completed rename in `folder` survive a power loss, where the system
// needs that done separately. Best effort.
void FlushFolder(const std::string& folder);

enum class MoveResult { Moved, TargetExists, Failed };
// Renames `from` to `to` unless something named `to` exists; never replaces.
MoveResult MoveWithoutReplacing(const std::string& from, const std::string& to, std::string* error);

long long CurrentProcessId();

// The exclusive claim on a lock file (see store/StoreClaim.h): a descriptor
// on POSIX, a handle on Windows.
using ClaimHandle = std::intptr_t;
constexpr ClaimHandle kNoClaim = -1;

// Takes the claim on `lockPath`, making the file if need be. Gives None and
// the handle, InUse when another holder has it, or NotAStore/ReadOnly when
// the file cannot be made; `detail` then names the lock file and the reason.
OpenError TakeClaim(const std::string& lockPath, ClaimHandle* handle, std::string* detail);
// Lets go of a claim and removes its lock file. kNoClaim does nothing.
void ReleaseClaim(ClaimHandle handle, const std::string& lockPath);

}  // namespace tricala::detail
