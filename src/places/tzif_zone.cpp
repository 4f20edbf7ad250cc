#include "places/tzif_zone.h"

#include <algorithm>
#include <limits>

namespace lumivane {

// Reads big-endian fields from the front of the bytes; every read fails once
// the bytes run out.
class TzifReader {
 public:
  explicit TzifReader(std::string_view bytes) : bytes_(bytes) {}

  std::size_t Left() const { return bytes_.size() - at_; }
  std::string_view Take(std::size_t n) {
    const std::string_view part = bytes_.substr(at_, n);
    at_ += n;
    return part;
  }
  std::int64_t Signed(std::size_t size) {
    std::uint64_t value = 0;
    for (unsigned char byte : Take(size)) value = value << 8 | byte;
    // Sign-extend from the field's width.
    const unsigned shift = static_cast<unsigned>(64 - 8 * size);
    return static_cast<std::int64_t>(value << shift) >> shift;
  }

  struct Header {
    char version = 0;
    std::uint32_t isutcnt, isstdcnt, leapcnt, timecnt, typecnt, charcnt;
  };

  std::optional<Header> ReadHeader() {
    if (Left() < 44 || Take(4) != "TZif") return std::nullopt;
    Header h;
    h.version = Take(1)[0];
    Take(15);
    std::uint32_t* counts[] = {&h.isutcnt, &h.isstdcnt, &h.leapcnt,
                               &h.timecnt, &h.typecnt,  &h.charcnt};
    for (std::uint32_t* count : counts) *count = static_cast<std::uint32_t>(Signed(4));
    return h;
  }

  // The data block's length for the header, with times of timeSize bytes;
  // absent when the counts do not make a usable block.
  static std::optional<std::size_t> BlockSize(const Header& h, std::size_t timeSize) {
    if (h.typecnt == 0 || h.typecnt > 256 || h.charcnt == 0 ||
        (h.isstdcnt != 0 && h.isstdcnt != h.typecnt) ||
        (h.isutcnt != 0 && h.isutcnt != h.typecnt) || h.timecnt > 1000000 || h.leapcnt > 1000000 ||
        h.charcnt > 1000000) {
      return std::nullopt;
    }
    return std::size_t{h.timecnt} * (timeSize + 1) + std::size_t{h.typecnt} * 6 + h.charcnt +
           std::size_t{h.leapcnt} * (timeSize + 4) + h.isstdcnt + h.isutcnt;
  }

  bool ReadBlock(const Header& h, std::size_t timeSize, TzifZone& zone) {
    const auto size = BlockSize(h, timeSize);
    if (!size || Left() < *size) return false;
    // Leap seconds would make the clock count differently from ours.
    if (h.leapcnt != 0) return false;
    zone.transitions_.resize(h.timecnt);
    for (auto& t : zone.transitions_) t = Signed(timeSize);
    zone.typeAfter_.resize(h.timecnt);
    for (auto& type : zone.typeAfter_) {
      type = static_cast<std::uint8_t>(Take(1)[0]);
      if (type >= h.typecnt) return false;
    }
    if (!std::is_sorted(zone.transitions_.begin(), zone.transitions_.end()) ||
        std::adjacent_find(zone.transitions_.begin(), zone.transitions_.end()) !=
            zone.transitions_.end()) {
      return false;
    }
    struct RawType {
      std::int64_t offset;
      char isDaylight;
      unsigned char designation;
    };
    std::vector<RawType> raw(h.typecnt);
    for (RawType& type : raw) {
      type.offset = Signed(4);
      type.isDaylight = Take(1)[0];
      type.designation = static_cast<unsigned char>(Take(1)[0]);
    }
    const std::string_view names = Take(h.charcnt);
    zone.types_.clear();
    for (const RawType& type : raw) {
      if (type.offset == std::numeric_limits<std::int32_t>::min() ||
          (type.isDaylight != 0 && type.isDaylight != 1) || type.designation >= names.size()) {
        return false;
      }
      const std::string_view rest = names.substr(type.designation);
      const std::size_t end = rest.find('\0');
      if (end == std::string_view::npos) return false;
      zone.types_.push_back({static_cast<std::int32_t>(type.offset), type.isDaylight == 1,
                             std::string(rest.substr(0, end))});
    }
    Take(h.isstdcnt + h.isutcnt);
    return true;
  }

 private:
  std::string_view bytes_;
  std::size_t at_ = 0;
};

std::optional<TzifZone> TzifZone::Parse(std::string_view bytes) {
  TzifReader reader(bytes);
  TzifZone zone;
  const auto first = reader.ReadHeader();
  if (!first) return std::nullopt;
  if (first->version == '\0') {
    if (!reader.ReadBlock(*first, 4, zone)) return std::nullopt;
    return zone;
  }
  // Versions '2' and later: skip the 32-bit block, read the 64-bit one.
  if (first->version < '2') return std::nullopt;
  const auto skipped = TzifReader::BlockSize(*first, 4);
  if (!skipped || reader.Left() < *skipped) return std::nullopt;
  reader.Take(*skipped);
  const auto second = reader.ReadHeader();
  if (!second || second->version != first->version || !reader.ReadBlock(*second, 8, zone)) {
    return std::nullopt;
  }
  // The footer: "\n" TZ string "\n"; an empty one leaves the last type on.
  const std::string_view footer = reader.Take(reader.Left());
  if (footer.size() < 2 || footer.front() != '\n' || footer.back() != '\n') return std::nullopt;
  const std::string_view tz = footer.substr(1, footer.size() - 2);
  if (!tz.empty()) {
    zone.footer_ = PosixTzRule::Parse(tz);
    if (!zone.footer_) return std::nullopt;
  }
  return zone;
}

ZoneOffset TzifZone::OffsetAt(UnixTime t) const {
  if (footer_ && (transitions_.empty() || t >= transitions_.back())) {
    return footer_->OffsetAt(t);
  }
  // The last transition at or before t; before the first, type 0.
  const auto after = std::upper_bound(transitions_.begin(), transitions_.end(), t);
  if (after == transitions_.begin()) return types_.front();
  return types_[typeAfter_[static_cast<std::size_t>(after - transitions_.begin() - 1)]];
}

}  // namespace lumivane
