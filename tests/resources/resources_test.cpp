#include "resources/resources.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iostream>

namespace zoltrek {
namespace {

// The toolkit reads our PNGs itself: image plugins would load into every start of the program.
// In a fresh process, since a plugin that another test loaded would stay.
TEST(Pictures, LoadNoImagePlugin) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const auto loadPictures = [] {
        programIcon(), handCursor(), backgroundPicture();
        std::ifstream maps("/proc/self/maps");
        for (std::string line; std::getline(maps, line);)
            if (line.find("/imageformats/") != std::string::npos)
                std::cerr << line << '\n', std::_Exit(1);
        std::_Exit(0);
    };
    EXPECT_EXIT(loadPictures(), ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace zoltrek
