// Base objects of the toolkit: the root object with its reference count and
// owned objects, the growable object list, file streams, the INI file and a
// few text routines. Nothing here needs a window, so it builds and is tested
// on every platform.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace toolkit {

// Frees a toolkit object handed to ToolkitObject::addOwned.
void releaseToolkitObject(void* object);

template <class T>
class Ref;

// The root of every toolkit object and of the model objects.
//
// A new object has a reference count of 0 and belongs to whoever created it.
// addRef adds 2, release subtracts 2 and destroys the object once the count
// goes negative, so the creator's release without any addRef destroys it.
// Destruction runs the on-destroy event once and then frees the owned objects
// in the order they were added.
class ToolkitObject {
public:
    using DestroyHandler = std::function<void(ToolkitObject&)>;
    using FreeRoutine = void (*)(void* object);

    ToolkitObject() = default;
    ToolkitObject(const ToolkitObject&) = delete;
    ToolkitObject& operator=(const ToolkitObject&) = delete;

    // Called by create() right after construction; does nothing in the root.
    virtual void init() {}

    void addRef() { refCount_ += 2; }
    void release();
    std::int32_t refCount() const { return refCount_; }

    void setOnDestroy(DestroyHandler handler) { onDestroy_ = std::move(handler); }

    // Hands `object` to this object, which frees it with `freeRoutine` when
    // it is destroyed. The owned-objects list is created on first use.
    void addOwned(void* object, FreeRoutine freeRoutine);
    // Takes over a toolkit object, to be released with this one.
    template <class T>
    T& own(Ref<T> object);

protected:
    // Destruction is reached through release() only.
    virtual ~ToolkitObject();

private:
    struct OwnedObject {
        void* object;
        FreeRoutine freeRoutine;
    };

    std::int32_t refCount_ = 0;
    DestroyHandler onDestroy_;
    std::unique_ptr<std::vector<OwnedObject>> owned_;
};

// An owning reference to a toolkit object: adopts the creator's reference,
// adds one per copy and releases one when it goes.
template <class T>
class Ref {
public:
    Ref() = default;
    explicit Ref(T* adopted) : object_(adopted) {}
    Ref(const Ref& other) : object_(other.object_) {
        if (object_ != nullptr) object_->addRef();
    }
    Ref(Ref&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    template <class U>
    Ref(Ref<U>&& other) noexcept : object_(other.detach()) {}
    Ref& operator=(Ref other) noexcept {
        std::swap(object_, other.object_);
        return *this;
    }
    ~Ref() { reset(); }

    void reset() {
        if (object_ != nullptr) std::exchange(object_, nullptr)->release();
    }
    // Gives up the reference without releasing it.
    T* detach() { return std::exchange(object_, nullptr); }

    T* get() const { return object_; }
    T* operator->() const { return object_; }
    T& operator*() const { return *object_; }
    explicit operator bool() const { return object_ != nullptr; }

private:
    T* object_ = nullptr;
};

// Makes a new object and runs its initialisation.
template <class T, class... Args>
Ref<T> create(Args&&... args) {
    Ref<T> object(new T(std::forward<Args>(args)...));
    object->init();
    return object;
}

template <class T>
T& ToolkitObject::own(Ref<T> object) {
    T& owned = *object;
    addOwned(object.detach(), releaseToolkitObject);
    return owned;
}

// An ordered list of untyped object pointers with a count, a capacity and a
// growth step. The list never owns what it holds.
class ObjectList : public ToolkitObject {
public:
    static constexpr std::int32_t kDefaultGrowthStep = 4;

