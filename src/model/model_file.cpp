#include "model/model_file.h"

#include "core/byte_block.h"
#include "core/byte_io.h"
#include "core/file_stream.h"
#include "core/object.h"

#include <cstring>
#include <utility>

namespace model {

ModelFile::ModelFile() : materials_(core::create<MaterialList>()) {}

bool ModelFile::load(const std::string& path, LoadScope scope, const MaterialProgress& progress) {
    core::Ref<core::FileStream> stream = core::openFileForReading(path);
    ModelFile fresh;
    if (!fresh.readFrom(*stream, scope, progress)) return false;
    version_ = fresh.version_;
    materials_->swapMaterials(*fresh.materials_);
    remainder_ = std::move(fresh.remainder_);
    remainderSize_ = fresh.remainderSize_;
    holdsRemainder_ = scope == WholeFile;
    return true;
}

bool ModelFile::readFrom(core::FileStream& stream, LoadScope scope, const MaterialProgress& progress) {
    core::ByteReader in(stream);
    std::uint8_t magic[sizeof kMagic];
    in.bytes(magic, sizeof magic);
    version_ = in.u16();
    std::uint8_t uninterpreted[kHeaderSize - sizeof kMagic - 2];
    in.bytes(uninterpreted, sizeof uninterpreted);
    if (!in.ok() || std::memcmp(magic, kMagic, sizeof kMagic) != 0) return false;
    if (!materials_->read(stream, recordLayoutOf(version_), progress)) return false;
    if (scope == MaterialsOnly) return true;

    // The remainder's size is known before its memory is taken.
    const std::int64_t size = stream.size();
    const std::int64_t at = stream.position();
    if (at < 0 || at > size) return false;
    const auto remaining = static_cast<std::uint64_t>(size - at);
    if (remaining > SIZE_MAX) return false;
    remainderSize_ = static_cast<std::size_t>(remaining);
    if (remainderSize_ == 0) return true;
    remainder_ = core::allocateByteBlock(remainderSize_);
    if (!remainder_) return false;
    in.bytes(remainder_.get(), remainderSize_);
    return in.ok();
}

bool ModelFile::save(const std::string& path, const MaterialProgress& progress) const {
    if (!holdsRemainder_) return false;
    return core::saveFileAtomically(path,
                                    [this, &progress](core::FileStream& stream) { return writeTo(stream, progress); });
}

bool ModelFile::writeTo(core::FileStream& stream, const MaterialProgress& progress) const {
    core::ByteWriter out(stream);
    out.bytes(kMagic, sizeof kMagic);
    out.u16(version_);
    std::uint8_t fill[kHeaderSize - sizeof kMagic - 2];
    std::memset(fill, kSavedHeaderFill, sizeof fill);
    out.bytes(fill, sizeof fill);
    if (!out.ok() || !materials_->write(stream, progress)) return false;
    out.bytes(remainder_.get(), remainderSize_);
    return out.ok();
}

void ModelFile::clear() {
    materials_->clear();
    remainder_.reset();
    remainderSize_ = 0;
    holdsRemainder_ = true;
}

}  // namespace model
