// An open 4DS model: the header's version word, the materials and every
// byte after the material section, kept as read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "core/byte_block.h"
#include "core/file_stream.h"
#include "core/object.h"
#include "model/material_list.h"

namespace model {

class ModelFile {
public:
    // "4DS" and a zero byte.
    static constexpr std::uint8_t kMagic[4] = {'4', 'D', 'S', 0};
    // Magic, version and the eight bytes the program does not interpret.
    static constexpr std::size_t kHeaderSize = 14;
    static constexpr std::uint8_t kSavedHeaderFill = 0xFF;

    ModelFile();

    std::uint16_t version() const { return version_; }
    MaterialList& materials() { return *materials_; }
    const MaterialList& materials() const { return *materials_; }
    std::span<const std::uint8_t> remainder() const { return {remainder_.get(), remainderSize_}; }

    // How much of the file load reads: all of it, or the header and the
    // material section alone, which is all that looking at the materials
    // needs.
    enum LoadScope { WholeFile, MaterialsOnly };

    // Replaces the model with the file's contents. A file that cannot be
    // read, lacks the magic or ends inside the header or the material
    // section is refused: false, and the model stays as it was. A model
    // loaded with MaterialsOnly holds no remainder and cannot be saved.
    // `progress` is called after each material read.
    bool load(const std::string& path, LoadScope scope = WholeFile, const MaterialProgress& progress = {});
    // Writes the model to `path` through a temporary file that replaces it
    // in one step. False, with the file at `path` untouched, when anything
    // cannot be written, and for a model that does not hold its remainder,
    // whose file would lose it. `progress` is called after each material
    // written.
    bool save(const std::string& path, const MaterialProgress& progress = {}) const;
    // Releases the materials and the remainder; the version stays.
    void clear();

private:
    bool readFrom(core::FileStream& stream, LoadScope scope, const MaterialProgress& progress);
    bool writeTo(core::FileStream& stream, const MaterialProgress& progress) const;

    std::uint16_t version_ = 0;
    core::Ref<MaterialList> materials_;
    core::ByteBlock remainder_;
    std::size_t remainderSize_ = 0;
    bool holdsRemainder_ = true;
};

}  // namespace model
