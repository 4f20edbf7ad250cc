#include "bench_support.h"

#include "platform/qt/qt_builtin_images.h"

namespace lumivane::bench {

const BuiltinPictures& Builtins() {
  static const BuiltinPictures pictures = [] {
    QtBuiltinImageSource source;
    return BuiltinPictures{source.Load(BuiltinImage::EarthMap), LoadMarkerImages(source),
                           source.Load(BuiltinImage::NightLights)};
  }();
  return pictures;
}

}  // namespace lumivane::bench
