// The file calls of store/FileSystem.h on Windows, through the wide (UTF-16)
// Win32 calls: a narrow Win32 call would read the UTF-8 path in the ANSI
// code page.

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <iterator>
#include <string>

#include "store/FileSystem.h"

namespace tricala::detail {
namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

std::wstring Wide(const std::string& text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), length);
    return wide;
}

std::string Narrow(const std::wstring& text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), size, narrow.data(), length, nullptr, nullptr);
    return narrow;
}

// The system's message for an error code, without the closing ". \r\n".
std::string SystemErrorText(DWORD code) {
    wchar_t buffer[512];
    DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                                  buffer, static_cast<DWORD>(std::size(buffer)), nullptr);
    while (length > 0 && (buffer[length - 1] == L'\n' || buffer[length - 1] == L'\r' ||
                          buffer[length - 1] == L' ' || buffer[length - 1] == L'.')) {
        --length;
    }
    if (length == 0) return "system error " + std::to_string(code);
    return Narrow(std::wstring(buffer, length));
}

class Handle {
public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() {
        if (Valid()) CloseHandle(handle_);
    }
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }

private:
    HANDLE handle_;
};

Handle OpenExisting(const std::string& path, DWORD access, DWORD flags) {
    return Handle(CreateFileW(Wide(path).c_str(), access, kShareAll, nullptr, OPEN_EXISTING, flags, nullptr));
}

PathStatus Failed(DWORD code) {
    PathStatus status;
    status.kind = code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND ? PathKind::Missing : PathKind::Unknown;
    status.error = SystemErrorText(code);
    return status;
}

PathStatus Found(DWORD attributes, DWORD sizeHigh, DWORD sizeLow) {
    PathStatus status;
    const DWORD notAFile = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE;
    status.kind = (attributes & notAFile) != 0 ? PathKind::Other : PathKind::RegularFile;
    status.size = static_cast<long long>((static_cast<unsigned long long>(sizeHigh) << 32) | sizeLow);
    return status;
}

// What a link, or any other reparse point, leads to: a handle opened without
// FILE_FLAG_OPEN_REPARSE_POINT is one on the target.
PathStatus TargetStatus(const std::string& path) {
    const Handle target = OpenExisting(path, FILE_READ_ATTRIBUTES, FILE_FLAG_BACKUP_SEMANTICS);
    BY_HANDLE_FILE_INFORMATION info{};
    if (!target.Valid() || !GetFileInformationByHandle(target.Get(), &info)) return Failed(GetLastError());
    return Found(info.dwFileAttributes, info.nFileSizeHigh, info.nFileSizeLow);
}

// Symbolic links and junctions are links; other reparse points (cloud
// placeholders, deduplicated files) stand for the file itself.
bool IsLink(const std::string& path) {
    const Handle self =
        OpenExisting(path, FILE_READ_ATTRIBUTES, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT);
    FILE_ATTRIBUTE_TAG_INFO tag{};
    return self.Valid() && GetFileInformationByHandleEx(self.Get(), FileAttributeTagInfo, &tag, sizeof tag) &&
           (tag.ReparseTag == IO_REPARSE_TAG_SYMLINK || tag.ReparseTag == IO_REPARSE_TAG_MOUNT_POINT);
}

PathStatus Status(const std::string& path, bool followLinks) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(Wide(path).c_str(), GetFileExInfoStandard, &data)) return Failed(GetLastError());
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        if (!followLinks && IsLink(path)) {
            PathStatus link = Found(data.dwFileAttributes, data.nFileSizeHigh, data.nFileSizeLow);
            link.kind = PathKind::Other;
            return link;
        }
        return TargetStatus(path);
    }
    return Found(data.dwFileAttributes, data.nFileSizeHigh, data.nFileSizeLow);
}

// The checks ask about permission: a file another program holds open
// without sharing passes, and the claim or SQLite reports it when opening.
bool Openable(const std::string& path, DWORD access, DWORD flags, std::string* error) {
    if (OpenExisting(path, access, flags).Valid()) return true;
    const DWORD code = GetLastError();
    if (code == ERROR_SHARING_VIOLATION) return true;
    *error = SystemErrorText(code);
    return false;
}

}  // namespace

