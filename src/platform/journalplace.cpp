#include "platform/journalplace.h"

#include <cerrno>

namespace zoltrek {

namespace {

// Windows' local application data; else $XDG_DATA_HOME when it is an absolute path, as the base
// directory rules ask, else ~/.local/share.
std::string userDataFolder(const UserEnvironment& environment) {
    if (!environment.localAppData.empty())
        return environment.localAppData;
    if (environment.xdgDataHome.starts_with('/'))
        return environment.xdgDataHome;
    const std::string& home = environment.home.empty() ? environment.passwdHome : environment.home;
    return home + "/.local/share";
}

}  // namespace

JournalPlace journalPlace(const std::string& executableFolder, const UserEnvironment& environment,
                          FileOps& files) {
    const std::string beside = executableFolder + "/zoltrek.dat";
    FileStatus status;
    // Anything of that name is the user's journal, even one this program cannot open: that is
    // said at the load, never passed over for another file. So is a folder that cannot be looked
    // into (a path too long, a parent the user may not enter, a disk that fails): the load says
    // why, and nothing is written anywhere else.
    if (files.linkStatusAt(beside, status) || (errno != ENOENT && errno != ENOTDIR))
        return {beside, false};
    const std::string prefix = executableFolder.substr(0, executableFolder.rfind('/'));
    const bool installed =
        files.statusAt(prefix + "/share/applications/" ZOLTREK_DESKTOP_ID ".desktop", status);
    if (!installed && files.mayCreateFilesIn(executableFolder))
        return {beside, false};
    return {userDataFolder(environment) + "/zoltrek/zoltrek.dat", true};
}

}  // namespace zoltrek
