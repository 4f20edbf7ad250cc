#include "platform/qt/qt_time_zones.h"

#include <QByteArray>
#include <QDateTime>

namespace lumivane {

std::optional<ZoneOffset> QtTimeZones::OffsetAt(const std::string& zone, UnixTime t) const {
  auto known = zones_.find(zone);
  if (known == zones_.end()) {
    known = zones_.emplace(zone, QTimeZone(QByteArray::fromStdString(zone))).first;
  }
  const QTimeZone& timeZone = known->second;
  if (!timeZone.isValid()) return std::nullopt;
  const QDateTime at = QDateTime::fromSecsSinceEpoch(t, QTimeZone::utc());
  return ZoneOffset{timeZone.offsetFromUtc(at), timeZone.isDaylightTime(at),
                    timeZone.abbreviation(at).toStdString()};
}

}  // namespace lumivane
