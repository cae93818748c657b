#pragma once

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

namespace zoltrek::testing {

// How a run of another program ended, and what it wrote.
struct Outcome {
    int exitCode = -1;  // -1 when it died by a signal
    int signal = 0;
    std::string out, err;
};

inline std::string readMemoryFile(int fd) {
    std::string text;
    char buf[4096];
    ssize_t n;
    for (off_t at = 0; (n = ::pread(fd, buf, sizeof buf, at)) > 0; at += n)
        text.append(buf, static_cast<std::size_t>(n));
    ::close(fd);
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
        const int null = ::open("/dev/null", O_RDWR);
        ::dup2(null, 0);
        ::dup2(out, 1);
        ::dup2(err, 2);
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
    outcome.out = readMemoryFile(out);
    outcome.err = readMemoryFile(err);
    return outcome;
}

// The journal tool this build made.
inline std::string journalTool() {
    return ZOLTREK_JOURNAL_TOOL;
}

// The line of record `k` in the journals that the fault and crash tests write.
inline std::string recordLine(int k) {
    return "0" + std::to_string(1 + k % 9) + ".01.26|" + std::to_string(80000 + 100 * k) +
           "|40|20.5|820";
}

// A journal of `count` records, each line ending in CR LF.
inline std::string journalOf(int count) {
    std::string text;
    for (int k = 0; k < count; ++k)
        text += recordLine(k) + "\r\n";
    return text;
}

// The lines of a text whose every line ends in CR LF.
inline std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
        lines.push_back(text.substr(at, end - at));
    return lines;
}

// The text with line `index` replaced by `line`, or removed when `line` is null.
inline std::string changedLine(const std::string& text, std::size_t index, const char* line) {
    std::string out;
    const auto lines = linesOf(text);
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (i != index)
            out += lines[i] + "\r\n";
        else if (line)
            out += std::string(line) + "\r\n";
    return out;
}

// Temporary files of a rewrite left in a folder.
inline int temporariesIn(const std::string& folder) {
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        count += entry.path().filename().string().starts_with(".zoltrek.dat.") ? 1 : 0;
    return count;
}

}  // namespace zoltrek::testing
