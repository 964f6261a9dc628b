#include "core/file_stream.h"

#include <algorithm>
#include <cstring>

#include "core/native_file.h"
#include "core/object.h"

namespace core {

// The two operation tables. The buffer holds, for a read stream, bytes read
// ahead from the file position `bufferStart`; for a write stream, bytes not
// yet written that belong at the file's current position.
struct StreamOperations {
    // Logical position of a read stream: the file position of the next byte
    // a caller gets.
    static std::int64_t readPosition(FileStream& s) {
        return native::seekFile(s.handle_, 0, FileStream::FromCurrent) -
               static_cast<std::int64_t>(s.bufferFill_ - s.bufferRead_);
    }

    static std::int64_t readSeek(FileStream& s, std::int64_t offset, FileStream::Origin origin) {
        if (origin == FileStream::FromCurrent) {
            if (offset == 0) return readPosition(s);
            // A move inside the bytes read ahead needs no system call.
            const auto back = static_cast<std::int64_t>(s.bufferRead_);
            const auto ahead = static_cast<std::int64_t>(s.bufferFill_ - s.bufferRead_);
            if (offset >= -back && offset <= ahead) {
                s.bufferRead_ = static_cast<std::size_t>(back + offset);
                return readPosition(s);
            }
            const std::int64_t target = readPosition(s) + offset;
            if (target < 0) return -1;
            offset = target;
            origin = FileStream::FromStart;
        }
        const std::int64_t moved = native::seekFile(s.handle_, offset, origin);
        if (moved >= 0) s.bufferFill_ = s.bufferRead_ = 0;
        return moved;
    }

    static std::int64_t readSize(FileStream& s) {
        const std::int64_t size = native::fileSize(s.handle_);
        return size < 0 ? 0 : size;
    }

    static std::size_t readRead(FileStream& s, void* buffer, std::size_t count) {
        if (count == 0) return 0;
        auto* out = static_cast<std::uint8_t*>(buffer);
        std::size_t delivered = std::min(count, s.bufferFill_ - s.bufferRead_);
        if (delivered > 0) std::memcpy(out, s.buffer_.get() + s.bufferRead_, delivered);
        s.bufferRead_ += delivered;
        const std::size_t missing = count - delivered;
        if (missing == 0 || !s.isOpen()) return delivered;

        s.bufferFill_ = s.bufferRead_ = 0;
        if (missing >= FileStream::kBufferSize)
            return delivered + native::readFile(s.handle_, out + delivered, missing);
        const std::size_t ahead = std::max(missing, s.readAhead_);
        s.readAhead_ = std::min(2 * s.readAhead_, FileStream::kBufferSize);
        s.bufferFill_ = native::readFile(s.handle_, s.buffer_.get(), ahead);
        const std::size_t more = std::min(missing, s.bufferFill_);
        std::memcpy(out + delivered, s.buffer_.get(), more);
        s.bufferRead_ = more;
        return delivered + more;
    }

    static std::size_t readWrite(FileStream&, const void*, std::size_t) { return 0; }
    static std::size_t writeRead(FileStream&, void*, std::size_t) { return 0; }

    // Writes the gathered bytes; the file then ends after them.
    static bool flush(FileStream& s) {
        if (s.bufferFill_ == 0) return !s.writeFailed_;
        const std::size_t written = native::writeFile(s.handle_, s.buffer_.get(), s.bufferFill_);
        if (written != s.bufferFill_ || !native::truncateFile(s.handle_)) s.writeFailed_ = true;
        s.bufferFill_ = 0;
        return !s.writeFailed_;
    }

    static std::int64_t writeSeek(FileStream& s, std::int64_t offset, FileStream::Origin origin) {
        flush(s);
        return native::seekFile(s.handle_, offset, origin);
    }

    static std::int64_t writeSize(FileStream& s) {
        flush(s);
        return readSize(s);
    }

    static std::size_t writeWrite(FileStream& s, const void* buffer, std::size_t count) {
        if (count == 0 || !s.isOpen() || s.writeFailed_) return 0;
        if (count >= FileStream::kBufferSize) {
            if (!flush(s)) return 0;
            const std::size_t written = native::writeFile(s.handle_, buffer, count);
            if (written != count || !native::truncateFile(s.handle_)) s.writeFailed_ = true;
            return written;
        }
        if (s.bufferFill_ + count > FileStream::kBufferSize && !flush(s)) return 0;
        std::memcpy(s.buffer_.get() + s.bufferFill_, buffer, count);
        s.bufferFill_ += count;
        return count;
    }

    static void close(FileStream& s) {
        if (!s.isOpen()) return;
        if (s.operations_ == &FileStream::kWriteOperations) flush(s);
        native::closeFile(std::exchange(s.handle_, native::kInvalidHandle));
        s.bufferFill_ = s.bufferRead_ = 0;
    }

    static bool commit(FileStream& s) {
        if (s.operations_ != &FileStream::kWriteOperations) return true;
        return s.isOpen() && flush(s) && native::syncFile(s.handle_);
    }
};

const FileStream::Operations FileStream::kReadOperations = {
    StreamOperations::readSeek,  StreamOperations::readSize, StreamOperations::readRead,
    StreamOperations::readWrite, StreamOperations::close,
};

const FileStream::Operations FileStream::kWriteOperations = {
    StreamOperations::writeSeek,  StreamOperations::writeSize, StreamOperations::writeRead,
    StreamOperations::writeWrite, StreamOperations::close,
};

FileStream::FileStream(const std::string& fileName, std::uint32_t mode, const Operations& operations)
    : handle_(native::openFile(fileName, mode)), operations_(&operations) {
    if (isOpen()) buffer_ = std::make_unique_for_overwrite<std::uint8_t[]>(kBufferSize);
}

FileStream::~FileStream() { close(); }

bool FileStream::isOpen() const { return handle_ != native::kInvalidHandle; }

bool FileStream::commit() { return StreamOperations::commit(*this); }

Ref<FileStream> openFileForReading(const std::string& fileName) {
    return create<FileStream>(fileName, FileStream::kReadMode, FileStream::kReadOperations);
}

Ref<FileStream> createFileForWriting(const std::string& fileName) {
    return create<FileStream>(fileName, FileStream::kWriteMode, FileStream::kWriteOperations);
}

bool saveFileAtomically(const std::string& fileName, const std::function<bool(FileStream&)>& writeContents) {
    native::AtomicSaveTarget target;
    if (!native::beginAtomicSave(fileName, target)) return false;
    bool written = false;
    {
        Ref<FileStream> stream = createFileForWriting(target.temporaryPath);
        written = stream->isOpen() && writeContents(*stream) && stream->commit();
    }
    if (written && native::finishAtomicSave(target)) return true;
    native::removeFile(target.temporaryPath);
    return false;
}

}  // namespace core
