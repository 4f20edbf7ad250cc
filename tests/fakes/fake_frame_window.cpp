#include "fake_frame_window.h"

#include <new>

namespace lumivane {

bool FakeFrameWindow::IsMinimised() const { return minimised; }

void FakeFrameWindow::ShowFrame(const Image& frame) {
  if (framesThatFail > 0 && framesThatFail--) throw std::bad_alloc();
  log.push_back("ShowFrame " + std::to_string(frame.width()) + "x" +
                std::to_string(frame.height()));
  shown.push_back(frame);
}

}  // namespace lumivane
