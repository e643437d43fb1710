#pragma once
// A simulated logger on a pseudo-terminal standing behind com N (through VELDRIN_COMN) for as long
// as this object lives: the variable is removed and the logger stopped however the test ends, so a
// failed assertion leaves no port pointing at a closed terminal.
#include <cstdlib>
#include <string>

#include "logger/PortChoice.h"
#include "sim/PtyServer.h"

namespace veldrin::test {

class PtyLoggerPort {
  public:
    PtyLoggerPort(int port, const SimLoggerOptions& options)
        : port_(port), variable_("VELDRIN_COM" + std::to_string(port)), server_(options) {
        started_ = server_.Start();
        if (started_)
            ::setenv(variable_.c_str(), server_.DevicePath().c_str(), 1);
    }
    ~PtyLoggerPort() {
        ::unsetenv(variable_.c_str());
        server_.Stop();
    }
    PtyLoggerPort(const PtyLoggerPort&) = delete;
    PtyLoggerPort& operator=(const PtyLoggerPort&) = delete;

    // False when the pseudo-terminal could not be opened; Error() says why.
    bool Started() const { return started_; }
    const std::string& Error() const { return server_.Error(); }
    SimLogger& Logger() { return server_.Logger(); }
    std::string DevicePath() const { return server_.DevicePath(); }
    // A connect to com N expecting `model`, as the connect dialog makes it.
    PortChoice Choice(LoggerModel model) const {
        return PortChoice{ChosenPort{DevicePath(), port_}, false, model};
    }

  private:
    int port_;
    std::string variable_;
    PtyServer server_;
    bool started_ = false;
};

}  // namespace veldrin::test
