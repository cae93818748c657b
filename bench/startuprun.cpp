#include "startuprun.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>

extern char** environ;

namespace zoltrek::bench {

namespace {

constexpr int kFrameMilliseconds = 30'000;

long long monotonicNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
}

// This environment, on the given display through the X11 platform.
std::vector<std::string> environmentFor(const std::string& display) {
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        if (!entry.starts_with("DISPLAY=") && !entry.starts_with("QT_QPA_PLATFORM="))
            env.push_back(entry);
    }
    env.push_back("DISPLAY=" + display);
    env.push_back("QT_QPA_PLATFORM=xcb");
    return env;
}

std::vector<char*> pointers(std::vector<std::string>& strings) {
    std::vector<char*> out;
    for (auto& s : strings)
        out.push_back(s.data());
    out.push_back(nullptr);
    return out;
}

std::string readAll(int fd) {
    std::string text;
    char buffer[256];
    pollfd ready{fd, POLLIN, 0};
    ssize_t n = 0;
    while (poll(&ready, 1, kFrameMilliseconds) == 1 && (n = read(fd, buffer, sizeof buffer)) > 0)
        text.append(buffer, static_cast<std::size_t>(n));
    return text;
}

}  // namespace

std::optional<StartUp> timeStartUp(const std::string& program, const std::vector<std::string>& args,
                                   const std::string& display) {
    int out[2];
    if (pipe(out) != 0)
        return std::nullopt;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addclose(&actions, out[1]);

    std::vector<std::string> argStrings{program};
    argStrings.insert(argStrings.end(), args.begin(), args.end());
    std::vector<std::string> envStrings = environmentFor(display);
    std::vector<char*> argv = pointers(argStrings), envp = pointers(envStrings);

    pid_t pid = -1;
    const long long started = monotonicNanoseconds();
    const int spawned =
        posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (spawned != 0) {
        close(out[0]);
        return std::nullopt;
    }
    const std::string reported = readAll(out[0]);
    close(out[0]);
    kill(pid, SIGKILL);  // one that never painted is stopped; one that did has ended already
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);

    char* end = nullptr;
    const long long frame = std::strtoll(reported.c_str(), &end, 10);
    if (end == reported.c_str() || frame < started)
        return std::nullopt;
    return StartUp{static_cast<double>(frame - started) / 1e6,
                   static_cast<double>(usage.ru_maxrss) / 1024.0};
}

}  // namespace zoltrek::bench
