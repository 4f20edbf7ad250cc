#pragma once

#include "render/builtin_images.h"
#include "render/ports.h"
#include "render/image.h"

namespace lumivane::bench {

// A window that keeps a copy of what it shows, as a window's backing store
// does: the cost a cached paint really has.
class CopyingFrameWindow final : public FrameWindow {
 public:
  bool IsMinimised() const override { return false; }
  void ShowFrame(const Image& frame) override { surface = frame; }
  Image surface;
};

// The built-in map and markers, decoded once.
struct BuiltinPictures {
  Image earthMap;
  MarkerImages markers;
  Image nightLights;
};
const BuiltinPictures& Builtins();

}  // namespace lumivane::bench
