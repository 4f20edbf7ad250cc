#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "places/geo_point.h"

namespace lumivane {

// Points on the Earth in a k-d tree over their unit vectors: the straight
// chord between two points grows with the distance along the surface, so
// the nearest by chord is the nearest by great circle, across the date line
// and the poles alike.
class PointTree {
 public:
  PointTree() = default;
  explicit PointTree(const std::vector<GeoPoint>& points);

  // The index of the point nearest to `from` within maxKm, if any; of two
  // equally near, either.
  std::optional<std::uint32_t> Nearest(GeoPoint from, double maxKm) const;

 private:
  using Vector = std::array<double, 3>;
  struct Node {
    Vector at;
    std::uint32_t index;
  };

  void Build(std::size_t begin, std::size_t end, int axis);
  void Search(std::size_t begin, std::size_t end, int axis, const Vector& from, double& bestSquared,
              std::optional<std::uint32_t>& best) const;
  static Vector UnitVector(GeoPoint point);

  std::vector<Node> nodes_;  // each range's median at its middle
};

}  // namespace lumivane
