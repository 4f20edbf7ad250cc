#pragma once

namespace lumivane {

// Keeps Qt's own warnings (QImage, the image format plugins) off the
// terminal: the renderer reports each failure in one line of its own.
void SilenceLibraryMessages();

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
