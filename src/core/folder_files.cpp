#include "core/folder_files.h"

#include <algorithm>

#include "core/code_page.h"
#include "core/file_stream.h"
#include "core/native_file.h"

namespace core {

std::string pathInFolder(std::string_view folder, std::string_view name) {
    std::string path(folder);
#ifdef _WIN32
    if (!path.empty() && path.back() != '\\' && path.back() != '/') path += '\\';
    return path.append(name);
#else
    if (!path.empty() && path.back() != '/') path += '/';
    return path + cp1251ToUtf8(name);
#endif
}

std::string FolderFiles::pathOf(std::string_view name) {
    const std::string exact = pathInFolder(folder_, name);
    if (openFileForReading(exact)->isOpen()) return exact;
    if (!names_) {
        names_ = native::fileNamesIn(folder_);
        std::sort(names_->begin(), names_->end());
    }
    const auto found = std::find_if(names_->begin(), names_->end(),
                                    [name](const std::string& file) { return sameFileName(file, name); });
    return found == names_->end() ? std::string() : pathInFolder(folder_, *found);
}

}  // namespace core
