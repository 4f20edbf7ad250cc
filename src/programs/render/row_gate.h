#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace lumivane {

// Lets an encoder start on the first rows of a picture while the rest is
// still being made: rows [0, n) may be read once n has been published.
class RowGate {
 public:
  // Blocks until rows [0, rows) are final; false when the picture will not
  // be finished (the encoder then gives up).
  bool WaitForRows(std::int32_t rows) {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [&] { return abandoned_ || ready_ >= rows; });
    return !abandoned_;
  }

  void Publish(std::int32_t rows) {
    Change([&] { ready_ = rows; });
  }
  void Abandon() {
    Change([&] { abandoned_ = true; });
  }

 private:
  template <typename Update>
  void Change(Update update) {
    {
      const std::lock_guard<std::mutex> lock(mutex_);
      update();
    }
    changed_.notify_all();
  }

  std::mutex mutex_;
  std::condition_variable changed_;
  std::int32_t ready_ = 0;
  bool abandoned_ = false;
};

}  // namespace lumivane
