// The terminal benchmark: drives zulchooser and its peers (whiptail, dialog) through an
// 80 x 30 pseudo-terminal with the same keys and prints what each cost: bytes written,
// bytes per key pair, CPU, memory, start-up and exit times; then what the chooser's
// filter writes for each key typed into it; then how fast the chooser
// lists a large folder, next to find, with as many course files as a list holds and with
// more; then how long the input box's Tab takes to find the folder names that complete
// a path in a folder of 100 000 entries. POSIX only; it writes only in its scratch folder.
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/code_page.h"
#include "base/text.h"
#include "bench/bench_support.h"
#include "consoletools/folder_source.h"

namespace zul::bench {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kColumns = 80;
constexpr int kRows = 30;
constexpr int kKeyPairs = 20;
constexpr int kCourseFiles = 1000;
constexpr int kOtherFiles = 100000;
constexpr int kMoreCourseFiles = 1500;  // more than the chooser lists
constexpr int kCompletionEntries = 100000;
constexpr int kCompletionFolders = 1000;
constexpr double kCompletionTargetMs = 100;
constexpr const char* kInputMarker = "Change default directory for .ZUL course files?";
constexpr const char* kListMarker = "Make simultaneous choices";
// The chooser's list box covers the lines above it when the list is long; its hint shows.
constexpr const char* kChooserListMarker = "<ctl> click for mult. selection";
constexpr const char* kEsc = "\x1b";
// Typed into the chooser's filter field, one key at a time, and the status the list
// then shows: all 1000 names contain "0", 119 contain "09", 11 contain "099".
constexpr std::string_view kFilterKeys = "099";
constexpr const char* kFilterShown[] = {"1000 of 1000 shown", "119 of 1000 shown", "11 of 1000 shown"};

volatile sig_atomic_t g_interrupted = 0;

// A step that did not finish (timed out, or the program ended too early); the run is given up.
struct StepFailed {
  std::string what;
};
// Ctrl+C, a termination or hang-up signal, or a closed output: children are killed, the
// scratch folder removed, and the benchmark ends.
struct Interrupted {};

double MsBetween(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double, std::milli>(to - from).count();
}

int PidfdOpen(pid_t pid) { return static_cast<int>(syscall(SYS_pidfd_open, pid, 0)); }

std::string DescribeStatus(int status) {
  if (WIFEXITED(status)) return "exit status " + std::to_string(WEXITSTATUS(status));
  if (WIFSIGNALED(status)) return "killed by signal " + std::to_string(WTERMSIG(status));
  return "wait status " + std::to_string(status);
}

// One program on a pseudo-terminal of its own, in its own session with that terminal as
// its controlling terminal. Every wait is bounded by the step timeout; the destructor
// kills the program's process group if it still runs and always reaps it.
class PtyProgram {
 public:
  PtyProgram(const std::vector<std::string>& argv, const fs::path& folder, const Options& options)
      : options_(options) {
    std::vector<char*> args;
    for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    winsize size{kRows, kColumns, 0, 0};
    started_ = last_output_ = Clock::now();
    pid_ = forkpty(&master_, nullptr, nullptr, &size);
    if (pid_ < 0) throw std::runtime_error(std::string("forkpty: ") + std::strerror(errno));
    if (pid_ == 0) {
      if (chdir(folder.c_str()) != 0) _exit(126);
      setenv("TERM", "xterm-256color", 1);
      setenv("LC_ALL", "C.UTF-8", 1);
      unsetenv("LINES");
      unsetenv("COLUMNS");
      execvp(args[0], args.data());
      _exit(127);
    }
    fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
    fcntl(master_, F_SETFD, FD_CLOEXEC);
    pidfd_ = PidfdOpen(pid_);  // -1 on old kernels: the program's end is then polled for
  }

  ~PtyProgram() {
    if (!exited_) {
      kill(-pid_, SIGKILL);
      kill(pid_, SIGKILL);
      while (wait4(pid_, &status_, 0, &usage_) < 0 && errno == EINTR) {
      }
    }
    if (master_ >= 0) close(master_);
    if (pidfd_ >= 0) close(pidfd_);
  }
  PtyProgram(const PtyProgram&) = delete;
  PtyProgram& operator=(const PtyProgram&) = delete;

