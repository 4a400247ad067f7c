#include <signal.h>

#include <vector>

#include "base/ending_signals.h"

namespace zul {

std::span<const int> FaultSignals() {
  static constexpr int kFaults[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT, SIGTRAP, SIGSYS};
  return kFaults;
}

std::span<const int> EndingRequestSignals() {
  static const std::vector<int> requests = [] {
    std::vector<int> list = {SIGINT,    SIGTERM, SIGHUP,  SIGQUIT, SIGUSR1, SIGUSR2, SIGALRM,  SIGPIPE,
                             SIGVTALRM, SIGPROF, SIGXCPU, SIGXFSZ, SIGPOLL, SIGPWR,  SIGSTKFLT};
    // The real-time signals the C library leaves to programs.
    for (int signal_number = SIGRTMIN; signal_number <= SIGRTMAX; ++signal_number) list.push_back(signal_number);
    return list;
  }();
  return requests;
}

}  // namespace zul
