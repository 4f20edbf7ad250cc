#include "places/place_list.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "places/embedded_files.h"

namespace lumivane {

namespace {

constexpr std::uint32_t kVersion = 1;

std::uint32_t Unsigned(std::string_view bytes, std::size_t at, std::size_t size) {
  std::uint32_t value = 0;
  for (std::size_t i = size; i-- > 0;) {
    value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  }
  return value;
}

// Hands out the file's sections in order, failing once the bytes run out.
class Sections {
 public:
  explicit Sections(std::string_view bytes) : bytes_(bytes) {}
  bool Take(std::size_t size, std::string_view& into) {
    if (failed_ || bytes_.size() - at_ < size) return !(failed_ = true);
    into = bytes_.substr(at_, size);
    at_ += size;
    return true;
  }
  std::uint32_t Word() {
    std::string_view word;
    return Take(4, word) ? Unsigned(word, 0, 4) : 0;
  }
  // The next `count` strings that each end in a zero byte.
  bool Strings(std::size_t count, std::vector<std::uint32_t>& starts) {
    starts.reserve(count);
    for (std::size_t i = 0; i < count && !failed_; ++i) {
      const std::size_t end = bytes_.find('\0', at_);
      if (end == std::string_view::npos) return !(failed_ = true);
      starts.push_back(static_cast<std::uint32_t>(at_));
      at_ = end + 1;
    }
    return !failed_;
  }
  bool failed() const { return failed_; }

