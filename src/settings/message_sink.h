#pragma once

#include <string>

namespace lumivane {

// Port: a message box with an OK button only, owned by the window that asks.
// The shell adds the caption (the application name) and waits for OK.
class MessageSink {
 public:
  virtual ~MessageSink() = default;
  virtual void ShowMessage(const std::string& text) = 0;
};

}  // namespace lumivane
