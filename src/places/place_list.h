#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "places/geo_point.h"
#include "places/name_folding.h"
#include "places/point_tree.h"

namespace lumivane {

struct Place {
  std::string_view name;     // UTF-8, as the place calls itself in Latin letters
  std::string_view country;  // ISO 3166-1 alpha-2 code, "AU"
  std::string_view zone;     // IANA time zone, "Australia/Sydney"
  GeoPoint point;            // to 1/100000 degree
  std::uint32_t population = 0;
};

// The list of places made by tools/gen/places.py (its layout is described
// there), read in place: the bytes must outlive the list.
class PlaceList {
 public:
  // Absent when the bytes are not such a list.
  static std::optional<PlaceList> Read(std::string_view bytes);

  std::size_t size() const { return nameStarts_.size(); }
  Place operator[](std::size_t i) const;

  // The places whose folded name starts with the folded query, at most
  // `limit`: names equal to the query first, each group by population,
  // largest first. None for a query that folds to nothing.
  std::vector<std::size_t> Find(std::string_view query, std::size_t limit) const;

  // The place nearest to the point within maxKm along the surface.
  std::optional<std::size_t> Nearest(GeoPoint point, double maxKm) const;

 private:
  std::string_view latitudes_, longitudes_, populations_, zoneNumbers_, countryNumbers_;
  std::vector<std::string_view> zones_;
  std::string_view countries_;
  std::vector<std::uint32_t> nameStarts_;  // into bytes_
  std::string_view bytes_;
  NameFolding folding_;
  // The folded names, one after another, and where each ends.
  std::string keys_;
  std::vector<std::uint32_t> keyEnds_;
  std::vector<std::uint32_t> byKey_;  // place numbers in key order
  PointTree tree_;

  std::string_view Key(std::size_t rank) const;
};

// The list built into the program; empty if it could not be read.
const PlaceList& BuiltinPlaces();

}  // namespace lumivane
