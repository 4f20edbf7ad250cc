// lumivane-render: answers where the sun and the moon are, without a window.
#include <cstdio>
#include <ctime>
#include <string_view>
#include <vector>

#include "positions_report.h"
#include "render_options.h"

int main(int argc, char** argv) {
  using namespace lumivane;
  const std::vector<std::string_view> arguments(argv + 1, argv + argc);
  const ParsedRenderOptions parsed = ParseRenderOptions(arguments);
  if (!parsed.options) {
    std::fprintf(stderr, "lumivane-render: %s\n", parsed.error.c_str());
    return 2;
  }
  const RenderOptions& options = *parsed.options;
  if (options.help) {
    std::fputs(RenderUsage(), stdout);
    return 0;
  }
  const UnixTime now = options.time ? *options.time : static_cast<UnixTime>(std::time(nullptr));
  std::printf("%s\n", PositionsJson(now).c_str());
  return std::fflush(stdout) == 0 ? 0 : 1;
}
