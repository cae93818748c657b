#pragma once

#include <sys/types.h>

#include <string>

namespace zoltrek::test {

// The full path of an executable found on PATH, or empty.
std::string findOnPath(const std::string& name);

// A private X server for one test, on a display number it picks itself.
class Xvfb {
  public:
    Xvfb() = default;
    Xvfb(const Xvfb&) = delete;
    Xvfb& operator=(const Xvfb&) = delete;
    ~Xvfb();

    // Starts the server and waits until it accepts clients; false with `error` set otherwise.
    bool start(const std::string& executable, std::string& error);
    std::string display() const { return ":" + std::to_string(display_); }

  private:
    pid_t pid_ = -1;
    int display_ = -1;
};

}  // namespace zoltrek::test
