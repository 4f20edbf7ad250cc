#include "settings/earth_map.h"

#include <utility>

#include "settings/setting_table.h"

namespace lumivane {

std::string UnableToLoadMessage(const std::string& path) {
  return "Unable to load:\n" + path + "\nUsing default image.";
}

bool LoadMapFile(EarthMap& map, MapImageLoader& loader, const std::string& path) {
  std::optional<Image> picture = loader.LoadImageFile(path);
  if (!picture || picture->empty()) return false;
  map.nativeWidth = picture->width();
  map.nativeHeight = picture->height();
  map.image = std::move(*picture);
  return true;
}

namespace {

// The picture a file setting names. A mark left by a load of this very file
// means that load never ended: the loader brought the program down, and
// would again at every start. The mark names the file, so a stale one never
// condemns another choice. A file that fails is reset first, so the next
// start does without it and the failure is reported only once; the mark goes
// only after the reset, so an end in between can never bring a crashing file
// back.
std::optional<Image> LoadNamedPicture(ProfileStore& store, MapImageLoader& loader,
                                      MessageSink& owner, const TextSetting& setting,
                                      std::string_view resetTo, const std::string& path) {
  if (ReadSetting(store, kEarthMapFileLoading) != path) {
    WriteSetting(store, kEarthMapFileLoading, path);
    std::optional<Image> picture = loader.LoadImageFile(path);
    if (picture && !picture->empty()) {
      WriteSetting(store, kEarthMapFileLoading, kEarthMapFileLoading.defaultValue);
      return picture;
    }
  }
  WriteSetting(store, setting, resetTo);
  WriteSetting(store, kEarthMapFileLoading, kEarthMapFileLoading.defaultValue);
  owner.ShowMessage(UnableToLoadMessage(path));
  return std::nullopt;
}

}  // namespace

void LoadEarthMap(EarthMap& map, ProfileStore& store, MapImageLoader& loader, MessageSink& owner,
                  BuiltinImageSource& builtins) {
  const std::string path = ReadSetting(store, kEarthMapFile);
  if (path != kEarthMapFile.defaultValue) {
    std::optional<Image> picture =
        LoadNamedPicture(store, loader, owner, kEarthMapFile, kEarthMapFile.defaultValue, path);
    if (picture) {
      map.nativeWidth = picture->width();
      map.nativeHeight = picture->height();
      map.image = std::move(*picture);
      return;
    }
  }
  map = EarthMap{builtins.Load(BuiltinImage::EarthMap)};
}

std::optional<Image> LoadNightLights(ProfileStore& store, MapImageLoader& loader,
                                     MessageSink& owner, BuiltinImageSource& builtins) {
  const std::string choice = ReadSetting(store, kNightLightsFile);
  if (choice == kNoNightLights) return std::nullopt;
  if (choice == kBuiltinNightLights) return builtins.Load(BuiltinImage::NightLights);
  return LoadNamedPicture(store, loader, owner, kNightLightsFile, kNoNightLights, choice);
}

}  // namespace lumivane
