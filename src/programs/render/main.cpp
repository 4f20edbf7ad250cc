// lumivane-render: the Lumivane frame without a window, or where the sun and
// the moon are.
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <new>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "astro/precise/precise_sky.h"
#include "embedded_builtin_images.h"
#include "frame_names.h"
#include "settings/one_line.h"
#include "output_file.h"
#include "platform/qt/process_environment.h"
#include "place_report.h"
#include "positions_report.h"
#include "qt_parts.h"
#include "quiet_messages.h"
#include "render_frame.h"
#include "render_options.h"
#include "render_series.h"
#include "temporary_files.h"

namespace {

using namespace lumivane;

constexpr int kUsageError = 2;
constexpr int kFileError = 1;
constexpr int kNothingFound = 1;

// How many places --find lists.
constexpr std::size_t kFoundPlaces = 10;
// The dates --place writes: 0001-01-01 to 9999-12-31, UTC.
constexpr UnixTime kFirstPlaceDay = -62135596800;
constexpr UnixTime kLastPlaceSecond = 253402300799;

// The Lumivane program's settings file is named after it.
constexpr char kApplicationName[] = "Lumivane";

// A progress line ends without a newline, so that the next one can
// overwrite it.
bool progressLineOpen = false;

// Every message goes out here, as one line on a line of its own.
void PrintLine(const std::string& message) {
  if (std::exchange(progressLineOpen, false)) std::fputc('\n', stderr);
  std::fprintf(stderr, "lumivane-render: %s\n", OneLine(message).c_str());
}

int Fail(const std::string& message, int exitCode) {
  PrintLine(message);
  return exitCode;
}

// The message the window would show in a box when the stored map fails, as
// one line that says why when the loader told us.
void PrintNotice(std::string notice, const std::string& cause) {
  if (notice.empty()) return;
  if (!cause.empty()) {
    notice = cause;
  } else {
    std::replace(notice.begin(), notice.end(), '\n', ' ');
  }
  PrintLine(notice);
}

// Every picture the run would write, checked before any work is done.
std::optional<std::string> CheckOutputs(const RenderOptions& options) {
  const std::string& output = *options.output;
  if (output == "-") return std::nullopt;
  for (std::int64_t i = 0; i < options.frames.value_or(1); ++i) {
    const std::string name = options.frames ? FrameName(output, i) : output;
    if (auto problem = CheckOutputPath(name)) return "cannot write '" + name + "': " + *problem;
  }
  return std::nullopt;
}

// A picture named on the command line, read as the program reads maps.
std::optional<Image> ReadGivenPicture(QtParts& qt, const std::string& path, const char* what,
                                      std::string& error) {
  MapPictureRead read;
  {
    QuietStandardError quiet;
    read = qt.ReadMapPicture(path);
  }
  if (!read.image) {
    error = std::string("cannot read ") + what + " '" + path +
            "': " + DescribeMapLoadFailure(read.failure);
  }
  return std::move(read.image);
}

// Without --settings no map file is named.
class NoMapFiles final : public MapImageLoader {
 public:
  std::optional<Image> LoadImageFile(const std::string&) override { return std::nullopt; }
};

// "frame 12/288", rewritten in place, while standard error is a terminal.
SeriesProgress ProgressOnTerminal() {
  if (!isatty(STDERR_FILENO)) return {};
  return [](std::int64_t done, std::int64_t total) {
    std::fprintf(stderr, "\rlumivane-render: frame %lld/%lld", static_cast<long long>(done),
                 static_cast<long long>(total));
    progressLineOpen = done != total;
    if (!progressLineOpen) std::fputc('\n', stderr);
    std::fflush(stderr);
  };
}

// Whether the run reads a picture file or the stored settings: only then
// does it need Qt.
bool NeedsQt(const RenderOptions& options) {
  return options.mapPath || options.storedSettings ||
         (options.nightMapPath && options.nightMapPath != kBuiltinNightLightsArgument);
}

int Render(const RenderOptions& options, UnixTime now) {
  if (auto problem = CheckOutputs(options)) return Fail(*problem, kFileError);
  std::string error;
  QtParts* qt = nullptr;
  if (NeedsQt(options)) {
    qt = LoadQtParts(error);
    if (!qt) return Fail(error, kFileError);
    qt->SilenceLibraryMessages();
  }
  std::optional<EarthMap> givenMap;
  if (options.mapPath) {
    std::optional<Image> picture = ReadGivenPicture(*qt, *options.mapPath, "the map", error);
    if (!picture) return Fail(error, kFileError);
    const std::int32_t width = picture->width();
    const std::int32_t height = picture->height();
    givenMap = EarthMap{std::move(*picture), width, height};
  }
  std::optional<Image> nightMap;
  if (options.nightMapPath && options.nightMapPath != kBuiltinNightLightsArgument) {
    nightMap = ReadGivenPicture(*qt, *options.nightMapPath, "the night map", error);
    if (!nightMap) return Fail(error, kFileError);
  }

  EmbeddedBuiltinImageSource builtins;
  std::string cause;  // why the stored map failed, from the loader
  // Only the stored settings name a map file to load.
  NoMapFiles noMapFiles;
  std::unique_ptr<MapImageLoader> storedMapLoader;
  std::unique_ptr<ProfileStore> stored;
  if (options.storedSettings) {
    storedMapLoader =
        qt->MapLoader([&cause](const std::string& path, const MapLoadFailure& failure) {
          cause = "cannot load the stored map '" + path + "': " + DescribeMapLoadFailure(failure) +
                  "; using the built-in map";
        });
    // Only read through the renderer's settings, which drop every write.
    stored = qt->StoredSettings(kApplicationName);
  }
  const RenderSources sources{builtins, storedMapLoader ? *storedMapLoader : noMapFiles,
                              stored.get()};

  std::optional<PlannedFrames> planned;
  {
    QuietStandardError quiet;
    planned = PlanFrames(options, sources, std::move(givenMap), std::move(nightMap));
  }
  PrintNotice(planned->notice, cause);
  if (!planned->plan) return Fail(planned->error, planned->exitCode);
  const std::optional<std::string> problem =
      options.frames
          ? WriteSeries(*planned->plan, now, options.step, *options.frames, *options.output,
                        options.format, options.quality, ProgressOnTerminal())
          : WritePlannedFrame(*planned->plan, now, *options.output, options.format,
                              options.quality);
  return problem ? Fail(*problem, kFileError) : 0;
}

}  // namespace

