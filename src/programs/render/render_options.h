#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "astro/unix_time.h"
#include "places/geo_point.h"
#include "render/compose_frame.h"

namespace lumivane {

enum class PictureFormat { Png, Bmp, Jpeg };

// A base size given as WxH on the command line.
struct BaseSize {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
};

// The picture's own size, given as WxH with --size.
struct FrameSize {
  std::int32_t width = 0;
  std::int32_t height = 0;
};

// The largest side --size takes.
inline constexpr std::int32_t kMaxFrameSide = 16384;

// What a lumivane-render command line asks for. Settings left unset come
// from the stored settings with --settings, else from the program's defaults.
struct RenderOptions {
  bool help = false;
  bool version = false;
  bool positions = false;
  std::optional<GeoPoint> place;    // --place: the sun there, as JSON
  std::optional<std::string> find;  // --find: the built-in places so named
  std::optional<UnixTime> time;     // absent: now

  std::optional<std::int32_t> scale;          // 1..100
  std::optional<std::int32_t> nightDarkness;  // 1..100
  bool noSun = false;
  bool noMoon = false;
  bool sunCentered = false;
  std::optional<std::string> mapPath;
  std::optional<BaseSize> baseSize;
  bool storedSettings = false;

  bool precise = false;           // the sun and the moon from the precise ephemeris
  std::optional<FrameSize> size;  // absent: the window's size
  MapFit fit = MapFit::Pad;       // with size
  Pixel background = 0;           // around a padded map
  bool twilight = false;
  std::optional<std::string> nightMapPath;
  // --pin LAT,LON[,LABEL], each an entry added to the stored pins.
  std::vector<std::string> pins;
  bool noPinNames = false;  // the pins' dots without their names

  // A time series: frames pictures, step seconds apart, from time on.
  std::optional<std::int64_t> frames;  // 1..kMaxFrames
  std::int64_t step = 0;

  std::optional<std::string> output;  // "-" is standard output
  PictureFormat format = PictureFormat::Png;
  int quality = 90;  // JPEG, 1..100
};

inline constexpr std::int64_t kMaxFrames = 1000000;

// --night-map's name for the built-in city lights.
inline constexpr std::string_view kBuiltinNightLightsArgument = "default";

struct ParsedRenderOptions {
  std::optional<RenderOptions> options;  // absent when the line is bad
  std::string error;                     // one line naming the problem
};

// Parses the arguments after the program name. Every option is checked; the
// first problem found is reported and nothing is done.
ParsedRenderOptions ParseRenderOptions(std::span<const std::string_view> arguments);

// "LAT,LON": two decimal numbers, degrees, latitude in [-90, 90] positive
// north, longitude in [-180, 180] positive east.
std::optional<GeoPoint> ParseCoordinates(std::string_view text);

// Strict whole-string parse of a signed 64-bit decimal number.
std::optional<long long> ParseInteger(std::string_view text);
// Whether the text is a whole number too large for ParseInteger.
bool IsOutOfRange(std::string_view text);

// The format an output name asks for by its extension (case-insensitive:
// .png, .bmp, .jpg, .jpeg); "-" is PNG. Absent for any other name.
std::optional<PictureFormat> FormatForOutput(std::string_view output);

const char* RenderUsage();

}  // namespace lumivane
