#pragma once

#include <stdlib.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <system_error>

namespace zoltrek::testing {

// A fresh folder, in `parent` or the system's temporary folder, removed with all it holds.
class TempFolder {
  public:
    explicit TempFolder(
        const std::filesystem::path& parent = std::filesystem::temp_directory_path())
        : path_((parent / "zoltrek-XXXXXX").string()) {
        if (!::mkdtemp(path_.data()))
            throw std::system_error(errno, std::generic_category(), path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

  private:
    std::string path_;
};

inline void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

inline std::string readBytes(const std::string& path) {
    std::ostringstream bytes;
    bytes << std::ifstream(path, std::ios::binary).rdbuf();
    return std::move(bytes).str();
}

}  // namespace zoltrek::testing
