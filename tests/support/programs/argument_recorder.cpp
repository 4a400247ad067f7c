// A test program that records how it was started: its arguments and the state of its terminal
// signals, appended to the file named by ZUL_RECORDER_LOG. Every item of the record ends with a
// zero byte: "begin", "sigint=<default|ignored|handled>", "sigquit=...", "masked=<number of blocked signals>",
// "argc=<n>", the arguments, then "end".
// Optional: ZUL_RECORDER_PAUSE_MS waits that long between "begin" and the rest, and
// ZUL_RECORDER_INTERRUPT_PARENT=1 sends SIGINT and SIGQUIT to the parent before recording the rest.
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>

namespace {

void Append(const char* log, const std::string& item) {
  std::ofstream out(log, std::ios::binary | std::ios::app);
  out.write(item.c_str(), static_cast<std::streamsize>(item.size() + 1));
}

std::string Disposition(int signal_number) {
  struct sigaction current {};
  sigaction(signal_number, nullptr, &current);
  if (current.sa_handler == SIG_DFL) return "default";
  if (current.sa_handler == SIG_IGN) return "ignored";
  return "handled";
}

}  // namespace

int main(int argc, char** argv) {
  const char* log = std::getenv("ZUL_RECORDER_LOG");
  if (log == nullptr) return 2;
  Append(log, "begin");
  if (const char* pause = std::getenv("ZUL_RECORDER_PAUSE_MS")) {
    std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(pause)));
  }
  if (const char* interrupt = std::getenv("ZUL_RECORDER_INTERRUPT_PARENT"); interrupt && interrupt[0] == '1') {
    kill(getppid(), SIGINT);
    kill(getppid(), SIGQUIT);
  }
  sigset_t blocked;
  sigprocmask(SIG_BLOCK, nullptr, &blocked);
  Append(log, "sigint=" + Disposition(SIGINT));
  Append(log, "sigquit=" + Disposition(SIGQUIT));
  int masked = 0;
  for (int signal_number = 1; signal_number < 32; ++signal_number) {
    masked += sigismember(&blocked, signal_number) == 1;
  }
  Append(log, "masked=" + std::to_string(masked));
  Append(log, "argc=" + std::to_string(argc));
  for (int i = 0; i < argc; ++i) Append(log, argv[i]);
  Append(log, "end");
  return 0;
}
