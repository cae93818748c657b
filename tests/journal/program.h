#pragma once

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace zoltrek::testing {

// How a run of another program ended, and what it printed.
struct Outcome {
    int exitCode = -1;  // -1 when it died by a signal
    int signal = 0;
    std::string out, err;
};

inline std::string readAllOf(int fd) {
    std::string text;
    char buf[4096];
    ssize_t n;
    for (off_t at = 0; (n = ::pread(fd, buf, sizeof buf, at)) > 0; at += n)
        text.append(buf, static_cast<std::size_t>(n));
    return text;
}

// Runs `argv` (looked up in PATH) to its end; its output goes to memory files, so a chatty
// program can never block on a full pipe.
inline Outcome runProgram(const std::vector<std::string>& argv) {
    const int out = ::memfd_create("out", 0), err = ::memfd_create("err", 0);
    std::vector<char*> args;
    for (const auto& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(out, 1);
        ::dup2(err, 2);
        const int devNull = ::open("/dev/null", O_RDONLY);
        ::dup2(devNull, 0);
        ::execvp(args[0], args.data());
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    Outcome outcome;
    if (WIFEXITED(status))
        outcome.exitCode = WEXITSTATUS(status);
    else if (WIFSIGNALED(status))
        outcome.signal = WTERMSIG(status);
    outcome.out = readAllOf(out);
    outcome.err = readAllOf(err);
    ::close(out);
    ::close(err);
    return outcome;
}

// Whether a program of that name is on PATH.
inline bool onPath(const std::string& name) {
    return runProgram({"sh", "-c", "command -v " + name}).exitCode == 0;
}

// The journal tool this build made.
inline std::string journalTool() {
    return ZOLTREK_JOURNAL_TOOL;
}

// The system calls of one kind that a run makes, as strace lists them, one a line.
inline std::vector<std::string> traceCalls(const std::vector<std::string>& argv,
                                           const std::string& calls, const std::string& log) {
    std::vector<std::string> full = {"strace",         "-qq", "-s",         "4096", "-o", log, "-e",
                                     "trace=" + calls, "-e",  "signal=none"};
    full.insert(full.end(), argv.begin(), argv.end());
    runProgram(full);
    std::vector<std::string> lines;
    std::ifstream in(log);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// The name of the system call a strace line shows ("openat" of "openat(AT_FDCWD, ...").
inline std::string callName(const std::string& line) {
    return line.substr(0, line.find('('));
}

// Which call of its kind (from 1) the first line of kind `call` holding `match` is, counting
// only from the first line that holds `anchor`; 0 when there is none.
inline int callNumber(const std::vector<std::string>& lines, const std::string& call,
                      const std::string& anchor, const std::string& match) {
    int number = 0;
    bool armed = anchor.empty();
    for (const auto& line : lines) {
        if (callName(line) != call) {
            armed = armed || line.find(anchor) != std::string::npos;
            continue;
        }
        ++number;
        if (armed && line.find(match) != std::string::npos)
            return number;
        armed = armed || line.find(anchor) != std::string::npos;
    }
    return 0;
}

}  // namespace zoltrek::testing
