#include "render_options.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <iterator>
#include <limits>
#include <utility>

#include "frame_names.h"
#include "iso_time.h"
#include "settings/pin_text.h"

namespace lumivane {

namespace {

std::string Quoted(std::string_view text) {
  // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) on "'" + s.
  std::string quoted;
  quoted.reserve(text.size() + 2);
  quoted += '\'';
  quoted += text;
  quoted += '\'';
  return quoted;
}

bool EndsWithNoCase(std::string_view text, std::string_view suffix) {
  if (text.size() < suffix.size()) return false;
  return std::equal(suffix.begin(), suffix.end(), text.end() - static_cast<long>(suffix.size()),
                    [](char a, char b) {
                      return std::tolower(static_cast<unsigned char>(a)) ==
                             std::tolower(static_cast<unsigned char>(b));
                    });
}

// "RRGGBB" in hexadecimal, with or without a leading '#'.
std::optional<Pixel> ParseColour(std::string_view text) {
  if (!text.empty() && text.front() == '#') text.remove_prefix(1);
  if (text.size() != 6) return std::nullopt;
  Pixel colour = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), colour, 16);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return colour;
}

std::optional<MapFit> ParseFit(std::string_view text) {
  if (text == "pad") return MapFit::Pad;
  if (text == "crop") return MapFit::Crop;
  if (text == "stretch") return MapFit::Stretch;
  return std::nullopt;
}

// The options that only switch something on.
constexpr std::pair<std::string_view, bool RenderOptions::*> kSwitches[] = {
    {"--help", &RenderOptions::help},
    {"-h", &RenderOptions::help},
    {"--version", &RenderOptions::version},
    {"--positions", &RenderOptions::positions},
    {"--no-sun", &RenderOptions::noSun},
    {"--no-moon", &RenderOptions::noMoon},
    {"--sun-centered", &RenderOptions::sunCentered},
    {"--precise", &RenderOptions::precise},
    {"--twilight", &RenderOptions::twilight},
    {"--no-pin-names", &RenderOptions::noPinNames},
    {"--settings", &RenderOptions::storedSettings},
};

// A decimal number as a whole string, finite, with an optional sign.
std::optional<double> ParseDecimal(std::string_view text) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  double value = 0;
  const auto [end, error] =
      std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
      !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

}  // namespace

std::optional<GeoPoint> ParseCoordinates(std::string_view text) {
  const auto comma = text.find(',');
  if (comma == std::string_view::npos) return std::nullopt;
  const auto latitude = ParseDecimal(text.substr(0, comma));
  const auto longitude = ParseDecimal(text.substr(comma + 1));
  if (!latitude || !longitude || std::abs(*latitude) > 90 || std::abs(*longitude) > 180) {
    return std::nullopt;
  }
  return GeoPoint{*latitude, *longitude};
}

std::optional<long long> ParseInteger(std::string_view text) {
  long long value = 0;
  const char* first = text.data();
  const char* last = text.data() + text.size();
  const auto [end, error] = std::from_chars(first, last, value);
  if (text.empty() || error != std::errc() || end != last) return std::nullopt;
  return value;
}

bool IsOutOfRange(std::string_view text) {
  long long value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc::result_out_of_range && end == text.data() + text.size();
}

std::optional<PictureFormat> FormatForOutput(std::string_view output) {
  if (output == "-" || EndsWithNoCase(output, ".png")) return PictureFormat::Png;
  if (EndsWithNoCase(output, ".bmp")) return PictureFormat::Bmp;
  if (EndsWithNoCase(output, ".jpg") || EndsWithNoCase(output, ".jpeg")) {
    return PictureFormat::Jpeg;
  }
  return std::nullopt;
}

namespace {

// The command line as it is read: the options so far, what was given that
// the later checks need, and the argument at hand.
struct Reading {
  explicit Reading(std::span<const std::string_view> all) : arguments(all) {}

  std::span<const std::string_view> arguments;
  std::size_t at = 0;
  std::string_view argument;
  RenderOptions options;
  bool renderOptionGiven = false;
  std::optional<std::int32_t> quality;
  bool fitGiven = false;
  bool backgroundGiven = false;
  bool stepGiven = false;

  // The argument after the option, or nothing at the end of the line.
  std::optional<std::string_view> Value() {
    if (at + 1 >= arguments.size()) return std::nullopt;
    return arguments[++at];
  }

  // A whole number from 1 to 100, as the settings allow.
  std::optional<std::string> Percent(std::optional<std::int32_t>& into) {
    const auto text = Value();
    if (!text) return std::string(argument) + " needs a value from 1 to 100";
    const auto number = ParseInteger(*text);
    if (!number || *number < 1 || *number > 100) {
      return std::string(argument) + ": " + Quoted(*text) + " is not a whole number from 1 to 100";
    }
    into = static_cast<std::int32_t>(*number);
    return std::nullopt;
  }

