// lumivane-render: the Lumivane frame without a window, or where the sun and
// the moon are.
#include <csignal>
#include <cstdio>
#include <ctime>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include <QString>

#include "astro/precise/precise_sky.h"
#include "output_file.h"
#include "picture_writer.h"
#include "platform/qt/qt_builtin_images.h"
#include "platform/qt/qt_map_image_loader.h"
#include "platform/qt/qt_profile_store.h"
#include "positions_report.h"
#include "quiet_messages.h"
#include "render_frame.h"
#include "render_options.h"

namespace {

using namespace lumivane;

constexpr int kUsageError = 2;
constexpr int kFileError = 1;

// The Lumivane program's settings file is named after it.
constexpr char kApplicationName[] = "Lumivane";

void PrintLine(const std::string& message) {
  std::fprintf(stderr, "lumivane-render: %s\n", message.c_str());
}

int Fail(const std::string& message, int exitCode) {
  PrintLine(message);
  return exitCode;
}

// The message the window would show in a box when the stored map fails,
// kept to be printed as one line that also says why.
class StoredMapMessages final : public MessageSink {
 public:
  QtMapImageLoader::FailureReport Recorder() {
    return [this](const std::string& path, const MapLoadFailure& failure) {
      cause_ = "cannot load the stored map '" + path + "': " + DescribeMapLoadFailure(failure) +
               "; using the built-in map";
    };
  }
  void ShowMessage(const std::string& text) override {
    if (!cause_.empty()) {
      line_ = cause_;
      return;
    }
    line_ = text;
    for (char& c : line_) {
      if (c == '\n') c = ' ';
    }
  }
  void Print() const {
    if (!line_.empty()) PrintLine(line_);
  }

 private:
  std::string cause_;
  std::string line_;
};

int Render(const RenderOptions& options, UnixTime now) {
  // A picture that cannot be written is refused before any work is done.
  if (*options.output != "-") {
    if (auto problem = CheckOutputPath(*options.output)) {
      return Fail("cannot write '" + *options.output + "': " + *problem, kFileError);
    }
  }
  std::optional<EarthMap> givenMap;
  if (options.mapPath) {
    MapPictureRead read;
    {
      QuietStandardError quiet;
      read = ReadMapPicture(*options.mapPath);
    }
    if (!read.image) {
      return Fail("cannot read the map '" + *options.mapPath +
                      "': " + DescribeMapLoadFailure(read.failure),
                  kFileError);
    }
    const std::int32_t width = read.image->width();
    const std::int32_t height = read.image->height();
    givenMap = EarthMap{std::move(*read.image), width, height};
  }

  QtBuiltinImageSource builtins;
  StoredMapMessages messages;
  QtMapImageLoader mapLoader(messages.Recorder());
  // Only read through the renderer's settings, which drop every write.
  QtProfileStore stored{QString::fromLatin1(kApplicationName)};
  std::optional<RenderedFrame> rendered;
  {
    QuietStandardError quiet;
    rendered = RenderFrame(options, RenderSources{builtins, mapLoader, messages, &stored},
                           std::move(givenMap), now);
  }
  messages.Print();
  if (!rendered->frame) return Fail(rendered->error, rendered->exitCode);

  if (auto problem =
          WritePicture(*rendered->frame, *options.output, options.format, options.quality)) {
    return Fail("cannot write '" + *options.output + "': " + *problem, kFileError);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  // Past a file size limit a write then fails (EFBIG) and is reported, and
  // the old picture stays; the default action would end us mid-file.
  std::signal(SIGXFSZ, SIG_IGN);
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
  if (options.precise && !PreciseSkyCovers(now)) {
    return Fail("--precise covers the years 1000 to 3000 only", kUsageError);
  }
  if (options.positions) {
    const std::string json = options.precise ? PrecisePositionsJson(now) : PositionsJson(now);
    std::printf("%s\n", json.c_str());
    return std::fflush(stdout) == 0 ? 0 : kFileError;
  }
  SilenceLibraryMessages();
  // No QCoreApplication: QImage finds its format plugins (JPEG) and QSettings
  // its file without one, and starting its event loop machinery would cost
  // more than rendering a small frame.
  try {
    return Render(options, now);
  } catch (const std::bad_alloc&) {
    // A map near the pixel limit with little memory left: resampling or
    // composing may not fit.
    return Fail("out of memory", kFileError);
  }
}
