#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "render/map_pins.h"

namespace lumivane {

// The stored pins: entries separated by ';', each "LAT,LON,LABEL" (degrees,
// north and east positive; the label is everything after the second comma
// and may be empty or left out). Spaces around the numbers are allowed.
// An entry that cannot be read keeps its text and has no pin, so a rewrite
// can keep it as it was; empty entries are dropped.
struct PinEntry {
  std::string text;
  std::optional<MapPin> pin;
};
std::vector<PinEntry> ReadPinEntries(std::string_view text);

// The pins that could be read, in order.
std::vector<MapPin> ReadPins(std::string_view text);

// One pin as an entry: the numbers with up to 6 decimals, then the label
// (its ';' left out, for it ends the entry).
std::string PinEntryText(const MapPin& pin);

// Entries joined with ';'.
std::string JoinPinEntries(const std::vector<std::string>& entries);

}  // namespace lumivane