  // "WxH": two whole numbers from 1 to largest.
  template <typename Size>
  std::optional<std::string> Sides(std::optional<Size>& into, const char* example,
                                   long long largest) {
    const auto text = Value();
    if (!text) return std::string(argument) + " needs a value WxH, e.g. " + example;
    const auto cross = text->find('x');
    const auto width = ParseInteger(text->substr(0, cross));
    const auto height =
        cross == std::string_view::npos ? std::nullopt : ParseInteger(text->substr(cross + 1));
    if (!width || !height || *width < 1 || *height < 1 || *width > largest || *height > largest) {
      return std::string(argument) + ": " + Quoted(*text) +
             " is not WxH with two whole numbers from 1 to " + std::to_string(largest);
    }
    using Side = decltype(Size::width);
    into = Size{static_cast<Side>(*width), static_cast<Side>(*height)};
    return std::nullopt;
  }
};

using Problem = std::optional<std::string>;

Problem ReadTime(Reading& r) {
  const auto text = r.Value();
  if (!text) {
    return "--time needs a value: seconds since 1970-01-01 00:00:00 UTC or an ISO 8601 date "
           "such as 2026-12-21T15:03:00Z";
  }
  auto clock = ParseInteger(*text);
  if (!clock) {
    const ParsedIsoTime date = ParseIsoTime(*text);
    if (date.leapSecond) {
      return "--time: " + Quoted(*text) +
             " is a leap second, and the clock has none (every day has 86400 seconds)";
    }
    clock = date.clock;
  }
  if (!clock) {
    return "--time: " + Quoted(*text) +
           " is neither a whole number of seconds in the signed 64-bit range nor an ISO 8601 "
           "date such as 2026-12-21, 2026-12-21T15:03:00Z or 2026-12-21T16:03:00+01:00";
  }
  r.options.time = *clock;
  return std::nullopt;
}

Problem ReadPlace(Reading& r) {
  const auto text = r.Value();
  if (!text) {
    return "--place needs a value LAT,LON: degrees, north and east positive, e.g. "
           "-33.87,151.21";
  }
  r.options.place = ParseCoordinates(*text);
  if (!r.options.place) {
    return "--place: " + Quoted(*text) +
           " is not LAT,LON: a latitude from -90 to 90 and a longitude from -180 to 180 in "
           "decimal degrees, north and east positive, e.g. -33.87,151.21";
  }
  return std::nullopt;
}

Problem ReadPin(Reading& r) {
  const auto text = r.Value();
  const auto entries = text ? ReadPinEntries(*text) : std::vector<PinEntry>{};
  if (entries.size() != 1 || !entries.front().pin || text->find(';') != std::string::npos) {
    return "--pin needs LAT,LON or LAT,LON,LABEL: a latitude from -90 to 90 and a longitude "
           "from -180 to 180 in decimal degrees, north and east positive, and a label without "
           "';', e.g. -33.87,151.21,Sydney";
  }
  r.options.pins.push_back(PinEntryText(*entries.front().pin));
  return std::nullopt;
}

Problem ReadFind(Reading& r) {
  const auto text = r.Value();
  if (!text || text->empty()) return "--find needs a name, or the start of one";
  r.options.find = std::string(*text);
  return std::nullopt;
}

Problem ReadScale(Reading& r) { return r.Percent(r.options.scale); }
Problem ReadNightDarkness(Reading& r) { return r.Percent(r.options.nightDarkness); }

Problem ReadQuality(Reading& r) {
  if (auto problem = r.Percent(r.quality)) return problem;
  r.options.quality = *r.quality;
  return std::nullopt;
}

Problem ReadSize(Reading& r) { return r.Sides(r.options.size, "3840x2160", kMaxFrameSide); }

Problem ReadBaseSize(Reading& r) {
  return r.Sides(r.options.baseSize, "800x400", std::numeric_limits<std::int32_t>::max());
}

Problem ReadFit(Reading& r) {
  const auto text = r.Value();
  const auto fit = text ? ParseFit(*text) : std::nullopt;
  if (!fit) return "--fit needs pad, crop or stretch";
  r.options.fit = *fit;
  r.fitGiven = true;
  return std::nullopt;
}

Problem ReadBackground(Reading& r) {
  const auto text = r.Value();
  if (!text) return "--background needs a colour RRGGBB, e.g. 000000";
  const auto colour = ParseColour(*text);
  if (!colour) {
    return "--background: " + Quoted(*text) + " is not a colour RRGGBB of six hexadecimal digits";
  }
  r.options.background = *colour;
  r.backgroundGiven = true;
  return std::nullopt;
}

Problem ReadPicture(Reading& r) {
  const auto text = r.Value();
  if (!text || text->empty()) return std::string(r.argument) + " needs a picture file";
  (r.argument == "--map" ? r.options.mapPath : r.options.nightMapPath) = std::string(*text);
  return std::nullopt;
}

Problem ReadFrames(Reading& r) {
  const auto text = r.Value();
  const auto count = text ? ParseInteger(*text) : std::nullopt;
  if (!count || *count < 1 || *count > kMaxFrames) {
    return "--frames needs a whole number from 1 to " + std::to_string(kMaxFrames);
  }
  r.options.frames = *count;
  return std::nullopt;
}

Problem ReadStep(Reading& r) {
  const auto text = r.Value();
  const auto seconds = text ? ParseInteger(*text) : std::nullopt;
  if (!seconds && text && IsOutOfRange(*text)) {
    return "--step: " + Quoted(*text) + " is out of range (the signed 64-bit range)";
  }
  if (!seconds || *seconds == 0) return "--step needs a whole number of seconds other than 0";
  r.options.step = *seconds;
  r.stepGiven = true;
  return std::nullopt;
}

Problem ReadOutput(Reading& r) {
  const auto text = r.Value();
  if (!text || text->empty()) return "-o needs a file name (or - for standard output)";
  const auto format = FormatForOutput(*text);
  if (!format) {
    return "-o: " + Quoted(*text) +
           " does not end in .png, .bmp, .jpg or .jpeg (or give - for PNG on standard output)";
  }
  r.options.output = std::string(*text);
  r.options.format = *format;
  return std::nullopt;
}

// The options that take a value, and their readers.
constexpr std::pair<std::string_view, Problem (*)(Reading&)> kValueOptions[] = {
    {"--time", ReadTime},
    {"--place", ReadPlace},
    {"--pin", ReadPin},
    {"--find", ReadFind},
    {"--scale", ReadScale},
    {"--night-filter", ReadNightDarkness},
    {"--quality", ReadQuality},
    {"--size", ReadSize},
    {"--fit", ReadFit},
    {"--background", ReadBackground},
    {"--map", ReadPicture},
    {"--night-map", ReadPicture},
    {"--frames", ReadFrames},
    {"--step", ReadStep},
    {"--base-size", ReadBaseSize},
    {"-o", ReadOutput},
    {"--output", ReadOutput},
};

// The options that leave the picture alone.
bool TakesNoPicture(std::string_view argument) {
  return argument == "--help" || argument == "-h" || argument == "--version" ||
         argument == "--positions" || argument == "--time" || argument == "--precise" ||
         argument == "--place" || argument == "--find";
}

// The checks of a picture's options.
Problem CheckPictureOptions(const Reading& r) {
  const RenderOptions& options = r.options;
  if (!options.output) {
    return "missing -o FILE: where to write the picture (.png, .bmp, .jpg, - for PNG on "
           "standard output)";
  }
  if (r.quality && options.format != PictureFormat::Jpeg) {
    return "--quality is for JPEG output only (-o FILE.jpg)";
  }
  if ((r.fitGiven || r.backgroundGiven) && !options.size) {
    return "--fit and --background need --size";
  }
  if (options.size && (options.scale || options.baseSize)) {
    return "--size sets the picture's size: leave out --scale and --base-size";
  }
  if (options.frames.has_value() != r.stepGiven) return "--frames and --step go together";
  if (options.frames) {
    if (*options.output == "-") return "a time series needs -o with a file name pattern";
    if (auto problem = CheckFrameNamePattern(*options.output)) {
      return "-o " + Quoted(*options.output) + ": " + *problem + ", e.g. day-%03d.png";
    }
  }
  return std::nullopt;
}

// What the options given together must make sense as.
Problem CheckTogether(const Reading& r) {
  const RenderOptions& options = r.options;
  if (options.find) {
    if (r.renderOptionGiven || options.positions || options.place || options.time ||
        options.precise) {
      return "--find takes no other option (see --help)";
    }
    return std::nullopt;
  }
  if (options.place) {
    if (r.renderOptionGiven || options.positions) {
      return "--place takes only --time and --precise (see --help)";
    }
    return std::nullopt;
  }
  if (options.positions) {
    if (r.renderOptionGiven) return "--positions takes only --time and --precise (see --help)";
    return std::nullopt;
  }
  return CheckPictureOptions(r);
}

}  // namespace

