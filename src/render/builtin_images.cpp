#include "render/builtin_images.h"

#include <iterator>

#include "render/ports.h"
#include "resource.h"

namespace lumivane {

namespace {

// Each role's bitmap resource number and file, in the roles' order.
struct BuiltinImageResource {
  std::int32_t id;
  const char* fileName;
};
constexpr BuiltinImageResource kResources[] = {
    {IDB_DEFAULT_EARTH_MAP, "earth_map.bmp"},
    {IDB_SUN_IMAGE, "sun_image.bmp"},
    {IDB_SUN_MASK, "sun_mask.bmp"},
    {IDB_MOON_FULL_IMAGE, "moon_full_image.bmp"},
    {IDB_MOON_NEW_IMAGE, "moon_new_image.bmp"},
    {IDB_MOON_MASK, "moon_mask.bmp"},
    {IDB_MOON_FIRST_QUARTER_IMAGE, "moon_first_quarter_image.bmp"},
    {IDB_MOON_LAST_QUARTER_IMAGE, "moon_last_quarter_image.bmp"},
    {IDB_NIGHT_LIGHTS, "night_lights.bmp"},
    {IDB_PIN_FONT, "pin_font.bmp"},
};

// A value outside the roles has no resource.
BuiltinImageResource ResourceOf(BuiltinImage image) {
  const auto role = static_cast<std::size_t>(image);
  return role < std::size(kResources) ? kResources[role] : BuiltinImageResource{0, ""};
}

}  // namespace

std::int32_t ResourceId(BuiltinImage image) { return ResourceOf(image).id; }

const char* ResourceFileName(BuiltinImage image) { return ResourceOf(image).fileName; }

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
  markers.pinFont = source.Load(BuiltinImage::PinFont);
  return markers;
}

}  // namespace lumivane
