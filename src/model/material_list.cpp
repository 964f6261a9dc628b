#include "model/material_list.h"

#include "core/byte_io.h"
#include "core/file_stream.h"
#include "core/object.h"
#include "core/object_list.h"

namespace model {

Material* MaterialList::materialAt(std::int32_t number) const { return static_cast<Material*>(at(number - 1)); }

std::int32_t MaterialList::numberOf(const Material* material) const {
    for (std::int32_t n = 1; n <= count(); ++n)
        if (materialAt(n) == material) return n;
    return 0;
}

bool MaterialList::read(core::FileStream& stream, RecordLayout layout, const MaterialProgress& progress) {
    core::ByteReader in(stream);
    const std::int32_t count = in.u16();
    if (!in.ok()) return false;
    setGrowthStep(count);
    bool complete = true;
    for (std::int32_t n = 0; n < count && complete; ++n) {
        core::Ref<Material> material = core::create<Material>();
        complete = material->read(stream, layout);
        if (progress) progress();
        add(material.detach());
    }
    setGrowthStep(kGrowthStepAfterReading);
    return complete;
}

bool MaterialList::write(core::FileStream& stream, const MaterialProgress& progress) const {
    core::ByteWriter out(stream);
    out.u16(static_cast<std::uint16_t>(count()));  // only read fills the list, up to what a u16 counts
    if (!out.ok()) return false;
    for (std::int32_t n = 1; n <= count(); ++n) {
        if (!materialAt(n)->write(stream)) return false;
        if (progress) progress();
    }
    return true;
}

void MaterialList::clear() {
    for (std::int32_t n = 1; n <= count(); ++n) materialAt(n)->release();
    ObjectList::clear();
}

}  // namespace model
