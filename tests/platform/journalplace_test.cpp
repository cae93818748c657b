#include "platform/journalplace.h"

#include <gtest/gtest.h>

#include <tuple>

#include "support/tempfolder.h"

namespace zoltrek {
namespace {

// The executable's folder "/opt/zoltrek": it may hold a journal and let the user create files.
struct ProgramFolder : FileOps {
    bool holdsJournal = false, writable = false;
    bool linkStatusAt(const std::string& path, FileStatus&) override {
        return holdsJournal && path == "/opt/zoltrek/zoltrek.dat";
    }
    bool mayCreateFilesIn(const std::string& folder) override {
        return writable && folder == "/opt/zoltrek";
    }
};

// As root every folder says it may be written, so the folder's answers are the test's own.
TEST(JournalPlace, BesideTheProgramWhereItMayBeElseInTheUsersDataFolder) {
    const std::string beside = "/opt/zoltrek/zoltrek.dat", data = "/zoltrek/zoltrek.dat",
                      share = "/.local/share" + data,
                      windows = "C:/Users/Иван Петров/AppData/Local";
    // XDG_DATA_HOME, HOME and Windows' local application data; the user database says "/pw".
    const std::tuple<const char*, bool, bool, const char*, const char*, std::string, std::string>
        cases[] = {
            {"a portable program", false, true, "/xdg", "/home", "", beside},
            {"a journal where the user may not write", true, false, "/xdg", "/home", "", beside},
            {"an installed program", false, false, "/xdg", "/home", "", "/xdg" + data},
            {"a relative XDG_DATA_HOME is ignored", false, false, "xdg", "/home", "",
             "/home" + share},
            {"so is an empty one", false, false, "", "/home", "", "/home" + share},
            {"without HOME, the user database's home", false, false, "", "", "", "/pw" + share},
            {"Windows, Program Files", false, false, "", "", windows, windows + data},
            {"Windows, a journal there already", true, false, "", "", windows, beside},
            {"Windows, a folder of its own", false, true, "", "", windows, beside},
        };
    for (const auto& [name, holdsJournal, writable, xdgDataHome, home, local, path] : cases) {
        ProgramFolder folder;
        std::tie(folder.holdsJournal, folder.writable) = std::tie(holdsJournal, writable);
        const JournalPlace place =
            journalPlace("/opt/zoltrek", {xdgDataHome, home, "/pw", local}, folder);
        EXPECT_EQ(std::pair(place.path, place.inUserData), std::pair(path, path != beside)) << name;
    }
    // The system's own answers: a folder of ours may hold the journal, one that is not there not.
    const testing::TempFolder ours;
    EXPECT_FALSE(journalPlace(ours.path(), {"/xdg", "", "", ""}).inUserData);
    EXPECT_TRUE(journalPlace(ours.file("none"), {"/xdg", "", "", ""}).inUserData);
#ifdef _WIN32
    EXPECT_FALSE(userEnvironment().localAppData.empty());  // the folder Windows gives each user
#endif
}

}  // namespace
}  // namespace zoltrek