ParsedRenderOptions ParseRenderOptions(std::span<const std::string_view> arguments) {
  Reading reading(arguments);
  for (; reading.at < arguments.size(); ++reading.at) {
    reading.argument = arguments[reading.at];
    if (!TakesNoPicture(reading.argument)) reading.renderOptionGiven = true;
    const auto* switched = std::find_if(std::begin(kSwitches), std::end(kSwitches),
                                        [&](const auto& s) { return s.first == reading.argument; });
    const auto* valued = std::find_if(std::begin(kValueOptions), std::end(kValueOptions),
                                      [&](const auto& o) { return o.first == reading.argument; });
    Problem problem;
    if (switched != std::end(kSwitches)) {
      reading.options.*(switched->second) = true;
    } else if (valued != std::end(kValueOptions)) {
      problem = valued->second(reading);
    } else {
      problem = "unknown option " + Quoted(reading.argument) + " (see --help)";
    }
    if (problem) return ParsedRenderOptions{std::nullopt, *problem};
  }
  if (reading.options.help || reading.options.version) {
    return ParsedRenderOptions{reading.options, {}};
  }
  if (Problem problem = CheckTogether(reading)) return ParsedRenderOptions{std::nullopt, *problem};
  return ParsedRenderOptions{reading.options, {}};
}

