// What the command line asks, read before the toolkit starts.
#include "program/commandline.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace zoltrek {
namespace {

// The toolkit's own options pass, with their values; anything else of the user's is refused.
TEST(CommandLine, AnswersItsOwnQuestionsLeavesTheToolkitsOptionsAndRefusesTheRest) {
    using enum CommandLine::Action;
    const std::tuple<std::vector<const char*>, CommandLine::Action, const char*> cases[] = {
        {{}, Run, ""},
        {{"--help"}, Help, ""},
        {{"-h"}, Help, ""},
        {{"--version"}, Version, ""},
        {{"-platform", "offscreen", "-v"}, Version, ""},
        {{"-style", "--help"}, Run, ""},  // the style's name, not a question
        {{"--style=fusion", "-reverse", "-qmljsdebugger=port:1"}, Run, ""},
        {{"-platform"}, Run, ""},  // the toolkit says what is missing
        {{"--helpme"}, Refuse, "--helpme"},
        {{"journal.dat"}, Refuse, "journal.dat"},
        {{"-reverse", "-"}, Refuse, "-"},
        {{"--", "--help"}, Refuse, "--"},
    };
    for (const auto& [arguments, action, refused] : cases) {
        std::vector<const char*> argv{"zoltrek"};
        argv.insert(argv.end(), arguments.begin(), arguments.end());
        const CommandLine asked = readCommandLine(static_cast<int>(argv.size()), argv.data());
        EXPECT_EQ(std::pair(asked.action, asked.refused), std::pair(action, std::string(refused)))
            << (arguments.empty() ? "" : arguments.front());
    }
}

}  // namespace
}  // namespace zoltrek
