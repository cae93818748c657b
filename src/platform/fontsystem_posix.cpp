#include <fontconfig/fontconfig.h>

#include <system_error>

#include "platform/appearance.h"
#include "platform/systemlimits.h"

namespace zoltrek {

namespace {

// An empty configuration made current before anyone reads the system's is the one every later
// caller, the toolkit too, finds.
void useNoSystemFonts() {
    if (FcConfig* none = FcConfigCreate()) {
        FcConfigSetCurrent(none);
        FcConfigDestroy(none);  // the current configuration holds its own reference
    }
}

}  // namespace

FontConfigurationReader::FontConfigurationReader() {
    // fontconfig crashes when an allocation fails while it reads; the program's own faces need
    // none of the system's configuration.
    if (addressSpaceIsTight()) {
        useNoSystemFonts();
        return;
    }
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
