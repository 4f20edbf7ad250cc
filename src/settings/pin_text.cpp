#include "settings/pin_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace lumivane {

namespace {

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// A whole decimal number within [-limit, limit]; a leading '+' is allowed.
std::optional<double> Degrees(std::string_view text, double limit) {
  text = Trimmed(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  double value = 0;
  const auto [end, error] =
      std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
  if (text.empty() || error != std::errc{} || end != text.data() + text.size()) {
    return std::nullopt;
  }
  if (!std::isfinite(value) || value < -limit || value > limit) return std::nullopt;
  return value;
}

std::optional<MapPin> ReadPin(std::string_view entry) {
  const std::size_t first = entry.find(',');
  if (first == std::string_view::npos) return std::nullopt;
  const std::size_t second = entry.find(',', first + 1);
  const auto latitude = Degrees(entry.substr(0, first), 90);
  const auto longitude =
      Degrees(entry.substr(first + 1, second == std::string_view::npos ? std::string_view::npos
                                                                       : second - first - 1),
              180);
  if (!latitude || !longitude) return std::nullopt;
  const std::string_view label =
      second == std::string_view::npos ? std::string_view{} : entry.substr(second + 1);
  return MapPin{*latitude, *longitude, std::string(label)};
}

std::string Number(double value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.6f", value);
  std::string text = buffer;
  // 51.500000 is written 51.5.
  while (text.back() == '0') text.pop_back();
  if (text.back() == '.') text.pop_back();
  return text == "-0" ? "0" : text;
}

}  // namespace

std::vector<PinEntry> ReadPinEntries(std::string_view text) {
  std::vector<PinEntry> entries;
  while (true) {
    const std::size_t end = text.find(';');
    const std::string_view entry = text.substr(0, end);
    if (!Trimmed(entry).empty()) entries.push_back(PinEntry{std::string(entry), ReadPin(entry)});
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return entries;
}

std::vector<MapPin> ReadPins(std::string_view text) {
  std::vector<MapPin> pins;
  for (PinEntry& entry : ReadPinEntries(text)) {
    if (entry.pin) pins.push_back(std::move(*entry.pin));
  }
  return pins;
}

std::string PinEntryText(const MapPin& pin) {
  std::string label;
  for (const char c : pin.label) {
    if (c != ';') label += c;
  }
  return Number(pin.latitude) + ',' + Number(pin.longitude) + ',' + label;
}

std::string JoinPinEntries(const std::vector<std::string>& entries) {
  std::string text;
  for (const std::string& entry : entries) {
    if (!text.empty()) text += ';';
    text += entry;
  }
  return text;
}

}  // namespace lumivane
