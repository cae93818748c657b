#pragma once

#include <string>

// What the program is asked on its command line, read before the toolkit starts, so that a
// question is answered and a mistake refused without a display. Free of Qt.
namespace zoltrek {

struct CommandLine {
    enum Action {
        Run,      // open the window: no arguments, or only the toolkit's own options
        Help,     // --help, -h: say how the program is used
        Version,  // --version, -v
        Refuse,   // an argument the program does not know, in `refused`
    };
    Action action = Run;
    std::string refused;
};

CommandLine readCommandLine(int argc, const char* const* argv);

// The texts printed for --help and --version, each ending with a line end.
std::string helpText();
std::string versionText();

}  // namespace zoltrek
