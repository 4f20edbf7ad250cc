#include "render/builtin_images.h"

#include "render/ports.h"

namespace lumivane {

std::int32_t ResourceId(BuiltinImage image) {
  switch (image) {
    case BuiltinImage::EarthMap: return 131;
    case BuiltinImage::SunImage: return 134;
    case BuiltinImage::SunMask: return 136;
    case BuiltinImage::MoonFullImage: return 137;
    case BuiltinImage::MoonNewImage: return 138;
    case BuiltinImage::MoonMask: return 139;
    case BuiltinImage::MoonFirstQuarterImage: return 140;
    case BuiltinImage::MoonLastQuarterImage: return 141;
  }
  return 0;
}

const char* ResourceFileName(BuiltinImage image) {
  switch (image) {
    case BuiltinImage::EarthMap: return "earth_map.bmp";
    case BuiltinImage::SunImage: return "sun_image.bmp";
    case BuiltinImage::SunMask: return "sun_mask.bmp";
    case BuiltinImage::MoonFullImage: return "moon_full_image.bmp";
    case BuiltinImage::MoonNewImage: return "moon_new_image.bmp";
    case BuiltinImage::MoonMask: return "moon_mask.bmp";
    case BuiltinImage::MoonFirstQuarterImage: return "moon_first_quarter_image.bmp";
    case BuiltinImage::MoonLastQuarterImage: return "moon_last_quarter_image.bmp";
  }
  return "";
}

BuiltinImage MoonImageFor(MoonPhase phase) {
  switch (phase) {
    case MoonPhase::New: return BuiltinImage::MoonNewImage;
    case MoonPhase::FirstQuarter: return BuiltinImage::MoonFirstQuarterImage;
    case MoonPhase::Full: return BuiltinImage::MoonFullImage;
    case MoonPhase::LastQuarter: return BuiltinImage::MoonLastQuarterImage;
  }
  return BuiltinImage::MoonNewImage;
}

const Image& MarkerImages::MoonImage(MoonPhase phase) const {
  switch (phase) {
    case MoonPhase::New: return moonNew;
    case MoonPhase::FirstQuarter: return moonFirstQuarter;
    case MoonPhase::Full: return moonFull;
    case MoonPhase::LastQuarter: return moonLastQuarter;
  }
  return moonNew;
}

MarkerImages LoadMarkerImages(BuiltinImageSource& source) {
  // The order in which the window has always loaded them.
  MarkerImages markers;
  markers.sunImage = source.Load(BuiltinImage::SunImage);
  markers.sunMask = source.Load(BuiltinImage::SunMask);
  markers.moonFull = source.Load(BuiltinImage::MoonFullImage);
  markers.moonNew = source.Load(BuiltinImage::MoonNewImage);
  markers.moonFirstQuarter = source.Load(BuiltinImage::MoonFirstQuarterImage);
  markers.moonLastQuarter = source.Load(BuiltinImage::MoonLastQuarterImage);
  markers.moonMask = source.Load(BuiltinImage::MoonMask);
  return markers;
}

}  // namespace lumivane
