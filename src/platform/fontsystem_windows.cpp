#include <QtGlobal>

#include "platform/appearance.h"

namespace zoltrek {

// Windows' own font engine refuses a face that has bitmaps only, and would draw every text in
// Tahoma; FreeType, built into the program, draws "MS Sans Serif" as it is drawn elsewhere. A
// platform the user names keeps its own choice.
FontConfigurationReader::FontConfigurationReader() {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "windows:fontengine=freetype");
}

FontConfigurationReader::~FontConfigurationReader() = default;

void FontConfigurationReader::wait() {}

}  // namespace zoltrek
