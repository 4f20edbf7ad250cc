#pragma once

#include <string>
#include <vector>

#include "fakes/call_log.h"
#include "render/ports.h"
#include "render/image.h"

namespace lumivane {

// Records every picture shown, as a line "ShowFrame WxH" and as the picture,
// and apart from them the descriptions given.
class FakeFrameWindow : public FrameWindow, public CallLog {
 public:
  using CallLog::CallLog;

  bool minimised = false;
  double devicePixelRatio = 1.0;
  std::vector<Image> shown;
  std::vector<std::string> descriptions;
  // The next frames that run out of memory when shown.
  int framesThatFail = 0;

  bool IsMinimised() const override;
  double DevicePixelRatio() const override { return devicePixelRatio; }
  void ShowFrame(const Image& frame) override;
  void DescribeFrame(const std::string& description) override {
    descriptions.push_back(description);
  }
};

}  // namespace lumivane
