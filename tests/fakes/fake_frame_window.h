#pragma once

#include <string>
#include <vector>

#include "render/frame_window.h"
#include "render/image.h"

namespace lumivane {

// Records every picture shown, as a line "ShowFrame WxH" and as the picture.
class FakeFrameWindow : public FrameWindow {
 public:
  bool minimised = false;
  std::vector<std::string> log;
  std::vector<Image> shown;

  bool IsMinimised() const override;
  void ShowFrame(const Image& frame) override;
};

}  // namespace lumivane
