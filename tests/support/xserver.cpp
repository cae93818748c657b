#include "xserver.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

namespace zoltrek::testing {

namespace {

constexpr int kReadyMilliseconds = 10'000;

// Reads the display number Xvfb writes once it accepts connections.
std::string readDisplay(int fd) {
    std::string text;
    char c;
    pollfd ready{fd, POLLIN, 0};
    while (poll(&ready, 1, kReadyMilliseconds) == 1 && read(fd, &c, 1) == 1 && c != '\n')
        text += c;
    return text.empty() ? std::string() : ":" + text;
}

}  // namespace

XServer::XServer() {
    int fds[2];
    if (pipe(fds) != 0)
        return;
    pid_ = fork();
    if (pid_ == 0) {
        const int quiet = open("/dev/null", O_WRONLY);
        dup2(quiet, STDOUT_FILENO);
        dup2(quiet, STDERR_FILENO);
        close(fds[0]);
        const std::string fd = std::to_string(fds[1]);
        // -noreset: a server that resets when its last client leaves refuses the next one.
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24", "-nolisten",
               "tcp", "-noreset", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    if (pid_ > 0)
        display_ = readDisplay(fds[0]);
    close(fds[0]);
}

XServer::~XServer() {
    if (pid_ <= 0)
        return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
}

}  // namespace zoltrek::testing