 private:
  std::string_view bytes_;
  std::size_t at_ = 0;
  bool failed_ = false;
};

std::string_view StringAt(std::string_view bytes, std::uint32_t start) {
  return bytes.substr(start, bytes.find('\0', start) - start);
}

}  // namespace

std::optional<PlaceList> PlaceList::Read(std::string_view bytes) {
  PlaceList list;
  list.bytes_ = bytes;
  Sections sections(bytes);
  std::string_view magic;
  if (!sections.Take(4, magic) || magic != "LVPL" || sections.Word() != kVersion) {
    return std::nullopt;
  }
  const std::uint32_t places = sections.Word();
  const std::uint32_t zones = sections.Word();
  const std::uint32_t countries = sections.Word();
  const std::uint32_t rangeCount = sections.Word();
  if (sections.failed() || rangeCount > 64 || zones > 65535 || countries > 256 ||
      places > bytes.size()) {
    return std::nullopt;
  }
  std::vector<NameFolding::Range> ranges(rangeCount);
  for (auto& range : ranges) {
    range.first = sections.Word();
    range.count = sections.Word();
    if (range.count > 0x110000) return std::nullopt;
  }
  for (auto& range : ranges) {
    if (!sections.Take(2 * std::size_t{range.count}, range.entries)) return std::nullopt;
  }
  list.folding_ = NameFolding(std::move(ranges));

  std::vector<std::uint32_t> zoneStarts;
  if (!sections.Strings(zones, zoneStarts)) return std::nullopt;
  for (std::uint32_t start : zoneStarts) list.zones_.push_back(StringAt(bytes, start));
  if (!sections.Take(2 * std::size_t{countries}, list.countries_) ||
      !sections.Take(4 * std::size_t{places}, list.latitudes_) ||
      !sections.Take(4 * std::size_t{places}, list.longitudes_) ||
      !sections.Take(4 * std::size_t{places}, list.populations_) ||
      !sections.Take(2 * std::size_t{places}, list.zoneNumbers_) ||
      !sections.Take(std::size_t{places}, list.countryNumbers_) ||
      !sections.Strings(places, list.nameStarts_)) {
    return std::nullopt;
  }

  std::vector<GeoPoint> points;
  points.reserve(places);
  for (std::size_t i = 0; i < places; ++i) {
    if (Unsigned(list.zoneNumbers_, 2 * i, 2) >= zones ||
        static_cast<unsigned char>(list.countryNumbers_[i]) >= countries) {
      return std::nullopt;
    }
    const Place place = list[i];
    if (!(std::abs(place.point.latitude) <= 90 && std::abs(place.point.longitude) <= 180)) {
      return std::nullopt;
    }
    points.push_back(place.point);
    list.keys_ += list.folding_.Fold(place.name);
    list.keyEnds_.push_back(static_cast<std::uint32_t>(list.keys_.size()));
  }
  list.byKey_.resize(places);
  std::iota(list.byKey_.begin(), list.byKey_.end(), 0u);
  const auto keyOf = [&list](std::uint32_t i) {
    const std::uint32_t begin = i == 0 ? 0 : list.keyEnds_[i - 1];
    return std::string_view(list.keys_).substr(begin, list.keyEnds_[i] - begin);
  };
  // The generator sorts by the same folding; should the two ever disagree,
  // the search still works, on an order of its own.
  const auto byKey = [&keyOf](std::uint32_t a, std::uint32_t b) { return keyOf(a) < keyOf(b); };
  if (!std::is_sorted(list.byKey_.begin(), list.byKey_.end(), byKey)) {
    std::stable_sort(list.byKey_.begin(), list.byKey_.end(), byKey);
  }
  list.tree_ = PointTree(points);
  return list;
}

std::string_view PlaceList::Key(std::size_t rank) const {
  const std::uint32_t i = byKey_[rank];
  const std::uint32_t begin = i == 0 ? 0 : keyEnds_[i - 1];
  return std::string_view(keys_).substr(begin, keyEnds_[i] - begin);
}

Place PlaceList::operator[](std::size_t i) const {
  const auto degrees = [](std::uint32_t raw) {
    return static_cast<double>(static_cast<std::int32_t>(raw)) / 100000;
  };
  const std::size_t country = static_cast<unsigned char>(countryNumbers_[i]);
  return {StringAt(bytes_, nameStarts_[i]),
          countries_.substr(2 * country, 2),
          zones_[Unsigned(zoneNumbers_, 2 * i, 2)],
          {degrees(Unsigned(latitudes_, 4 * i, 4)), degrees(Unsigned(longitudes_, 4 * i, 4))},
          Unsigned(populations_, 4 * i, 4)};
}

std::vector<std::size_t> PlaceList::Find(std::string_view query, std::size_t limit) const {
  const std::string key = folding_.Fold(query);
  if (key.empty()) return {};
  // Ranks [first, last) hold the keys that start with `key`.
  std::size_t first = 0;
  std::size_t count = byKey_.size();
  while (count > 0) {
    const std::size_t half = count / 2;
    if (Key(first + half) < key) {
      first += half + 1;
      count -= half + 1;
    } else {
      count = half;
    }
  }
  std::size_t last = first;
  count = byKey_.size() - first;
  while (count > 0) {
    const std::size_t half = count / 2;
    if (Key(last + half).starts_with(key)) {
      last += half + 1;
      count -= half + 1;
    } else {
      count = half;
    }
  }
  // Names equal to the query first (the only keys of its length in the
  // range), then the larger places.
  std::vector<std::size_t> ranks(last - first);
  std::iota(ranks.begin(), ranks.end(), first);
  const std::size_t kept = std::min(limit, ranks.size());
  std::partial_sort(ranks.begin(), ranks.begin() + static_cast<long>(kept), ranks.end(),
                    [&](std::size_t a, std::size_t b) {
                      const bool aEqual = Key(a).size() == key.size();
                      const bool bEqual = Key(b).size() == key.size();
                      if (aEqual != bEqual) return aEqual;
                      const std::uint32_t pa = Unsigned(populations_, 4 * byKey_[a], 4);
                      const std::uint32_t pb = Unsigned(populations_, 4 * byKey_[b], 4);
                      return pa != pb ? pa > pb : a < b;
                    });
  std::vector<std::size_t> found;
  for (std::size_t i = 0; i < kept; ++i) found.push_back(byKey_[ranks[i]]);
  return found;
}

std::optional<std::size_t> PlaceList::Nearest(GeoPoint point, double maxKm) const {
  return tree_.Nearest(point, maxKm);
}

const PlaceList& BuiltinPlaces() {
  static const PlaceList list = [] {
    const auto files = BuiltinPlaceFiles();
    auto read = files.empty() ? std::nullopt : PlaceList::Read(files.front().bytes);
    return read ? std::move(*read) : PlaceList();
  }();
  return list;
}

}  // namespace lumivane
