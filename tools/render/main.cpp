// lumivane-render: the Lumivane frame without a window, or where the sun and
// the moon are.
#include <cstdio>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

#include <QString>

#include "picture_files.h"
#include "platform/qt/qt_builtin_images.h"
#include "platform/qt/qt_profile_store.h"
#include "positions_report.h"
#include "render_frame.h"
#include "render_options.h"

namespace {

using namespace lumivane;

constexpr int kUsageError = 2;
constexpr int kFileError = 1;

// The Lumivane program's settings file is named after it.
constexpr char kApplicationName[] = "Lumivane";

// Messages the window would show in a box go to standard error here.
class StandardErrorMessages final : public MessageSink {
 public:
  void ShowMessage(const std::string& text) override {
    std::fprintf(stderr, "%s\n", text.c_str());
  }
};

int Fail(const std::string& message, int exitCode) {
  std::fprintf(stderr, "lumivane-render: %s\n", message.c_str());
  return exitCode;
}

int Render(const RenderOptions& options, UnixTime now) {
  std::optional<EarthMap> givenMap;
  if (options.mapPath) {
    PictureRead read = ReadPictureFile(*options.mapPath);
    if (!read.image) {
      return Fail("cannot read the map '" + *options.mapPath + "': " + read.error, kFileError);
    }
    const std::int32_t width = read.image->width();
    const std::int32_t height = read.image->height();
    givenMap = EarthMap{std::move(*read.image), width, height};
  }

  QtBuiltinImageSource builtins;
  QtMapImageLoader mapLoader;
  StandardErrorMessages messages;
  // Only read through the renderer's settings, which drop every write.
  QtProfileStore stored{QString::fromLatin1(kApplicationName)};
  const RenderedFrame rendered =
      RenderFrame(options, RenderSources{builtins, mapLoader, messages, &stored},
                  std::move(givenMap), now);
  if (!rendered.frame) return Fail(rendered.error, rendered.exitCode);

  if (auto problem = WritePicture(*rendered.frame, *options.output, options.format)) {
    return Fail("cannot write '" + *options.output + "': " + *problem, kFileError);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string_view> arguments(argv + 1, argv + argc);
  const ParsedRenderOptions parsed = ParseRenderOptions(arguments);
  if (!parsed.options) return Fail(parsed.error, kUsageError);
  const RenderOptions& options = *parsed.options;
  if (options.help) {
    std::fputs(RenderUsage(), stdout);
    return 0;
  }
  if (options.version) {
    std::printf("lumivane-render %s\n", LUMIVANE_VERSION);
    return std::fflush(stdout) == 0 ? 0 : kFileError;
  }
  const UnixTime now = options.time ? *options.time : static_cast<UnixTime>(std::time(nullptr));
  if (options.positions) {
    std::printf("%s\n", PositionsJson(now).c_str());
    return std::fflush(stdout) == 0 ? 0 : kFileError;
  }
  // No QCoreApplication: QImage finds its format plugins (JPEG) and QSettings
  // its file without one, and starting its event loop machinery would cost
  // more than rendering a small frame.
  return Render(options, now);
}
