#include "temporary_files.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <ctime>

#include <fcntl.h>
#include <sched.h>
#include <unistd.h>

namespace lumivane {

namespace {

// A watch goes Free -> Filling -> Opening -> Open -> Free in its thread; the
// signal handler takes an Opening or Open one as Removing and never gives
// it back. Only the thread that took a Free watch writes its path, and only
// in Filling, so the handler never reads a path being written.
enum State : int { Free, Filling, Opening, Open, Removing };

struct Watch {
  std::atomic<int> state{Free};
  pid_t opener = 0;  // the thread in open(), while Opening
  char path[PATH_MAX];
};

Watch watches[kMaxWatched];
// Set by the handler before it looks: no file is created after that.
std::atomic<bool> ending{false};

constexpr int kEndingSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGPIPE};
constexpr long kLongestWaitNanoseconds = 2'000'000'000;

bool TakeOver(Watch& watch, int from) {
  return watch.state.compare_exchange_strong(from, Removing);
}

// Another thread is inside open(): its file may appear at any moment, so
// wait until it has (or two seconds have passed).
int WaitWhileOpening(Watch& watch) {
  timespec start{};
  clock_gettime(CLOCK_MONOTONIC, &start);
  int state = watch.state.load();
  while (state == Opening) {
    sched_yield();
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    if ((now.tv_sec - start.tv_sec) * 1'000'000'000L + (now.tv_nsec - start.tv_nsec) >
        kLongestWaitNanoseconds) {
      break;
    }
    state = watch.state.load();
  }
  return state;
}

// The signal handler: only async-signal-safe calls, here and in the
// helpers above.
void RemoveAndEnd(int number) {
  const int savedErrno = errno;
  ending = true;
  const pid_t self = gettid();
  for (Watch& watch : watches) {
    int state = watch.state.load();
    // This thread, interrupted inside its own open(), will never go on.
    if (state == Opening && watch.opener != self) state = WaitWhileOpening(watch);
    if ((state == Opening || state == Open) && TakeOver(watch, state)) unlink(watch.path);
  }
  // Blocked while we are here: delivered, with the default action, as soon
  // as the handler returns.
  std::signal(number, SIG_DFL);
  std::raise(number);
  errno = savedErrno;
}

}  // namespace

void RemoveTemporaryFilesOnSignals() {
  struct sigaction action {};
  action.sa_handler = RemoveAndEnd;
  sigemptyset(&action.sa_mask);
  for (const int signal : kEndingSignals) sigaddset(&action.sa_mask, signal);
  for (const int signal : kEndingSignals) {
    // A signal ignored by whoever started us (nohup) stays ignored.
    struct sigaction before {};
    if (sigaction(signal, nullptr, &before) == 0 && before.sa_handler == SIG_IGN) continue;
    sigaction(signal, &action, nullptr);
  }
}

TemporaryFile CreateTemporaryFile(const char* path, mode_t mode) {
  Watch* taken = nullptr;
  if (std::strlen(path) < PATH_MAX) {
    for (Watch& watch : watches) {
      int expected = Free;
      if (watch.state.compare_exchange_strong(expected, Filling)) {
        taken = &watch;
        break;
      }
    }
  }
  if (taken) {
    std::strcpy(taken->path, path);
    taken->opener = gettid();
    taken->state = Opening;
  }
  // Checked after the watch shows Opening: a handler that set it either
  // sees this watch or is seen here.
  if (ending) {
    int expected = Opening;
    if (taken) taken->state.compare_exchange_strong(expected, Free);
    errno = EINTR;
    return {};
  }
  const int descriptor = open(path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
  const int error = errno;
  if (taken) {
    int expected = Opening;
    taken->state.compare_exchange_strong(expected, descriptor >= 0 ? Open : Free);
  }
  errno = error;
  if (descriptor < 0) return {};
  return TemporaryFile{descriptor, taken ? static_cast<int>(taken - watches) : -1};
}

void ForgetTemporaryFile(int watch) {
  if (watch < 0 || watch >= kMaxWatched) return;
  int expected = Open;
  watches[watch].state.compare_exchange_strong(expected, Free);
}

}  // namespace lumivane
