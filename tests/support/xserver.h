#pragma once

#include <sys/types.h>

#include <string>

namespace zoltrek::testing {

// A private Xvfb on a free display that it picks itself; stopped when this object goes.
class XServer {
  public:
    XServer();
    ~XServer();
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    // ":N", or empty when the server did not start.
    const std::string& display() const { return display_; }

  private:
    pid_t pid_ = -1;
    std::string display_;
};

}  // namespace zoltrek::testing
