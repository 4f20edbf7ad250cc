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

void LoadEarthMap(EarthMap& map, ProfileStore& store, MapImageLoader& loader,
                  MessageSink& owner, BuiltinImageSource& builtins) {
  const std::string path = ReadSetting(store, kEarthMapFile);
  if (path != kEarthMapFile.defaultValue) {
    // A mark left by a load of this very file means that load never ended:
    // the loader brought the program down, and would again at every start.
    // The mark names the file, so a stale one never condemns another choice.
    if (ReadSetting(store, kEarthMapFileLoading) != path) {
      WriteSetting(store, kEarthMapFileLoading, path);
      if (LoadMapFile(map, loader, path)) {
        WriteSetting(store, kEarthMapFileLoading, kEarthMapFileLoading.defaultValue);
        return;
      }
    }
    // Reset first, so the next start uses the built-in map and the failure
    // is reported only once; the mark goes only after the reset, so an end
    // in between can never bring a crashing file back.
    WriteSetting(store, kEarthMapFile, kEarthMapFile.defaultValue);
    WriteSetting(store, kEarthMapFileLoading, kEarthMapFileLoading.defaultValue);
    owner.ShowMessage(UnableToLoadMessage(path));
  }
  map = EarthMap{builtins.Load(BuiltinImage::EarthMap)};
}

}  // namespace lumivane
