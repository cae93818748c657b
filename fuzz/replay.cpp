// A fuzz target without libFuzzer: every file under the folders named on the command line goes
// through it once, so a plain compiler with the sanitizers checks the corpus on every test run.
// Each input lies in a buffer of exactly its size, as libFuzzer gives it, so that a read one byte
// past its end is an error the address sanitizer reports.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
    std::size_t replayed = 0;
    for (int i = 1; i < argc; ++i)
        for (const auto& entry : std::filesystem::recursive_directory_iterator(argv[i])) {
            if (!entry.is_regular_file())
                continue;
            std::ifstream in(entry.path(), std::ios::binary);
            const std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
            const auto exact = std::make_unique_for_overwrite<std::uint8_t[]>(bytes.size());
            std::copy(bytes.begin(), bytes.end(), exact.get());
            LLVMFuzzerTestOneInput(exact.get(), bytes.size());
            ++replayed;
        }
    std::printf("%zu inputs replayed\n", replayed);
    return replayed > 0 ? 0 : 1;  // an empty corpus would prove nothing
}
