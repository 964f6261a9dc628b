// File services on POSIX systems. Share modes have no counterpart here and
// are not enforced.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <vector>

#include "core/code_page.h"
#include "core/file_stream.h"
#include "core/native_file.h"

namespace core::native {

namespace {
constexpr std::uint32_t kGenericRead = 0x80000000;
constexpr std::uint32_t kGenericWrite = 0x40000000;
constexpr std::uint32_t kCreateAlways = 2;

std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}
}  // namespace

NativeHandle openFile(const std::string& fileName, std::uint32_t mode) {
    const bool reads = (mode & kGenericRead) != 0;
    const bool writes = (mode & kGenericWrite) != 0;
    int flags = O_CLOEXEC | (reads && writes ? O_RDWR : writes ? O_WRONLY : O_RDONLY);
    if (((mode >> 8) & 0xFF) == kCreateAlways) flags |= O_CREAT | O_TRUNC;
    const int fd = ::open(fileName.c_str(), flags, 0666);
    if (fd < 0) return kInvalidHandle;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {  // a folder is no file
        ::close(fd);
        return kInvalidHandle;
    }
    return fd;
}

void closeFile(NativeHandle handle) {
    if (handle != kInvalidHandle) ::close(static_cast<int>(handle));
}

std::int64_t seekFile(NativeHandle handle, std::int64_t offset, FileStream::Origin origin) {
    if (handle == kInvalidHandle) return -1;
    const int whence = origin == FileStream::FromStart ? SEEK_SET : origin == FileStream::FromEnd ? SEEK_END : SEEK_CUR;
    return ::lseek(static_cast<int>(handle), offset, whence);
}

std::int64_t fileSize(NativeHandle handle) {
    struct stat info {};
    if (handle == kInvalidHandle || ::fstat(static_cast<int>(handle), &info) != 0) return -1;
    return info.st_size;
}

std::size_t readFile(NativeHandle handle, void* buffer, std::size_t count) {
    if (handle == kInvalidHandle) return 0;
    std::size_t done = 0;
    while (done < count) {
        const ssize_t got = ::read(static_cast<int>(handle), static_cast<char*>(buffer) + done, count - done);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        done += static_cast<std::size_t>(got);
    }
    return done;
}

std::size_t writeFile(NativeHandle handle, const void* buffer, std::size_t count) {
    if (handle == kInvalidHandle) return 0;
    std::size_t done = 0;
    while (done < count) {
        const ssize_t put = ::write(static_cast<int>(handle), static_cast<const char*>(buffer) + done, count - done);
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) break;
        done += static_cast<std::size_t>(put);
    }
    return done;
}

bool truncateFile(NativeHandle handle) {
    const std::int64_t at = seekFile(handle, 0, FileStream::FromCurrent);
    return at >= 0 && ::ftruncate(static_cast<int>(handle), at) == 0;
}

bool syncFile(NativeHandle handle) { return handle != kInvalidHandle && ::fsync(static_cast<int>(handle)) == 0; }

bool beginAtomicSave(const std::string& fileName, AtomicSaveTarget& target) {
    target.finalPath = fileName;
    struct stat link {};
    if (::lstat(fileName.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
        char resolved[PATH_MAX];
        if (::realpath(fileName.c_str(), resolved) != nullptr) target.finalPath = resolved;
    }
    const std::string folder = folderOf(target.finalPath);
    std::string pattern = folder + "/.skirvane-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0) return false;
    // The new file takes the permissions of the one it replaces, or those a
    // newly created file would get.
    struct stat existing {};
    mode_t permissions = 0;
    if (::stat(target.finalPath.c_str(), &existing) == 0) {
        permissions = existing.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        permissions = 0666 & ~mask;
    }
    ::fchmod(fd, permissions);
    ::close(fd);
    target.temporaryPath = name.data();
    return true;
}

bool finishAtomicSave(const AtomicSaveTarget& target) {
    return ::rename(target.temporaryPath.c_str(), target.finalPath.c_str()) == 0;
}

void removeFile(const std::string& fileName) { ::unlink(fileName.c_str()); }

std::vector<std::string> fileNamesIn(const std::string& folder) {
    std::vector<std::string> names;
    DIR* listing = ::opendir(folder.empty() ? "." : folder.c_str());
    if (listing == nullptr) return names;
    while (const dirent* entry = ::readdir(listing)) {
        bool isFolder = entry->d_type == DT_DIR;
        if (entry->d_type == DT_UNKNOWN) {
            struct stat info {};
            isFolder = ::fstatat(::dirfd(listing), entry->d_name, &info, 0) == 0 && S_ISDIR(info.st_mode);
        }
        std::string name;
        if (!isFolder && utf8ToCp1251(entry->d_name, name) == Utf8Conversion::Converted)
            names.push_back(std::move(name));
    }
    ::closedir(listing);
    return names;
}

}  // namespace core::native

namespace core {

bool folderExists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace core