std::filesystem::path PathFromUtf8(const std::string& text) { return std::filesystem::path(Wide(text)); }

std::string Utf8FromPath(const std::filesystem::path& path) { return Narrow(path.wstring()); }

PathStatus StatusOf(const std::string& path) { return Status(path, true); }

PathStatus LinkStatusOf(const std::string& path) { return Status(path, false); }

bool CanReadFile(const std::string& path, std::string* error) {
    return Openable(path, GENERIC_READ, FILE_ATTRIBUTE_NORMAL, error);
}

// A file with the read-only attribute, or without write permission for us,
// cannot be opened for writing; opening it writes nothing.
bool CanWriteFile(const std::string& path, std::string* error) {
    return Openable(path, GENERIC_WRITE, FILE_ATTRIBUTE_NORMAL, error);
}

// The read-only attribute of a folder does not stop files being made in it;
// the right to add a file does.
bool CanWriteFolder(const std::string& path, std::string* error) {
    return Openable(path, FILE_ADD_FILE, FILE_FLAG_BACKUP_SEMANTICS, error);
}

bool CreateNewFile(const std::string& path, std::string* error) {
    const Handle file(
        CreateFileW(Wide(path).c_str(), GENERIC_WRITE, kShareAll, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.Valid()) return true;
    *error = SystemErrorText(GetLastError());
    return false;
}

void RemoveFile(const std::string& path) { DeleteFileW(Wide(path).c_str()); }

bool FlushFile(const std::string& path, std::string* error) {
    const Handle file = OpenExisting(path, GENERIC_WRITE, FILE_ATTRIBUTE_NORMAL);
    if (!file.Valid()) return true;
    if (FlushFileBuffers(file.Get())) return true;
    *error = SystemErrorText(GetLastError());
    return false;
}

// Windows has no flush of a folder; MoveWithoutReplacing asks for a
// write-through move instead.
void FlushFolder(const std::string&) {}

MoveResult MoveWithoutReplacing(const std::string& from, const std::string& to, std::string* error) {
    // Without MOVEFILE_REPLACE_EXISTING the move fails when `to` exists.
    if (MoveFileExW(Wide(from).c_str(), Wide(to).c_str(), MOVEFILE_WRITE_THROUGH)) return MoveResult::Moved;
    const DWORD code = GetLastError();
    if (code == ERROR_ALREADY_EXISTS || code == ERROR_FILE_EXISTS) return MoveResult::TargetExists;
    *error = SystemErrorText(code);
    return MoveResult::Failed;
}

long long CurrentProcessId() { return static_cast<long long>(GetCurrentProcessId()); }

// The claim is a handle that shares nothing: while it is open, any other
// CreateFileW of the lock file fails with ERROR_SHARING_VIOLATION. The system
// closes the handle when the process ends, however it ends, and
// FILE_FLAG_DELETE_ON_CLOSE then removes the file. A link named like the lock
// file is opened itself, not followed, so closing never removes its target.
OpenError TakeClaim(const std::string& lockPath, ClaimHandle* handle, std::string* detail) {
    const HANDLE lock =
        CreateFileW(Wide(lockPath).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (lock != INVALID_HANDLE_VALUE) {
        *handle = reinterpret_cast<ClaimHandle>(lock);
        return OpenError::None;
    }
    const DWORD code = GetLastError();
    if (code == ERROR_SHARING_VIOLATION) {
        *detail = "the store is in use by another instance (" + lockPath + " is locked)";
        return OpenError::InUse;
    }
    *detail = lockPath + ": " + SystemErrorText(code);
    return code == ERROR_ACCESS_DENIED || code == ERROR_WRITE_PROTECT ? OpenError::ReadOnly : OpenError::NotAStore;
}

// Closing the handle removes the lock file (FILE_FLAG_DELETE_ON_CLOSE).
void ReleaseClaim(ClaimHandle handle, const std::string&) {
    if (handle == kNoClaim) return;
    CloseHandle(reinterpret_cast<HANDLE>(handle));
}

}  // namespace tricala::detail