  // Types `keys`, as a terminal would send them.
  void Send(std::string_view keys, const std::string& step) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(options_.timeout_ms);
    while (!keys.empty()) {
      if (exited_ || master_ < 0) throw StepFailed{step + ": the program had ended"};
      const ssize_t n = write(master_, keys.data(), keys.size());
      if (n > 0) {
        keys.remove_prefix(static_cast<size_t>(n));
        continue;
      }
      if (n < 0 && errno != EAGAIN && errno != EINTR) throw StepFailed{step + ": cannot write to the terminal"};
      if (Clock::now() > deadline) throw StepFailed{step + ": the program does not read its input"};
      Pump(1);
    }
  }
  void SendDown(const std::string& step) { Send(model_.ApplicationCursorKeys() ? "\x1bOB" : "\x1b[B", step); }

  // Waits until `marker` has been drawn and the output is quiet; returns when the last byte came.
  Clock::time_point AwaitFrame(std::string_view marker, const std::string& step) {
    model_.Expect(marker);
    return Await(true, step);
  }
  // Waits until no output came for the quiet time.
  void AwaitQuiet(const std::string& step) { Await(false, step); }

  // Waits for the program to end; returns when it ended.
  Clock::time_point AwaitExit(const std::string& step) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(options_.timeout_ms);
    while (!exited_) {
      const double left = MsBetween(Clock::now(), deadline);
      if (left <= 0) {
        throw StepFailed{step + ": did not end within " + std::to_string(options_.timeout_ms) + " ms"};
      }
      Pump(static_cast<int>(std::ceil(left)));
    }
    return ended_;
  }

  Clock::time_point started() const { return started_; }
  size_t bytes() const { return bytes_; }
  double CpuSeconds() const {
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage_.ru_utime) + seconds(usage_.ru_stime);
  }
  double PeakMiB() const { return static_cast<double>(usage_.ru_maxrss) / 1024; }  // ru_maxrss is in KiB

 private:
  Clock::time_point Await(bool for_marker, const std::string& step) {
    const auto begun = Clock::now();
    const double deadline = options_.timeout_ms;
    while (true) {
      const bool ready = !for_marker || model_.MarkerSeen();
      const auto last = std::max(last_output_, begun);  // quiet counts from the start of the wait
      const QuietStep next = NextQuietStep(MsBetween(begun, Clock::now()), MsBetween(begun, last), deadline,
                                           options_.quiet_ms, ready);
      if (next.kind == QuietStep::kQuiet) return last;
      if (next.kind == QuietStep::kTimedOut) {
        throw StepFailed{step + ": timed out after " + std::to_string(options_.timeout_ms) + " ms (" +
                         (ready ? "the output never went quiet" : "its text was not drawn") + ")"};
      }
      if (exited_) throw StepFailed{step + ": the program ended (" + DescribeStatus(status_) + ")"};
      Pump(next.wait_ms);
    }
  }

  // Waits up to `wait_ms` for output or the program's end, and takes in what came.
  void Pump(int wait_ms) {
    if (g_interrupted) throw Interrupted{};
    if (pidfd_ < 0 && !exited_) wait_ms = std::min(wait_ms, 2);
    pollfd fds[2] = {{master_, POLLIN, 0}, {exited_ ? -1 : pidfd_, POLLIN, 0}};
    if (poll(fds, 2, wait_ms) < 0 && errno != EINTR) throw std::runtime_error("poll failed");
    if (fds[0].revents != 0) Drain();
    if (!exited_ && (pidfd_ < 0 || fds[1].revents != 0)) Reap(pidfd_ < 0 ? WNOHANG : 0);
  }

  void Reap(int flags) {
    if (wait4(pid_, &status_, flags, &usage_) != pid_) return;
    exited_ = true;
    ended_ = Clock::now();
    Drain();
  }

  // Reads what the terminal holds; a bounded number of reads, so a flood cannot hold it.
  void Drain() {
    char buffer[65536];
    for (int reads = 0; master_ >= 0 && reads < 64; ++reads) {
      const ssize_t n = read(master_, buffer, sizeof buffer);
      if (n > 0) {
        bytes_ += static_cast<size_t>(n);
        model_.Feed(std::string_view(buffer, static_cast<size_t>(n)));
        last_output_ = Clock::now();
      } else if (n < 0 && errno == EINTR) {
        continue;
      } else if (n < 0 && errno == EAGAIN) {
        return;
      } else {  // EIO: the program's side of the terminal is closed
        close(master_);
        master_ = -1;
      }
    }
  }

  const Options& options_;
  TerminalModel model_{kColumns, kRows};
  pid_t pid_ = -1;
  int master_ = -1;
  int pidfd_ = -1;
  bool exited_ = false;
  int status_ = 0;
  rusage usage_{};
  size_t bytes_ = 0;
  Clock::time_point started_, last_output_, ended_;
};

