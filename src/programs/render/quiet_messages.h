#pragma once

namespace lumivane {

// While it lives, whatever the libraries write straight to standard error
// (libpng's and libjpeg's messages) goes nowhere. Our own lines are printed
// outside its lifetime.
class QuietStandardError {
 public:
  QuietStandardError();
  ~QuietStandardError();
  QuietStandardError(const QuietStandardError&) = delete;
  QuietStandardError& operator=(const QuietStandardError&) = delete;

 private:
  int saved_ = -1;  // the real standard error, restored at the end
};

}  // namespace lumivane
