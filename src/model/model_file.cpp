#include "model/model_file.h"

#include "core/byte_block.h"
#include "core/file_stream.h"
#include "core/object.h"

#include <cstring>
#include <utility>

namespace model {

ModelFile::ModelFile() : materials_(core::create<MaterialList>()) {}

bool ModelFile::load(const std::string& path, LoadScope scope) {
    core::Ref<core::FileStream> stream = core::openFileForReading(path);
    ModelFile fresh;
    if (!fresh.readFrom(*stream, scope)) return false;
    version_ = fresh.version_;
    materials_->swapMaterials(*fresh.materials_);
    remainder_ = std::move(fresh.remainder_);
    remainderSize_ = fresh.remainderSize_;
    holdsRemainder_ = scope == WholeFile;
    return true;
}

bool ModelFile::readFrom(core::FileStream& stream, LoadScope scope) {
    std::uint8_t header[6];
    if (stream.read(header, sizeof header) != sizeof header || std::memcmp(header, kMagic, sizeof kMagic) != 0)
        return false;
    version_ = static_cast<std::uint16_t>(header[4] | header[5] << 8);
    const std::int64_t size = stream.size();
    const std::int64_t afterHeader = stream.seek(8, core::FileStream::FromCurrent);
    if (afterHeader < 0 || afterHeader > size || !materials_->read(stream, recordLayoutOf(version_))) return false;
    if (scope == MaterialsOnly) return true;

    const std::int64_t at = stream.position();
    if (at < 0 || at > size) return false;
    const auto remaining = static_cast<std::uint64_t>(size - at);
    if (remaining > SIZE_MAX) return false;
    remainderSize_ = static_cast<std::size_t>(remaining);
    if (remainderSize_ == 0) return true;
    remainder_ = core::allocateByteBlock(remainderSize_);
    return remainder_ && stream.read(remainder_.get(), remainderSize_) == remainderSize_;
}

bool ModelFile::save(const std::string& path) const {
    if (!holdsRemainder_) return false;
    return core::saveFileAtomically(path, [this](core::FileStream& stream) { return writeTo(stream); });
}

bool ModelFile::writeTo(core::FileStream& stream) const {
    std::uint8_t header[kHeaderSize];
    std::memcpy(header, kMagic, sizeof kMagic);
    header[4] = static_cast<std::uint8_t>(version_);
    header[5] = static_cast<std::uint8_t>(version_ >> 8);
    std::memset(header + 6, kSavedHeaderFill, kHeaderSize - 6);
    return stream.write(header, sizeof kMagic) == sizeof kMagic && stream.write(header + 4, 2) == 2 &&
           stream.write(header + 6, 8) == 8 && materials_->write(stream) &&
           stream.write(remainder_.get(), remainderSize_) == remainderSize_;
}

void ModelFile::clear() {
    materials_->clear();
    remainder_.reset();
    remainderSize_ = 0;
    holdsRemainder_ = true;
}

}  // namespace model
