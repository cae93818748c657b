#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <system_error>

namespace zoltrek::testing {

// A UTF-8 path as the system's own: the same bytes on Linux, UTF-16 on Windows.
inline std::filesystem::path native(const std::string& path) {
    return std::filesystem::path(std::u8string(path.begin(), path.end()));
}

// A fresh folder, in `parent` or the system's temporary folder, its name `name` and a number,
// removed with all it holds; only its user may use it. Its path is UTF-8 with "/" between names, as
// the journal takes paths.
class TempFolder {
  public:
    explicit TempFolder(
        const std::filesystem::path& parent = std::filesystem::temp_directory_path(),
        const std::string& name = "zoltrek-") {
        static std::mt19937 random{std::random_device{}()};
        std::filesystem::path made;
        do
            made = parent / native(name + std::to_string(random() % 1000000));
        while (!std::filesystem::create_directory(made));
        std::filesystem::permissions(made, std::filesystem::perms::owner_all);
        const std::u8string text = made.generic_u8string();
        path_.assign(text.begin(), text.end());
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(native(path_), ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

  private:
    std::string path_;
};

inline void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(native(path), std::ios::binary | std::ios::trunc) << bytes;
}

inline std::string readBytes(const std::string& path) {
    std::ostringstream bytes;
    bytes << std::ifstream(native(path), std::ios::binary).rdbuf();
    return std::move(bytes).str();
}

}  // namespace zoltrek::testing