// What one program is asked to do. `list_box` empty: the program that asked shows the list too.
struct Subject {
  std::string name;
  std::vector<std::string> input_box;
  std::vector<std::string> list_box;
  const char* list_marker = kListMarker;  // a text of the list's frame
};

struct Result {
  std::string name;
  std::vector<Sample> samples;
  std::string failure;
};

// 1. The input box: time to its first frame, then Esc. 2. The list box (in a second
// program for the peers): 20 x (Down, Space), each answered by quiet output. 3. Esc, and
// the time until the program ended.
Sample RunOnce(const Subject& subject, const fs::path& folder, const Options& options) {
  PtyProgram asking(subject.input_box, folder, options);
  Sample sample{};
  sample.first_frame_ms = MsBetween(asking.started(), asking.AwaitFrame(kInputMarker, "first frame"));
  asking.Send(kEsc, "Esc in the input box");
  std::optional<PtyProgram> listing;
  PtyProgram* list = &asking;
  if (!subject.list_box.empty()) {
    asking.AwaitExit("end of the input box");
    list = &listing.emplace(subject.list_box, folder, options);
  }
  list->AwaitFrame(subject.list_marker, "list box frame");
  size_t pair_bytes = 0;
  for (int pair = 1; pair <= kKeyPairs; ++pair) {
    const size_t before = list->bytes();
    list->SendDown("Down");
    list->AwaitQuiet("answer to Down " + std::to_string(pair));
    list->Send(" ", "Space");
    list->AwaitQuiet("answer to Space " + std::to_string(pair));
    pair_bytes += list->bytes() - before;
  }
  const auto esc = Clock::now();
  list->Send(kEsc, "final Esc");
  sample.esc_exit_ms = MsBetween(esc, list->AwaitExit("end after the final Esc"));
  sample.bytes_per_pair = static_cast<double>(pair_bytes) / kKeyPairs;
  sample.bytes_total = static_cast<double>(asking.bytes() + (listing ? listing->bytes() : 0));
  sample.cpu_s = asking.CpuSeconds() + (listing ? listing->CpuSeconds() : 0);
  sample.peak_mib = std::max(asking.PeakMiB(), listing ? listing->PeakMiB() : 0);
  return sample;
}

// The runs of one program; the first failed step is reported and ends its runs.
Result Measure(const Subject& subject, const fs::path& folder, const Options& options) {
  Result result{subject.name, {}, {}};
  for (int run = 1; run <= options.runs; ++run) {
    try {
      result.samples.push_back(RunOnce(subject, folder, options));
    } catch (const StepFailed& failed) {
      result.failure = "run " + std::to_string(run) + ": " + failed.what;
      std::printf("%s: %s; run given up, its other runs skipped\n", subject.name.c_str(), result.failure.c_str());
      break;
    }
  }
  return result;
}

std::optional<fs::path> FindOnPath(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::string_view rest = path != nullptr ? path : "/usr/bin:/bin";
  while (!rest.empty()) {
    const size_t end = std::min(rest.find(':'), rest.size());
    const fs::path candidate = fs::path(rest.substr(0, end)) / name;
    if (access(candidate.c_str(), X_OK) == 0) return candidate;
    rest.remove_prefix(std::min(end + 1, rest.size()));
  }
  return std::nullopt;
}