const char* RenderUsage() {
  return "Usage: lumivane-render [OPTIONS] -o FILE\n"
         "       lumivane-render [OPTIONS] --frames N --step SECONDS -o NAME-%04d.png\n"
         "       lumivane-render --positions [--precise] [--time T]\n"
         "       lumivane-render --place LAT,LON [--precise] [--time T]\n"
         "       lumivane-render --find NAME\n"
         "\n"
         "Renders the frame the Lumivane window shows and writes it as PNG, BMP or JPEG.\n"
         "\n"
         "  -o FILE            the picture to write; .png, .bmp, .jpg or .jpeg, - for PNG on\n"
         "                     standard output\n"
         "  --quality N        JPEG quality, 1 to 100 (default 90)\n"
         "  --time T           the clock to use: seconds since 1970-01-01 00:00:00 UTC (any\n"
         "                     signed 64-bit number) or an ISO 8601 date, 2026-12-21 (midnight\n"
         "                     UTC), 2026-12-21T15:03:00Z, 2026-12-21T16:03:00+01:00 (a\n"
         "                     fraction of a second is dropped); default: now\n"
         "  --scale N          size in thirtieths of the base size, 1 to 100 (default 30)\n"
         "  --night-filter N   night darkness, 1 to 100 (default 50)\n"
         "  --no-sun           leave out the sun marker\n"
         "  --no-moon          leave out the moon marker\n"
         "  --sun-centered     turn the map so the sun is in the middle column\n"
         "  --map FILE         the Earth map picture (BMP of any depth, PNG, JPEG);\n"
         "                     default: the built-in map\n"
         "  --base-size WxH    the size shown at scale 30 (default: the map's own size)\n"
         "  --size WxH         the picture's size, 1 to 16384 a side (instead of --scale and\n"
         "                     --base-size); markers as the window draws them at that map height\n"
         "  --fit MODE         how the 2:1 map fills --size: pad (default; as large as fits,\n"
         "                     centred), crop (covers it, cut equally on both sides), stretch\n"
         "  --background RRGGBB  the colour around a padded map (default 000000)\n"
         "  --twilight         civil, nautical and astronomical twilight as three steps of\n"
         "                     darkness instead of the sharp terminator\n"
         "  --night-map FILE   a night picture (city lights) blended into the night side;\n"
         "                     \"default\" for the built-in one\n"
         "  --pin LAT,LON[,LABEL]  a pinned place, drawn as a dot with its label beside it\n"
         "                     (decimal degrees, north and east positive); repeat for more;\n"
         "                     added to the stored pins with --settings\n"
         "  --no-pin-names     draw the pins without their labels\n"
         "  --frames N --step S  N pictures, S seconds apart, from --time on; -o holds one\n"
         "                     %d or %0Nd for the frame number (from 0), e.g. day-%03d.png\n"
         "  --settings         start from this user's stored Lumivane settings (never\n"
         "                     changed); the options above override them\n"
         "  --precise          the sun and the moon from a precise ephemeris (apparent places,\n"
         "                     equation of time, the moon's true phase) instead of the clock's\n"
         "                     mean formulas; years 1000 to 3000\n"
         "  --positions        print where the sun and the moon stand, as one JSON object\n"
         "  --place LAT,LON    print the sun at a point (decimal degrees, north and east\n"
         "                     positive) as one JSON object: its altitude and azimuth, day or\n"
         "                     which twilight, sunrise, sunset, solar noon, civil dawn and dusk\n"
         "                     of the UTC day, and the nearest built-in place within 100 km\n"
         "                     with its local time\n"
         "  --find NAME        list the built-in places whose name starts with NAME (case and\n"
         "                     accents do not matter): name, country, LAT,LON and time zone\n"
         "  --help             show this text\n"
         "  --version          show the program's version\n";
}

}  // namespace lumivane
