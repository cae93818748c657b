#include "platform/journalplace.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace zoltrek {

std::string executableFolder() {
    const std::string executable = FileOps::system().readLink("/proc/self/exe");
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
