// The INI file: one value at a time, in a current section.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>

#include "core/object.h"

namespace core {

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

inline Ref<IniFile> openIniFile(const std::filesystem::path& fileName) { return create<IniFile>(fileName); }

}  // namespace core
