#include <QApplication>

#include <cstdio>
#include <string>

#include "platform/appearance.h"
#include "platform/systemlimits.h"
#include "program/commandline.h"
#include "program/program.h"

namespace {

// Prints a text on standard output; 0, or 1 when it could not be written.
int say(const std::string& text) {
    return std::fputs(text.c_str(), stdout) >= 0 && std::fflush(stdout) == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    // Answered before the toolkit starts, so they need no display.
    switch (const zoltrek::CommandLine asked = zoltrek::readCommandLine(argc, argv); asked.action) {
        case zoltrek::CommandLine::Help:
            return say(zoltrek::helpText());
        case zoltrek::CommandLine::Version:
            return say(zoltrek::versionText());
        case zoltrek::CommandLine::Refuse:
            std::fprintf(stderr, "zoltrek: неизвестный аргумент «%s»; см. zoltrek --help\n",
                         asked.refused.c_str());
            return 2;
        case zoltrek::CommandLine::Run:
            break;
    }
    if (zoltrek::addressSpaceIsTight())
        zoltrek::useSmallThreadStacks();
    zoltrek::FontConfigurationReader fonts;  // while the application connects to the display
    zoltrek::exitQuietlyWithoutDisplay();
    QApplication app(argc, argv);
    zoltrek::displayOpened();
    return zoltrek::runProgram(app, zoltrek::journalPlace(), fonts);
}
