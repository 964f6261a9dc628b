// The materials of a model in file order, and the material section of a
// 4DS file: a 16-bit count and the records back to back.
#pragma once

#include <cstdint>
#include <functional>

#include "core/file_stream.h"
#include "core/object.h"
#include "core/object_list.h"
#include "model/material.h"

namespace model {

// Called once for each material read or written, so that a caller with
// windows can keep them painted through a long section.
using MaterialProgress = std::function<void()>;

class MaterialList : public core::ObjectList {
public:
    static constexpr std::int32_t kGrowthStep = 2;
    static constexpr std::int32_t kGrowthStepAfterReading = 4;

    MaterialList() { setGrowthStep(kGrowthStep); }

    // The material with number n (1-based), or nullptr outside 1..count.
    Material* materialAt(std::int32_t number) const;
    // The number of the material, or 0 when it is not in the list.
    std::int32_t numberOf(const Material* material) const;

    // Appends the materials of a section, their records in the given
    // layout. The storage for all of them is taken at once; `progress` (when
    // given) is called after each one. False when the stream ends inside the
    // section.
    bool read(core::FileStream& stream, RecordLayout layout = RecordLayout::Narrow,
              const MaterialProgress& progress = {});
    // Writes the section, calling `progress` (when given) after each
    // material. False when the stream does not take every byte.
    bool write(core::FileStream& stream, const MaterialProgress& progress = {}) const;
    // Releases every material.
    void clear();

    // Exchanges the materials with another list.
    void swapMaterials(MaterialList& other) noexcept { swapItems(other); }

protected:
    ~MaterialList() override { clear(); }
};

}  // namespace model
