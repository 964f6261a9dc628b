// File streams: reading and writing files through a table of operations,
// saving a file in one step, and the folder-exists test.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "core/object.h"

namespace core {

// The system's native file handle, widened to one integer type.
using NativeHandle = std::intptr_t;

// A file stream: a native handle and a table of five operations. The read
// variant reads and never writes; the write variant writes, and every write
// leaves the end of the file at the last byte written.
//
// Small reads and writes are gathered in a buffer so that a record made of
// many small fields costs few system calls; what a caller sees (counts,
// position, size, the file's end) is the same as without it. A read stream
// reads ahead little at first and twice as much at each refill, up to the
// buffer's size, so that reading only the start of a file (the header and
// the materials of a model) costs little.
class FileStream : public ToolkitObject {
public:
    enum Origin : std::int32_t { FromStart = 0, FromCurrent = 1, FromEnd = 2 };

    struct Operations {
        std::int64_t (*seek)(FileStream&, std::int64_t offset, Origin origin);
        std::int64_t (*size)(FileStream&);
        std::size_t (*read)(FileStream&, void* buffer, std::size_t count);
        std::size_t (*write)(FileStream&, const void* buffer, std::size_t count);
        void (*close)(FileStream&);
    };

    // Opening modes: access in the top bits, creation disposition in bits
    // 8 to 15, share mode in bits 0 to 7.
    static constexpr std::uint32_t kReadMode = 0x80000301;   // read, open existing, share read
    static constexpr std::uint32_t kWriteMode = 0x40000201;  // write, create always, share read

    FileStream(const std::string& fileName, std::uint32_t mode, const Operations& operations);

    bool isOpen() const;

    std::int64_t seek(std::int64_t offset, Origin origin) { return operations_->seek(*this, offset, origin); }
    std::int64_t size() { return operations_->size(*this); }
    std::size_t read(void* buffer, std::size_t count) { return operations_->read(*this, buffer, count); }
    std::size_t write(const void* buffer, std::size_t count) { return operations_->write(*this, buffer, count); }
    std::int64_t position() { return seek(0, FromCurrent); }
    void close() { operations_->close(*this); }

    // Writes out what is gathered and asks the system to put the file on
    // the disk. False when any write since opening failed.
    bool commit();

    static const Operations kReadOperations;
    static const Operations kWriteOperations;

protected:
    ~FileStream() override;

private:
    friend struct StreamOperations;

    static constexpr std::size_t kBufferSize = 64 * 1024;
    static constexpr std::size_t kFirstReadAhead = 4 * 1024;

    NativeHandle handle_;
    std::unique_ptr<std::uint8_t[]> buffer_;
    std::size_t bufferFill_ = 0;  // bytes in the buffer
    std::size_t bufferRead_ = 0;  // read stream: bytes of the buffer already handed out
    std::size_t readAhead_ = kFirstReadAhead;  // read stream: the bytes the next refill asks for
    bool writeFailed_ = false;
    const Operations* operations_;
};

Ref<FileStream> openFileForReading(const std::string& fileName);
Ref<FileStream> createFileForWriting(const std::string& fileName);

// Writes a file through a temporary file in the same folder that replaces
// the target in one step, so the target is either the old file or the whole
// new one. `writeContents` returns false to give up; the target then stays
// as it was and the temporary file is removed.
bool saveFileAtomically(const std::string& fileName, const std::function<bool(FileStream&)>& writeContents);

// Whether `path` names an existing folder. On Windows the system's
// critical-error boxes (a drive without a disk) are off for the test.
bool folderExists(const std::string& path);

}  // namespace core
