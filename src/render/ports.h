#pragma once

#include <string>

#include "render/builtin_images.h"
#include "render/image.h"

namespace lumivane {

// The render layer's ports: the window a frame is painted into and the
// source of the built-in pictures.

// Port: the window the frame composer paints into.
class FrameWindow {
 public:
  virtual ~FrameWindow() = default;

  // Minimised windows are not painted at all.
  virtual bool IsMinimised() const = 0;

  // Device pixels per window pixel: frames are composed at the window's size
  // times this and shown one to one on the device. 1 where the two are the
  // same.
  virtual double DevicePixelRatio() const { return 1.0; }

  // Shows the whole picture with its top-left corner at the window's.
  virtual void ShowFrame(const Image& frame) = 0;

  // What the frame shows, in words, for screen readers; given at each full
  // recomputation.
  virtual void DescribeFrame(const std::string& /*description*/) {}
};

// Port: the shells give the core the built-in pictures.
class BuiltinImageSource {
 public:
  virtual ~BuiltinImageSource() = default;
  virtual Image Load(BuiltinImage image) = 0;
};

}  // namespace lumivane
