#pragma once

#include <stdlib.h>

#include <filesystem>
#include <string>

namespace zoltrek {

// A fresh folder for one benchmark, removed with what it holds.
struct BenchFolder {
    std::string path;
    BenchFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "zoltrek-bench-XXXXXX").string();
        path = ::mkdtemp(pattern.data());
    }
    ~BenchFolder() { std::filesystem::remove_all(path); }
};

}  // namespace zoltrek
