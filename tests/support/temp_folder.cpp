#include "temp_folder.h"

#include <random>

namespace test_support {

TempFolder::TempFolder() {
    std::random_device seed;
    const auto base = std::filesystem::temp_directory_path();
    do {
        path_ = base / ("skirvane-test-" + std::to_string(seed()));
    } while (!std::filesystem::create_directory(path_));
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string TempFolder::file(const std::string& name) const { return (path_ / name).string(); }

}  // namespace test_support
