// A folder of the fuzz target process's own for the files it writes, in
// memory when the system has /dev/shm, removed with its files when the
// process ends. fuzz/run.sh removes the one a crash leaves by its name,
// skirvane-fuzz-PID.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <string>
#include <system_error>

namespace fuzz_support {

class ScratchFolder {
public:
    ScratchFolder() {
        namespace fs = std::filesystem;
        const fs::path base = fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::path("/tmp");
        folder_ = base / ("skirvane-fuzz-" + std::to_string(::getpid()));
        fs::remove_all(folder_);  // left by an earlier process with the same id
        fs::create_directory(folder_);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return folder_; }
    std::string file(const std::string& name) const { return (folder_ / name).string(); }

private:
    std::filesystem::path folder_;
};

}  // namespace fuzz_support
