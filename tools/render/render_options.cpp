#include "render_options.h"

#include <charconv>

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

}  // namespace

std::optional<long long> ParseInteger(std::string_view text) {
  long long value = 0;
  const char* first = text.data();
  const char* last = text.data() + text.size();
  const auto [end, error] = std::from_chars(first, last, value);
  if (text.empty() || error != std::errc() || end != last) return std::nullopt;
  return value;
}

ParsedRenderOptions ParseRenderOptions(std::span<const std::string_view> arguments) {
  RenderOptions options;
  const auto fail = [](std::string message) { return ParsedRenderOptions{std::nullopt, message}; };

  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string_view argument = arguments[i];
    const auto value = [&]() -> std::optional<std::string_view> {
      if (i + 1 >= arguments.size()) return std::nullopt;
      return arguments[++i];
    };

    if (argument == "--help" || argument == "-h") {
      options.help = true;
    } else if (argument == "--positions") {
      options.positions = true;
    } else if (argument == "--time") {
      const auto text = value();
      if (!text) return fail("--time needs a value: seconds since 1970-01-01 00:00:00 UTC");
      const auto seconds = ParseInteger(*text);
      if (!seconds) {
        return fail("--time: " + Quoted(*text) +
                    " is not a whole number of seconds in the signed 64-bit range");
      }
      options.time = *seconds;
    } else {
      return fail("unknown option " + Quoted(argument) + " (see --help)");
    }
  }
  if (!options.help && !options.positions) {
    return fail("nothing to do: give --positions (see --help)");
  }
  return ParsedRenderOptions{options, {}};
}

const char* RenderUsage() {
  return "Usage: lumivane-render --positions [--time UNIX_SECONDS]\n"
         "\n"
         "  --positions        print where the sun and the moon stand, as one JSON object\n"
         "  --time SECONDS     the clock to use, seconds since 1970-01-01 00:00:00 UTC\n"
         "                     (any signed 64-bit number; default: now)\n"
         "  --help             show this text\n";
}

}  // namespace lumivane
