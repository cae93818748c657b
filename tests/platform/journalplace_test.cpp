#include "platform/journalplace.h"

#include <gtest/gtest.h>

#include <cerrno>

#include <tuple>

#include "support/tempfolder.h"

namespace zoltrek {
namespace {

// The executable's folder "/opt/zoltrek/bin": it may hold a journal and let the user create
// files, and the install may have laid out the program's desktop entry under /opt/zoltrek.
struct ProgramFolder : FileOps {
    bool holdsJournal = false, writable = false, installed = false;
    int lookError = ENOENT;  // why there is no journal to be seen
    bool linkStatusAt(const std::string& path, FileStatus&) override {
        errno = lookError;
        return holdsJournal && path == "/opt/zoltrek/bin/zoltrek.dat";
    }
    bool statusAt(const std::string& path, FileStatus&) override {
        return installed &&
               path == "/opt/zoltrek/share/applications/example.zoltrek.Calculator.desktop";
    }
    bool mayCreateFilesIn(const std::string& folder) override {
        return writable && folder == "/opt/zoltrek/bin";
    }
};

// As root every folder says it may be written, so the folder's answers are the test's own.
TEST(JournalPlace, BesideTheProgramWhereItRunsFromItsOwnFolderElseInTheUsersDataFolder) {
    const std::string beside = "/opt/zoltrek/bin/zoltrek.dat", data = "/zoltrek/zoltrek.dat",
                      share = "/.local/share" + data,
                      windows = "C:/Users/Иван Петров/AppData/Local";
    // Whether the folder holds a journal, may be written, was installed; XDG_DATA_HOME, HOME and
    // Windows' local application data; the user database says "/pw".
    const std::tuple<const char*, bool, bool, bool, const char*, const char*, std::string,
                     std::string>
        cases[] = {
            {"the build folder, or a portable copy", false, true, false, "/xdg", "/home", "",
             beside},
            {"a portable copy the user may not write", false, false, false, "/xdg", "/home", "",
             "/xdg" + data},
            {"a journal where the user may not write", true, false, false, "/xdg", "/home", "",
             beside},
            {"installed for everyone", false, false, true, "/xdg", "/home", "", "/xdg" + data},
            {"installed into the user's folder, or by root", false, true, true, "/xdg", "/home", "",
             "/xdg" + data},
            {"a journal beside an installed program", true, true, true, "/xdg", "/home", "",
             beside},
            {"a relative XDG_DATA_HOME is ignored", false, false, true, "xdg", "/home", "",
             "/home" + share},
            {"so is an empty one", false, false, true, "", "/home", "", "/home" + share},
            {"without HOME, the user database's home", false, false, true, "", "", "",
             "/pw" + share},
            {"Windows, Program Files", false, false, false, "", "", windows, windows + data},
            {"Windows, a journal there already", true, false, false, "", "", windows, beside},
            {"Windows, a folder of its own", false, true, false, "", "", windows, beside},
        };
    for (const auto& [name, holdsJournal, writable, installed, xdgDataHome, home, local, path] :
         cases) {
        ProgramFolder folder;
        std::tie(folder.holdsJournal, folder.writable, folder.installed) =
            std::tie(holdsJournal, writable, installed);
        const JournalPlace place =
            journalPlace("/opt/zoltrek/bin", {xdgDataHome, home, "/pw", local}, folder);
        EXPECT_EQ(std::pair(place.path, place.inUserData), std::pair(path, path != beside)) << name;
    }
    // A folder that cannot be looked into may hold a journal: it is not passed over.
    for (ProgramFolder unreadable; const int err : {EACCES, ENAMETOOLONG, EIO}) {
        unreadable.lookError = err;
        EXPECT_EQ(journalPlace("/opt/zoltrek/bin", {}, unreadable).path, beside) << err;
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
