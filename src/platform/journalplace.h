#pragma once

#include <string>

#include "journal/fileops.h"

namespace zoltrek {

// Where the journal is, as bytes, and whether that is the user's data folder, whose missing
// folders the first save creates.
struct JournalPlace {
    std::string path;
    bool inUserData = false;
};

// What the user's data folder is made of, as the environment's bytes; an unset variable is
// empty.
struct UserEnvironment {
    std::string xdgDataHome;   // XDG_DATA_HOME
    std::string home;          // HOME
    std::string passwdHome;    // the user's home in the user database, for when HOME is not set
    std::string localAppData;  // Windows: the user's own data folder that does not roam
};

// The journal is beside the executable when that folder holds anything named "zoltrek.dat" (so
// nobody's journal is ever passed over), or when the program runs from a folder of its own (the
// build folder, a portable copy, a Windows program unpacked anywhere) that lets the user create
// files. An installed program (the install rules or a package laid it out with its desktop entry
// in ../share/applications), or one whose folder may not be written, keeps it in the user's data
// folder, for root too: on Windows %LOCALAPPDATA%\zoltrek, elsewhere $XDG_DATA_HOME/zoltrek when
// that is absolute, else ~/.local/share/zoltrek.
JournalPlace journalPlace(const std::string& executableFolder, const UserEnvironment& environment,
                          FileOps& files = FileOps::system());

// The executable's folder as the system gives it (the bytes the file system holds, which need
// not be UTF-8); empty when the system does not say.
std::string executableFolder();

// The environment as this process has it.
UserEnvironment userEnvironment();

}  // namespace zoltrek
