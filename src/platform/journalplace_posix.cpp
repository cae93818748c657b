#include "platform/journalplace.h"

#include <pwd.h>
#include <sys/auxv.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace zoltrek {

// Started through the dynamic loader ("ld-linux-x86-64.so.2 …/zoltrek"), the process is the
// loader's, which then has no loader of its own, and /proc/self/exe names it: the program's path
// is the one the loader was given, taken from the folder it was started in.
std::string executableFolder() {
    FileOps& files = FileOps::system();
    const std::string executable = ::getauxval(AT_BASE) == 0
                                       ? files.realPath(program_invocation_name)
                                       : files.readLink("/proc/self/exe");
    return executable.substr(0, executable.rfind('/'));
}

UserEnvironment userEnvironment() {
    UserEnvironment environment;
    if (const char* dataHome = std::getenv("XDG_DATA_HOME"))
        environment.xdgDataHome = dataHome;
    if (const char* home = std::getenv("HOME"))
        environment.home = home;
    // The user database is asked only without HOME: it may be a slow network service.
    if (environment.home.empty())
        if (const passwd* user = ::getpwuid(::getuid()))
            environment.passwdHome = user->pw_dir;
    return environment;
}

}  // namespace zoltrek
