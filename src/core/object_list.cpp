#include "core/object_list.h"

#include "core/object.h"

#include <algorithm>
#include <cstring>

namespace core {

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

}  // namespace core