    // Appends and gives the new element's index. A full list grows to
    // count + growth step, or to count + count / 4 + 1 with a step of 0.
    std::int32_t add(void* item);
    // The element at `index`, or nullptr when there is none.
    void* at(std::int32_t index) const;
    std::int32_t count() const { return count_; }
    std::int32_t capacity() const { return capacity_; }
    std::int32_t growthStep() const { return growthStep_; }
    void setGrowthStep(std::int32_t step) { growthStep_ = step; }
    // Frees the storage; count and capacity become 0.
    void clear();

protected:
    // Exchanges the elements (not the growth step) with another list.
    void swapItems(ObjectList& other) noexcept;

private:
    std::unique_ptr<void*[]> items_;
    std::int32_t count_ = 0;
    std::int32_t capacity_ = 0;
    std::int32_t growthStep_ = kDefaultGrowthStep;
};

Ref<ObjectList> newObjectList();

// Releases a ByteBlock.
struct FreeByteBlock {
    void operator()(std::uint8_t* block) const;
};
// Owned bytes for large data (a model's remainder, pixels).
using ByteBlock = std::unique_ptr<std::uint8_t[], FreeByteBlock>;
// An uninitialised block of `size` bytes, or an empty one when there is not
// enough memory. Large blocks come in huge pages where the system offers
// them: fresh memory otherwise costs a page fault per 4 KiB, which for a
// large block takes longer than reading it from a file.
ByteBlock allocateByteBlock(std::size_t size);

// Brings the application's windows up to date (pending painting done at
// once). The window layer installs the routine; until then this does
// nothing, which is all the model layer needs on its own.
void updateWindows();
void setWindowsUpdater(void (*updater)());

// The system's native file handle, widened to one integer type.
using NativeHandle = std::intptr_t;

// A file stream: a native handle and a table of six operations. The read
// variant reads and never writes; the write variant writes, and every write
// leaves the end of the file at the last byte written.
//
// Small reads and writes are gathered in a buffer so that a record made of
// many small fields costs few system calls; what a caller sees (counts,
// position, size, the file's end) is the same as without it.
class FileStream : public ToolkitObject {
public:
    enum Origin : std::int32_t { FromStart = 0, FromCurrent = 1, FromEnd = 2 };

    struct Operations {
        std::int64_t (*seek)(FileStream&, std::int64_t offset, Origin origin);
        std::int64_t (*size)(FileStream&);
        void (*setSize)(FileStream&, std::int64_t newSize);
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
    void setSize(std::int64_t newSize) { operations_->setSize(*this, newSize); }
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

    NativeHandle handle_;
    std::unique_ptr<std::uint8_t[]> buffer_;
    std::size_t bufferFill_ = 0;  // bytes in the buffer
    std::size_t bufferRead_ = 0;  // read stream: bytes of the buffer already handed out
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

// An INI file with a current section, read or written one value at a time.
class IniFile : public ToolkitObject {
public:
    enum Mode : std::int32_t { Reading = 0, Writing = 1 };

    // The path may name a file in any folder, also one whose name code
    // page 1251 cannot write.
    explicit IniFile(std::filesystem::path fileName) : fileName_(std::move(fileName)) {}

    void setSection(std::string section) { section_ = std::move(section); }
    void setMode(Mode mode) { mode_ = mode; }
    Mode mode() const { return mode_; }

    // Reading: the key's value, `value` when the key is missing, or the
    // empty string. Writing: stores `value` under the key (creating the
    // file, the section and the key as needed) and gives it back.
    std::string valueString(const std::string& key, const std::string& value);

    static constexpr std::size_t kValueBufferSize = 4096;

private:
    std::filesystem::path fileName_;
    std::string section_;
    Mode mode_ = Reading;
};

Ref<IniFile> openIniFile(const std::filesystem::path& fileName);

// Decimal text of a number, with a leading minus sign when negative.
std::string intToText(std::int32_t value);
// An optional sign, then decimal digits up to the first other character.
// No digits give 0; the value wraps at 32 bits.
std::int32_t textToInt(std::string_view text);
// Appends a backslash when the text is empty or does not end with one.
std::string ensureTrailingBackslash(std::string text);

}  // namespace toolkit
