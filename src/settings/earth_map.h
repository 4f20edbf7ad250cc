#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "render/ports.h"
#include "render/image.h"
#include "settings/ports.h"

namespace lumivane {

// The map the world window shades and shows, with its size in pixels (the
// default base size of the display).
struct EarthMap {
  Image image;
  std::int32_t nativeWidth = kDefaultEarthMapWidth;
  std::int32_t nativeHeight = kDefaultEarthMapHeight;
};

// The message for a map file that cannot be loaded.
std::string UnableToLoadMessage(const std::string& path);

// Loads the picture file into the map and takes its size as the native size.
// False when it cannot be loaded; the map is then left as it was.
bool LoadMapFile(EarthMap& map, MapImageLoader& loader, const std::string& path);

// Chooses the map from options/image: "Default" (exactly) is the built-in
// map, anything else a file. A file that fails is forgotten at once (the
// setting becomes "Default"), reported once through owner, and the built-in
// map is used, always at its native size of 400 x 200. A file whose load
// ended the program last time (options/loadingimage still names it) counts
// as failed without being read again.
void LoadEarthMap(EarthMap& map, ProfileStore& store, MapImageLoader& loader, MessageSink& owner,
                  BuiltinImageSource& builtins);

// The city lights from sky/nightlights: nothing for "None" (and for any
// value when the setting is missing), the built-in picture for "Default",
// else the picture file, loaded with the same mark, message and reset as a
// map file (a file that fails makes the setting "None").
std::optional<Image> LoadNightLights(ProfileStore& store, MapImageLoader& loader,
                                     MessageSink& owner, BuiltinImageSource& builtins);

}  // namespace lumivane
