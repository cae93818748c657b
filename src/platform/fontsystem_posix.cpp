#include <fontconfig/fontconfig.h>

#include <system_error>

#include "platform/appearance.h"

namespace zoltrek {

FontConfigurationReader::FontConfigurationReader() {
    try {
        // FcInit is safe on any thread: whichever of two concurrent callers finishes first
        // installs its configuration and the other's is dropped.
        reader_ = std::thread([] { FcInit(); });
    } catch (const std::system_error&) {
        // No thread: the configuration is read later, where it was always read.
    }
}

FontConfigurationReader::~FontConfigurationReader() {
    wait();
}

void FontConfigurationReader::wait() {
    if (reader_.joinable())
        reader_.join();
}

}  // namespace zoltrek
