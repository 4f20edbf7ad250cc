#include "platform/qt/clock_change_watch.h"

#include <sys/timerfd.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <cerrno>
#include <cstdint>
#include <ctime>
#include <limits>
#include <utility>

namespace lumivane {

// A timer on the wall clock that runs out only at the end of time; the
// kernel cancels it, making it readable, whenever the clock is stepped.
ClockChangeWatch::ClockChangeWatch(std::function<void()> onChange, QObject* parent)
    : QObject(parent), onChange_(std::move(onChange)) {
  timer_ = timerfd_create(CLOCK_REALTIME, TFD_NONBLOCK | TFD_CLOEXEC);
  if (timer_ < 0) return;
  if (!Arm()) {
    close(timer_);
    timer_ = -1;
    return;
  }
  notifier_ = new QSocketNotifier(timer_, QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &ClockChangeWatch::OnReadable);
}

ClockChangeWatch::~ClockChangeWatch() {
  if (timer_ >= 0) close(timer_);
}

bool ClockChangeWatch::Arm() {
  itimerspec endOfTime{};
  endOfTime.it_value.tv_sec = std::numeric_limits<time_t>::max();
  return timerfd_settime(timer_, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &endOfTime,
                         nullptr) == 0;
}

void ClockChangeWatch::OnReadable() {
  std::uint64_t expirations = 0;
  // Fails with ECANCELED after a step; either way the timer reads empty now.
  if (read(timer_, &expirations, sizeof expirations) < 0 && errno == EAGAIN) return;
  Arm();
  onChange_();
}

}  // namespace lumivane
