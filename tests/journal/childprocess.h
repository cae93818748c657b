#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <functional>

namespace zoltrek::testing {

// Runs `body` in a forked child and returns its exit code (-1 if it died by a signal). The
// child never returns into the test framework.
inline int runInChild(const std::function<int()>& body) {
    const pid_t pid = ::fork();
    if (pid == 0)
        ::_exit(body());
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace zoltrek::testing
