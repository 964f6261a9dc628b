#include "model/material_list.h"

#include "core/file_stream.h"
#include "core/object.h"
#include "core/object_list.h"
#include "core/window_updates.h"

namespace model {

Material* MaterialList::materialAt(std::int32_t number) const { return static_cast<Material*>(at(number - 1)); }

std::int32_t MaterialList::numberOf(const Material* material) const {
    for (std::int32_t n = 1; n <= count(); ++n)
        if (materialAt(n) == material) return n;
    return 0;
}

void MaterialList::append(core::Ref<Material> material) { add(material.detach()); }

bool MaterialList::read(core::FileStream& stream, RecordLayout layout) {
    std::uint8_t bytes[2];
    if (stream.read(bytes, sizeof bytes) != sizeof bytes) return false;
    const std::int32_t count = bytes[0] | bytes[1] << 8;
    setGrowthStep(count);
    bool complete = true;
    for (std::int32_t n = 0; n < count && complete; ++n) {
        core::Ref<Material> material = core::create<Material>();
        complete = material->read(stream, layout);
        core::updateWindows();
        append(std::move(material));
    }
    setGrowthStep(kGrowthStepAfterReading);
    return complete;
}

bool MaterialList::write(core::FileStream& stream) const {
    const std::uint8_t bytes[2] = {static_cast<std::uint8_t>(count()), static_cast<std::uint8_t>(count() >> 8)};
    if (stream.write(bytes, sizeof bytes) != sizeof bytes) return false;
    for (std::int32_t n = 1; n <= count(); ++n) {
        if (!materialAt(n)->write(stream)) return false;
        core::updateWindows();
    }
    return true;
}

void MaterialList::clear() {
    for (std::int32_t n = 1; n <= count(); ++n) materialAt(n)->release();
    ObjectList::clear();
}

}  // namespace model
