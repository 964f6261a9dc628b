#include "toolkit/base.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace toolkit {

// --- ToolkitObject ---------------------------------------------------------

void ToolkitObject::release() {
    refCount_ -= 2;
    if (refCount_ < 0) delete this;
}

void ToolkitObject::addOwned(void* object, FreeRoutine freeRoutine) {
    if (!owned_) owned_ = std::make_unique<std::vector<OwnedObject>>();
    owned_->push_back({object, freeRoutine});
}

ToolkitObject::~ToolkitObject() {
    if (onDestroy_) std::exchange(onDestroy_, nullptr)(*this);
    if (owned_) {
        for (const OwnedObject& entry : *owned_) entry.freeRoutine(entry.object);
        owned_.reset();
    }
}

void releaseToolkitObject(void* object) {
    if (object != nullptr) static_cast<ToolkitObject*>(object)->release();
}

// --- ObjectList ------------------------------------------------------------

std::int32_t ObjectList::add(void* item) {
    if (count_ == capacity_) {
        const std::int32_t grown = growthStep_ > 0 ? count_ + growthStep_ : count_ + count_ / 4 + 1;
        auto storage = std::make_unique<void*[]>(static_cast<std::size_t>(grown));
        std::copy_n(items_.get(), count_, storage.get());
        items_ = std::move(storage);
        capacity_ = grown;
    }
    items_[static_cast<std::size_t>(count_)] = item;
    return count_++;
}

void* ObjectList::at(std::int32_t index) const {
    if (index < 0 || index >= count_) return nullptr;
    return items_[static_cast<std::size_t>(index)];
}

void ObjectList::clear() {
    items_.reset();
    count_ = 0;
    capacity_ = 0;
}

void ObjectList::swapItems(ObjectList& other) noexcept {
    std::swap(items_, other.items_);
    std::swap(count_, other.count_);
    std::swap(capacity_, other.capacity_);
}

Ref<ObjectList> newObjectList() { return create<ObjectList>(); }

// --- Byte blocks -------------------------------------------------------------

void FreeByteBlock::operator()(std::uint8_t* block) const { std::free(block); }

ByteBlock allocateByteBlock(std::size_t size) {
#ifdef __linux__
    constexpr std::size_t kHugePage = 2 * 1024 * 1024;
    if (size >= kHugePage) {
        const std::size_t rounded = (size + kHugePage - 1) / kHugePage * kHugePage;
        void* memory = std::aligned_alloc(kHugePage, rounded);
        if (memory != nullptr) madvise(memory, rounded, MADV_HUGEPAGE);
        return ByteBlock(static_cast<std::uint8_t*>(memory));
    }
#endif
    return ByteBlock(static_cast<std::uint8_t*>(std::malloc(size)));
}

// --- Window updates --------------------------------------------------------

namespace {
void (*windowsUpdater)() = nullptr;
}

void updateWindows() {
    if (windowsUpdater != nullptr) windowsUpdater();
}

void setWindowsUpdater(void (*updater)()) { windowsUpdater = updater; }

// --- INI file --------------------------------------------------------------

Ref<IniFile> openIniFile(const std::filesystem::path& fileName) { return create<IniFile>(fileName); }

// --- Text routines ---------------------------------------------------------

std::string intToText(std::int32_t value) { return std::to_string(value); }

std::int32_t textToInt(std::string_view text) {
    std::size_t at = 0;
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) negative = text[at++] == '-';
    std::uint32_t value = 0;  // unsigned, so that overflow wraps as the rule says
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at)
        value = value * 10U + static_cast<std::uint32_t>(text[at] - '0');
    if (negative) value = 0U - value;
    return static_cast<std::int32_t>(value);
}

std::string ensureTrailingBackslash(std::string text) {
    if (text.empty() || text.back() != '\\') text += '\\';
    return text;
}

}  // namespace toolkit
