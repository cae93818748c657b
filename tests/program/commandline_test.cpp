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
        {{"zoltrek"}, Run, ""},
        {{"zoltrek", "--help"}, Help, ""},
        {{"zoltrek", "-h"}, Help, ""},
        {{"zoltrek", "--version"}, Version, ""},
        {{"zoltrek", "-platform", "offscreen", "-v"}, Version, ""},
        {{"zoltrek", "-style", "--help"}, Run, ""},  // the style's name, not a question
        {{"zoltrek", "--style=fusion", "-reverse", "-qmljsdebugger=port:1"}, Run, ""},
        {{"zoltrek", "-platform"}, Run, ""},  // the toolkit says what is missing
        {{"zoltrek", "--helpme"}, Refuse, "--helpme"},
        {{"zoltrek", "journal.dat"}, Refuse, "journal.dat"},
        {{"zoltrek", "-reverse", "-"}, Refuse, "-"},
        {{"zoltrek", "--", "--help"}, Refuse, "--"},
    };
    for (const auto& [argv, action, refused] : cases) {
        const CommandLine asked = readCommandLine(static_cast<int>(argv.size()), argv.data());
        EXPECT_EQ(std::pair(asked.action, asked.refused), std::pair(action, std::string(refused)))
            << argv.back();
    }
}

}  // namespace
}  // namespace zoltrek