// `count` empty files named by printf patterns for their number 1..count, odd and even.
void CreateFiles(const fs::path& folder, int count, const char* odd_pattern, const char* even_pattern) {
  fs::create_directories(folder);
  for (int i = 1; i <= count; ++i) {
    if (g_interrupted) throw Interrupted{};
    char name[64];
    std::snprintf(name, sizeof name, i % 2 == 1 ? odd_pattern : even_pattern, i);
    const int fd = open((folder / name).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) throw std::runtime_error("cannot create " + (folder / name).string());
    close(fd);
  }
}

// `count` folders named by a printf pattern for their number 1..count.
void CreateFolders(const fs::path& folder, int count, const char* pattern) {
  for (int i = 1; i <= count; ++i) {
    if (g_interrupted) throw Interrupted{};
    char name[64];
    std::snprintf(name, sizeof name, pattern, i);
    if (mkdir((folder / name).c_str(), 0755) != 0)
      throw std::runtime_error("cannot create " + (folder / name).string());
  }
}

// The wall time of `find DIR -maxdepth 1 -iname '*.zul'` with its output discarded.
std::optional<double> TimeFind(const fs::path& folder, const Options& options) {
  const std::string dir = folder.string();
  const char* argv[] = {"find", dir.c_str(), "-maxdepth", "1", "-iname", "*.zul", nullptr};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  const auto start = Clock::now();
  pid_t pid = -1;
  const int error = posix_spawnp(&pid, "find", &actions, nullptr, const_cast<char**>(argv), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (error != 0) return std::nullopt;
  const int pidfd = PidfdOpen(pid);
  int status = 0;
  pid_t ended = 0;
  while (ended == 0 && MsBetween(start, Clock::now()) < options.timeout_ms && !g_interrupted) {
    pollfd fd{pidfd, POLLIN, 0};
    poll(&fd, 1, pidfd >= 0 ? options.timeout_ms : 1);
    ended = waitpid(pid, &status, WNOHANG);
  }
  const double ms = MsBetween(start, Clock::now());
  if (pidfd >= 0) close(pidfd);
  if (ended == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0) return ms;
  if (ended == 0) kill(pid, SIGKILL), waitpid(pid, &status, 0);
  return std::nullopt;
}

// The chooser answers its input box with `listed` (typed, then Enter): the time from
// Enter until the list box is drawn and quiet.
double TimeChooserListing(const fs::path& folder, const fs::path& listed, const Options& options) {
  PtyProgram chooser({options.chooser}, folder, options);
  chooser.AwaitFrame(kInputMarker, "first frame");
  chooser.Send(listed.string(), "typing the folder");
  chooser.AwaitQuiet("echo of the folder");
  const auto enter = Clock::now();
  chooser.Send("\r", "Enter");
  const double ms = MsBetween(enter, chooser.AwaitFrame(kChooserListMarker, "list box frame"));
  chooser.Send(kEsc, "final Esc");
  chooser.AwaitExit("end after the final Esc");
  return ms;
}

std::string Show(std::optional<double> value, const char* format) {
  char text[32] = "n/a";
  if (value) std::snprintf(text, sizeof text, format, *value);
  return text;
}

const char* Verdict(std::optional<bool> met) {
  return !met ? "NOT met (no measurement)" : *met ? "met" : "NOT met";
}

void ReportTable(const std::vector<Result>& results, const Options& options) {
  std::printf("\nMedians of %d runs, terminal %dx%d, %d key pairs, quiet = %d ms without output:\n", options.runs,
              kColumns, kRows, kKeyPairs, options.quiet_ms);
  std::printf("%-11s %12s %11s %8s %15s %13s %9s\n", "program", "bytes total", "bytes/pair", "CPU s",
              "first frame ms", "Esc->exit ms", "peak MiB");
  for (const Result& r : results) {
    const Figures f = Medians(r.samples);
    if (r.samples.empty()) {
      std::printf("%-11s %s\n", r.name.c_str(), r.failure.c_str());
      continue;
    }
    std::printf("%-11s %12.0f %11.1f %8.3f %15.1f %13.1f %9.1f%s\n", r.name.c_str(), *f.bytes_total,
                *f.bytes_per_pair, *f.cpu_s, *f.first_frame_ms, *f.esc_exit_ms, *f.peak_mib,
                r.failure.empty() ? "" : "  (some runs failed)");
  }
  const Figures ours = Medians(results.front().samples);
  Figures whiptail;
  for (size_t i = 1; i < results.size(); ++i) {
    const Figures peer = Medians(results[i].samples);
    if (results[i].name == "whiptail") whiptail = peer;
    std::printf("%s / %s: bytes total %s, bytes/pair %s, CPU %s\n", results.front().name.c_str(),
                results[i].name.c_str(), Show(Ratio(ours.bytes_total, peer.bytes_total), "%.2fx").c_str(),
                Show(Ratio(ours.bytes_per_pair, peer.bytes_per_pair), "%.2fx").c_str(),
                Show(Ratio(ours.cpu_s, peer.cpu_s), "%.2fx").c_str());
  }
  const Verdicts verdicts = JudgeTargets(ours, whiptail);
  std::printf("Targets:\n");
  std::printf("  bytes total <= 0.8x whiptail           %s\n", Verdict(verdicts.bytes_total));
  std::printf("  bytes/pair <= 1.5x whiptail and > 0    %s\n", Verdict(verdicts.bytes_per_pair));
  std::printf("  CPU <= 1.0x whiptail                   %s\n", Verdict(verdicts.cpu));
  std::printf("  Esc->exit < 50 ms                      %s\n", Verdict(verdicts.esc_exit));
}

// The listing figures: find against the chooser on 1000 course files among 100 000 others,
// then on 1500, of which the chooser lists the first 1000 by name.
void ReportListing(const fs::path& scratch, const fs::path& folder, const Options& options) {
  const fs::path listed = scratch / "listing";
  std::printf("\nCreating %d other files, then %d and %d course files among them...\n", kOtherFiles, kCourseFiles,
              kMoreCourseFiles);
  std::fflush(stdout);
  CreateFiles(listed, kOtherFiles, "other%06d.dat", "other%06d.dat");
  for (const int course_files : {kCourseFiles, kMoreCourseFiles}) {
    CreateFiles(listed, course_files, "course%04d.zul", "course%04d.zul");
    std::vector<double> find_ms, chooser_ms;
    for (int run = 0; run < options.runs; ++run) {
      if (const auto ms = TimeFind(listed, options)) find_ms.push_back(*ms);
    }
    for (int run = 1; run <= options.runs; ++run) {
      try {
        chooser_ms.push_back(TimeChooserListing(folder, listed, options));
      } catch (const StepFailed& failed) {
        std::printf("zulchooser listing, run %d: %s; run given up, its other runs skipped\n", run,
                    failed.what.c_str());
        break;
      }
    }
    const auto find = Median(find_ms);
    const auto chooser = Median(chooser_ms);
    const auto ratio = Ratio(chooser, find);
    std::printf("Listing (%d *.zul among %d files, median of runs):\n", course_files, kOtherFiles);
    std::printf("  find -maxdepth 1 -iname '*.zul'   %s\n", Show(find, "%.1f ms").c_str());
    std::printf("  zulchooser Enter -> list box      %s\n", Show(chooser, "%.1f ms").c_str());
    std::printf("  ratio zulchooser / find           %s\n", Show(ratio, "%.2fx").c_str());
    std::printf("  target < 1.5x find                %s\n",
                Verdict(ratio ? std::optional(*ratio < 1.5) : std::nullopt));
  }
}

// Tab in the input box, as the console-tools library answers it (FileSystemFolders, which
// lists the folder and keeps the folders whose names start as typed): its time in a folder
// of kCompletionEntries entries, kCompletionFolders of them folders, for a start that few
// folders have and for one that all but the hidden have. The folder holds what a course
// folder may: course files, notes, pictures, data files named as the terms' folders start,
// and folders of terms, courses, chapters and hidden ones; the file system's caches are
// warm, as they are once a user has typed the path.
void ReportCompletion(const fs::path& scratch, const Options& options) {
  const fs::path folder = scratch / "completion";
  constexpr int kFiles = kCompletionEntries - kCompletionFolders;
  std::printf("\nCreating %d files and %d folders...\n", kFiles, kCompletionFolders);
  std::fflush(stdout);
  CreateFiles(folder, kFiles / 2, "COURSE%05d.ZUL", "notes %05d.txt");
  CreateFiles(folder, kFiles / 2, "IMG_%05d.JPG", "term%05d.dat");
  constexpr int kTerms = 12, kHidden = 8, kEach = (kCompletionFolders - kTerms - kHidden) / 2;
  CreateFolders(folder, kTerms, "term%02d");
  CreateFolders(folder, kEach, "course-%03d");
  CreateFolders(folder, kEach, "Chapter %03d");
  CreateFolders(folder, kHidden, ".cache%d");
  struct Start {
    const char* typed;
    std::size_t folders;  // that complete it
  };
  const Start starts[] = {{"term", kTerms}, {"", kCompletionFolders - kHidden}};

  FileSystemFolders folders(Utf8CodePage());
  std::printf("Completion (%d folders among %d entries, median of runs):\n", kCompletionFolders,
              kCompletionEntries);
  bool met = true;
  for (const Start& start : starts) {
    const Text typed = folder.string() + "/" + start.typed;
    std::vector<double> ms;
    std::size_t found = 0;
    for (int run = 0; run < options.runs && !g_interrupted; ++run) {
      const auto begin = Clock::now();
      found = folders.Complete(typed).size();
      ms.push_back(MsBetween(begin, Clock::now()));
    }
    if (g_interrupted) throw Interrupted{};
    const auto median = found == start.folders ? Median(ms) : std::nullopt;
    met = met && median && *median < kCompletionTargetMs;
    char label[48];
    std::snprintf(label, sizeof label, "Tab on \".../%s\" (%zu folders)", start.typed, start.folders);
    std::printf("  %-33s %s%s\n", label, Show(median, "%.1f ms").c_str(),
                found == start.folders ? "" : ("  (found " + std::to_string(found) + ")").c_str());
  }
  std::printf("  target < %.0f ms                   %s\n", kCompletionTargetMs, Verdict(met));
}

// The chooser's filter: in the list of 1000 names, `/` opens the field, then each of
// kFilterKeys is typed and answered by quiet output, and its bytes are counted; two Esc
// clear the filter and end the chooser. Peers have no filter to compare with.
void ReportFilter(const fs::path& folder, const Options& options) {
  std::vector<std::vector<double>> key_bytes(kFilterKeys.size());
  for (int run = 1; run <= options.runs; ++run) {
    try {
      PtyProgram chooser({options.chooser}, folder, options);
      chooser.AwaitFrame(kInputMarker, "first frame");
      chooser.Send(kEsc, "Esc in the input box");
      chooser.AwaitFrame(kChooserListMarker, "list box frame");
      chooser.Send("/", "/ opening the filter");
      chooser.AwaitQuiet("answer to /");
      for (std::size_t i = 0; i < kFilterKeys.size(); ++i) {
        const size_t before = chooser.bytes();
        const std::string key(1, kFilterKeys[i]);
        chooser.Send(key, "filter key " + key);
        chooser.AwaitFrame(kFilterShown[i], "answer to filter key " + key);
        key_bytes[i].push_back(static_cast<double>(chooser.bytes() - before));
      }
      chooser.Send(kEsc, "Esc in the filter field");
      chooser.AwaitQuiet("answer to Esc in the filter field");
      chooser.Send(kEsc, "final Esc");
      chooser.AwaitExit("end after the final Esc");
    } catch (const StepFailed& failed) {
      std::printf("zulchooser filter, run %d: %s; run given up, its other runs skipped\n", run,
                  failed.what.c_str());
      break;
    }
  }
  std::printf("\nFilter (zulchooser, %d names, median of runs; typed after /):\n", kCourseFiles);
  double total = 0;
  bool complete = true;
  for (std::size_t i = 0; i < kFilterKeys.size(); ++i) {
    const auto bytes = Median(key_bytes[i]);
    complete = complete && bytes.has_value();
    if (bytes) total += *bytes;
    std::printf("  \"%.*s\" -> %-28s %s\n", static_cast<int>(i + 1), kFilterKeys.data(), kFilterShown[i],
                Show(bytes, "%.0f bytes").c_str());
  }
  std::printf(
      "  bytes per filter key              %s\n",
      Show(complete ? std::optional(total / static_cast<double>(kFilterKeys.size())) : std::nullopt, "%.1f")
          .c_str());
}

// Removes the scratch folder on every way out.
struct ScratchFolder {
  fs::path path;
  ~ScratchFolder() {
    std::error_code ignored;
    if (!path.empty()) fs::remove_all(path, ignored);
  }
};

// The chooser built beside the benchmark (the bench preset builds both into one folder).
fs::path DefaultChooser() {
  std::error_code error;
  const fs::path bin = fs::read_symlink("/proc/self/exe", error).parent_path();
  return error ? fs::path("zulchooser") : bin / "zulchooser";
}

void Interrupt(int) { g_interrupted = 1; }

int Main(int argc, char** argv) {
  Options defaults;
  defaults.chooser = DefaultChooser().string();
  auto parsed = ParseOptions(std::vector<std::string_view>(argv + 1, argv + argc), defaults);
  if (!parsed) {
    std::fprintf(
        stderr,
        "usage: zul_bench [--runs N] [--chooser PATH] [--skip-listing] [--skip-completion] [--quiet-ms N] "
        "[--timeout-ms N]\n");
    return 2;
  }
  parsed->chooser = fs::absolute(parsed->chooser).string();
  const Options& options = *parsed;
  struct sigaction action {};
  action.sa_handler = Interrupt;
  for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGPIPE}) sigaction(signal, &action, nullptr);

  std::string root = (fs::read_symlink("/proc/self/exe").parent_path().parent_path() / "scratch.XXXXXX").string();
  if (mkdtemp(root.data()) == nullptr) throw std::runtime_error("cannot create the scratch folder " + root);
  const ScratchFolder scratch{root};
  const fs::path folder = scratch.path / "courses";
  CreateFiles(folder, kCourseFiles, "COURSE%04d.ZUL", "course%04d.zul");  // mixed case on disk

  std::vector<Subject> subjects;
  if (access(options.chooser.c_str(), X_OK) == 0) {
    subjects.push_back({"zulchooser", {options.chooser}, {}, kChooserListMarker});
  } else {
    std::printf("zulchooser: not found at %s\n", options.chooser.c_str());
  }
  for (const std::string peer : {"whiptail", "dialog"}) {
    if (!FindOnPath(peer)) {
      std::printf("%s: not installed, skipped\n", peer.c_str());
      continue;
    }
    Subject subject{peer, {peer, "--inputbox", kInputMarker, "8", "60"}, {peer}};
    if (peer == "whiptail") subject.list_box.push_back("--separate-output");
    for (const char* arg : {"--checklist", kListMarker, "30", "80", "20"}) subject.list_box.push_back(arg);
    for (int i = 1; i <= kCourseFiles; ++i) {
      char tag[32];
      std::snprintf(tag, sizeof tag, "COURSE%04d.ZUL", i);
      subject.list_box.insert(subject.list_box.end(), {tag, "", "off"});
    }
    subjects.push_back(subject);
  }

  std::vector<Result> results;
  if (subjects.empty() || subjects.front().name != "zulchooser") {
    results.push_back({"zulchooser", {}, "not found at " + options.chooser});
  }
  for (const Subject& subject : subjects) {
    std::printf("Running %s (%d runs)...\n", subject.name.c_str(), options.runs);
    std::fflush(stdout);
    results.push_back(Measure(subject, folder, options));
  }
  ReportTable(results, options);
  if (!subjects.empty() && subjects.front().name == "zulchooser") ReportFilter(folder, options);
  if (options.skip_listing) {
    std::printf("\nListing: skipped\n");
  } else if (subjects.empty() || subjects.front().name != "zulchooser") {
    std::printf("\nListing: skipped, no zulchooser\n");
  } else {
    ReportListing(scratch.path, folder, options);
  }
  if (options.skip_completion) {
    std::printf("\nCompletion: skipped\n");
  } else {
    ReportCompletion(scratch.path, options);
  }
  return 0;
}

}  // namespace
}  // namespace zul::bench

int main(int argc, char** argv) {
  try {
    return zul::bench::Main(argc, argv);
  } catch (const zul::bench::Interrupted&) {
    std::fprintf(stderr, "interrupted\n");
    return 130;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "zul_bench: %s\n", error.what());
    return 1;
  }
}
