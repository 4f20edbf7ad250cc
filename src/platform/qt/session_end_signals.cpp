#include "platform/qt/session_end_signals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>

namespace lumivane {
namespace {

constexpr int kEndingSignals[] = {SIGTERM, SIGHUP, SIGINT, SIGQUIT};

// The self-pipe: a handler may only write a byte, the loop does the rest.
int pipeEnds[2] = {-1, -1};

void NoteSignal(int) {
  const int saved = errno;
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = ::write(pipeEnds[1], &byte, 1);
  errno = saved;
}

void SetSignals(void (*handler)(int)) {
  struct sigaction action {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (const int signal : kEndingSignals) ::sigaction(signal, &action, nullptr);
}

}  // namespace

SessionEndSignals::SessionEndSignals(std::function<void()> onEnd) : onEnd_(std::move(onEnd)) {
  if (::pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0) return;
  notifier_ = std::make_unique<QSocketNotifier>(pipeEnds[0], QSocketNotifier::Read);
  connect(notifier_.get(), &QSocketNotifier::activated, this, [this] {
    char bytes[16];
    while (::read(pipeEnds[0], bytes, sizeof bytes) > 0) {
    }
    onEnd_();
  });
  SetSignals(NoteSignal);
}

SessionEndSignals::~SessionEndSignals() {
  SetSignals(SIG_DFL);
  notifier_.reset();
  for (int& end : pipeEnds) {
    if (end >= 0) ::close(end);
    end = -1;
  }
}

}  // namespace lumivane