int main(int argc, char** argv) {
  OpenClosedStandardStreams();
  RepairFolderEnvironment();
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
  if (options.find) {
    const std::string found = FoundPlacesText(BuiltinPlaces(), *options.find, kFoundPlaces);
    if (found.empty()) {
      return Fail("no built-in place's name starts with '" + *options.find + "'", kNothingFound);
    }
    std::fputs(found.c_str(), stdout);
    return std::fflush(stdout) == 0 ? 0 : kFileError;
  }
  const UnixTime now = options.time ? *options.time : static_cast<UnixTime>(std::time(nullptr));
  // The last frame of a series must be on the clock too.
  UnixTime last = now;
  if (options.frames && (__builtin_mul_overflow(*options.frames - 1, options.step, &last) ||
                         __builtin_add_overflow(now, last, &last))) {
    return Fail("--frames and --step reach past the clock's range", kUsageError);
  }
  if (options.precise && (!PreciseSkyCovers(now) || !PreciseSkyCovers(last))) {
    return Fail("--precise covers the years 1000 to 3000 only", kUsageError);
  }
  if (options.place) {
    if (now < kFirstPlaceDay || now > kLastPlaceSecond) {
      return Fail("--place covers the years 0001 to 9999", kUsageError);
    }
    std::string error;
    QtParts* qt = LoadQtParts(error);
    if (!qt) return Fail(error, kFileError);
    const std::unique_ptr<TimeZones> zones = qt->SystemTimeZones();
    const std::string json = PlaceJson(
        *options.place, now, options.precise ? PreciseSunAt : MeanSunAt, BuiltinPlaces(), *zones);
    std::printf("%s\n", json.c_str());
    return std::fflush(stdout) == 0 ? 0 : kFileError;
  }
  if (options.positions) {
    const std::string json = options.precise ? PrecisePositionsJson(now) : PositionsJson(now);
    std::printf("%s\n", json.c_str());
    return std::fflush(stdout) == 0 ? 0 : kFileError;
  }
  // An interrupted run leaves no temporary file behind.
  RemoveTemporaryFilesOnSignals();
  // A reader that closes standard output early (head) ends the run quietly
  // and successfully, instead of by the signal.
  if (options.output == "-") std::signal(SIGPIPE, SIG_IGN);
  // No QCoreApplication where Qt is loaded: QImage finds its format plugins
  // and the settings store its file without one, and starting its event
  // loop machinery would cost more than rendering a small frame.
  try {
    return Render(options, now);
  } catch (const std::bad_alloc&) {
    // A map near the pixel limit with little memory left: resampling or
    // composing may not fit.
    return Fail("out of memory", kFileError);
  }
}
