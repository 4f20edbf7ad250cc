#include "places/point_tree.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace lumivane {

PointTree::PointTree(const std::vector<GeoPoint>& points) {
  nodes_.reserve(points.size());
  for (std::size_t i = 0; i < points.size(); ++i) {
    nodes_.push_back({UnitVector(points[i]), static_cast<std::uint32_t>(i)});
  }
  Build(0, nodes_.size(), 0);
}

PointTree::Vector PointTree::UnitVector(GeoPoint point) {
  constexpr double kRadiansPerDegree = std::numbers::pi / 180;
  const double latitude = point.latitude * kRadiansPerDegree;
  const double longitude = point.longitude * kRadiansPerDegree;
  return {std::cos(latitude) * std::cos(longitude), std::cos(latitude) * std::sin(longitude),
          std::sin(latitude)};
}

void PointTree::Build(std::size_t begin, std::size_t end, int axis) {
  if (end - begin < 2) return;
  const std::size_t middle = begin + (end - begin) / 2;
  const auto axisBefore = [axis](const Node& a, const Node& b) { return a.at[axis] < b.at[axis]; };
  std::nth_element(nodes_.begin() + static_cast<long>(begin),
                   nodes_.begin() + static_cast<long>(middle),
                   nodes_.begin() + static_cast<long>(end), axisBefore);
  const int next = (axis + 1) % 3;
  Build(begin, middle, next);
  Build(middle + 1, end, next);
}

void PointTree::Search(std::size_t begin, std::size_t end, int axis, const Vector& from,
                       double& bestSquared, std::optional<std::uint32_t>& best) const {
  if (begin >= end) return;
  const std::size_t middle = begin + (end - begin) / 2;
  const Node& node = nodes_[middle];
  double squared = 0;
  for (int i = 0; i < 3; ++i) squared += (node.at[i] - from[i]) * (node.at[i] - from[i]);
  if (squared <= bestSquared) {
    bestSquared = squared;
    best = node.index;
  }
  const double across = from[axis] - node.at[axis];
  const int next = (axis + 1) % 3;
  // The side holding `from` first; the other only if it can be nearer.
  if (across < 0) {
    Search(begin, middle, next, from, bestSquared, best);
    if (across * across <= bestSquared) Search(middle + 1, end, next, from, bestSquared, best);
  } else {
    Search(middle + 1, end, next, from, bestSquared, best);
    if (across * across <= bestSquared) Search(begin, middle, next, from, bestSquared, best);
  }
}

std::optional<std::uint32_t> PointTree::Nearest(GeoPoint from, double maxKm) const {
  // The chord of an arc of maxKm on the unit sphere (the whole diameter for
  // any arc of half the circumference or more).
  const double angle = std::clamp(maxKm / kEarthRadiusKm, 0.0, std::numbers::pi);
  const double chord = 2 * std::sin(angle / 2);
  double bestSquared = chord * chord;
  std::optional<std::uint32_t> best;
  Search(0, nodes_.size(), 0, UnitVector(from), bestSquared, best);
  return best;
}

}  // namespace lumivane
