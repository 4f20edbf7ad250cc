#pragma once

#include <QObject>
#include <functional>

class QSocketNotifier;

namespace lumivane {

// Reports every step of the wall clock: the user or a time service setting
// it, and the computer waking up from sleep (the kernel steps the clock
// then). Between steps it costs no wakeups. Where the watch cannot be set up
// it reports nothing, and the picture still follows the refresh timer.
class ClockChangeWatch final : public QObject {
  Q_OBJECT

 public:
  ClockChangeWatch(std::function<void()> onChange, QObject* parent);
  ~ClockChangeWatch() override;

 private:
  bool Arm();
  void OnReadable();

  std::function<void()> onChange_;
  int timer_ = -1;
  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace lumivane
