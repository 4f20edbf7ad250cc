#include "fake_frame_window.h"

namespace lumivane {

bool FakeFrameWindow::IsMinimised() const { return minimised; }

void FakeFrameWindow::ShowFrame(const Image& frame) {
  log.push_back("ShowFrame " + std::to_string(frame.width()) + "x" +
                std::to_string(frame.height()));
  shown.push_back(frame);
}

}  // namespace lumivane
