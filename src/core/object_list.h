// The growable list of object references that the material list builds on.
#pragma once

#include <cstdint>
#include <memory>

#include "core/object.h"

namespace core {

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

}  // namespace core
