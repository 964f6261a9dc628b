// File services on Windows. Paths are the program's code page 1251 texts and
// go to the wide functions, so they name the same file on a system of any
// code page.
#include <windows.h>

#include <algorithm>
#include <optional>

#include "core/code_page.h"
#include "core/file_stream.h"
#include "core/native_file.h"

namespace core::native {

namespace {
HANDLE asHandle(NativeHandle handle) { return reinterpret_cast<HANDLE>(handle); }

// One ReadFile or WriteFile call moves at most this much.
constexpr std::size_t kLargestCall = 1U << 30;

std::string folderOf(const std::string& path) {
    const auto separator = path.find_last_of("\\/");
    if (separator == std::string::npos) return ".";
    if (separator == 0 || path[separator - 1] == ':') return path.substr(0, separator + 1);
    return path.substr(0, separator);
}
}  // namespace

NativeHandle openFile(const std::string& fileName, std::uint32_t mode) {
    const DWORD access = mode & 0xF0000000U;
    const DWORD disposition = (mode >> 8) & 0xFFU;
    const DWORD share = mode & 0xFFU;
    const HANDLE handle =
        CreateFileW(toWide(fileName).c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    return reinterpret_cast<NativeHandle>(handle);
}

void closeFile(NativeHandle handle) {
    if (handle != kInvalidHandle) CloseHandle(asHandle(handle));
}

std::int64_t seekFile(NativeHandle handle, std::int64_t offset, FileStream::Origin origin) {
    if (handle == kInvalidHandle) return -1;
    LONG high = static_cast<LONG>(offset >> 32);
    SetLastError(NO_ERROR);
    const DWORD low = SetFilePointer(asHandle(handle), static_cast<LONG>(offset & 0xFFFFFFFF), &high,
                                     static_cast<DWORD>(origin));
    if (low == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR) return -1;
    return (static_cast<std::int64_t>(high) << 32) | low;
}

std::int64_t fileSize(NativeHandle handle) {
    if (handle == kInvalidHandle) return -1;
    DWORD high = 0;
    SetLastError(NO_ERROR);
    const DWORD low = GetFileSize(asHandle(handle), &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return -1;
    return (static_cast<std::int64_t>(high) << 32) | low;
}

std::size_t readFile(NativeHandle handle, void* buffer, std::size_t count) {
    if (handle == kInvalidHandle) return 0;
    std::size_t done = 0;
    while (done < count) {
        DWORD got = 0;
        const auto ask = static_cast<DWORD>(std::min(count - done, kLargestCall));
        if (!ReadFile(asHandle(handle), static_cast<char*>(buffer) + done, ask, &got, nullptr) || got == 0) break;
        done += got;
    }
    return done;
}

std::size_t writeFile(NativeHandle handle, const void* buffer, std::size_t count) {
    if (handle == kInvalidHandle) return 0;
    std::size_t done = 0;
    while (done < count) {
        DWORD put = 0;
        const auto ask = static_cast<DWORD>(std::min(count - done, kLargestCall));
        if (!WriteFile(asHandle(handle), static_cast<const char*>(buffer) + done, ask, &put, nullptr) || put == 0) break;
        done += put;
    }
    return done;
}

bool truncateFile(NativeHandle handle) { return handle != kInvalidHandle && SetEndOfFile(asHandle(handle)) != 0; }

bool syncFile(NativeHandle handle) { return handle != kInvalidHandle && FlushFileBuffers(asHandle(handle)) != 0; }

bool beginAtomicSave(const std::string& fileName, AtomicSaveTarget& target) {
    target.finalPath = fileName;
    wchar_t temporary[MAX_PATH];
    if (GetTempFileNameW(toWide(folderOf(fileName)).c_str(), L"skv", 0, temporary) == 0) return false;
    target.temporaryPath = fromWide(temporary);
    return true;
}

bool finishAtomicSave(const AtomicSaveTarget& target) {
    return MoveFileExW(toWide(target.temporaryPath).c_str(), toWide(target.finalPath).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

void removeFile(const std::string& fileName) { DeleteFileW(toWide(fileName).c_str()); }

std::vector<std::string> fileNamesIn(const std::string& folder) {
    std::wstring pattern = toWide(folder);
    if (!pattern.empty() && pattern.back() != L'\\' && pattern.back() != L'/') pattern += L'\\';
    pattern += L'*';
    std::vector<std::string> names;
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
        if (std::optional<std::string> name = fromWideExactly(found.cFileName)) names.push_back(std::move(*name));
    } while (FindNextFileW(search, &found) != 0);
    FindClose(search);
    return names;
}

}  // namespace core::native

namespace core {

bool folderExists(const std::string& path) {
    const UINT previousMode = SetErrorMode(SEM_FAILCRITICALERRORS);
    const DWORD attributes = GetFileAttributesW(toWide(path).c_str());
    SetErrorMode(previousMode);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace core
