#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <functional>
#include <memory>

namespace lumivane {

// Turns the signals that end a session or a terminal (SIGTERM from a session
// manager at logout, SIGHUP, SIGINT, SIGQUIT) into a call on the event loop,
// so that the program can end the way a close request ends it, place saved.
// One per process.
class SessionEndSignals final : public QObject {
 public:
  explicit SessionEndSignals(std::function<void()> onEnd);
  ~SessionEndSignals() override;

 private:
  std::function<void()> onEnd_;
  std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace lumivane
