// The few file services the streams need from the system. One source file
// per platform implements them (Win32 and POSIX).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/file_stream.h"

namespace core::native {

constexpr NativeHandle kInvalidHandle = -1;

// `mode` packs access, creation disposition and share mode as FileStream
// describes. Gives kInvalidHandle when the file cannot be opened.
NativeHandle openFile(const std::string& fileName, std::uint32_t mode);
void closeFile(NativeHandle handle);
// The new position, or -1 when the move fails (the position then stays).
std::int64_t seekFile(NativeHandle handle, std::int64_t offset, FileStream::Origin origin);
// The size in bytes, or -1 when it cannot be had.
std::int64_t fileSize(NativeHandle handle);
// Reads or writes up to `count` bytes, as many calls as the system needs;
// gives the bytes moved (fewer at the end of the file or on failure).
std::size_t readFile(NativeHandle handle, void* buffer, std::size_t count);
std::size_t writeFile(NativeHandle handle, const void* buffer, std::size_t count);
// Makes the current position the end of the file.
bool truncateFile(NativeHandle handle);
// Asks the system to put what was written on the disk.
bool syncFile(NativeHandle handle);

// Where an atomic save writes: `finalPath` is the file to replace (a link
// is followed, so that the link stays), `temporaryPath` a new empty file in
// the same folder.
struct AtomicSaveTarget {
    std::string finalPath;
    std::string temporaryPath;
};
bool beginAtomicSave(const std::string& fileName, AtomicSaveTarget& target);
// Moves the temporary file over the final one in one step.
bool finishAtomicSave(const AtomicSaveTarget& target);
void removeFile(const std::string& fileName);

// The names of the files in a folder (not of its subfolders) in code page
// 1251, leaving out a name that code page cannot hold; none when the folder
// cannot be read. An empty folder text is the current folder.
std::vector<std::string> fileNamesIn(const std::string& folder);

}  // namespace core::native
