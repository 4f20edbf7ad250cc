#pragma once

#include <span>
#include <string_view>

namespace lumivane {

// A file built into the program (cmake/embed_files.cmake writes the tables).
struct EmbeddedFile {
  std::string_view name;
  std::string_view bytes;
};

// res/places.bin, the built-in list of places (lumivane_place_data).
std::span<const EmbeddedFile> BuiltinPlaceFiles();

// The compiled IANA zones (TZif) of the built-in places, by zone name,
// sorted, as the build machine's tzdata has them (lumivane_zone_data).
std::span<const EmbeddedFile> BuiltinZoneFiles();

}  // namespace lumivane
