#pragma once

#include <optional>
#include <string>

#include "astro/unix_time.h"
#include "render/ports.h"
#include "render/compose_frame.h"
#include "render/image.h"
#include "render_options.h"
#include "settings/earth_map.h"
#include "settings/ports.h"

namespace lumivane {

// Where the renderer's pictures and stored settings come from.
struct RenderSources {
  BuiltinImageSource& builtins;
  MapImageLoader& mapLoader;       // for a map named by the stored settings
  ProfileStore* stored = nullptr;  // the user's settings with --settings
};

// Everything a frame is made from that does not change with the time: the
// options, the markers, the map and the night lights resampled into place.
struct FramePlan {
  FrameOptions frame;
  MarkerImages markers;
  EarthMap map;
  std::optional<Image> nightLights;

  EarthMapView MapView() const {
    return EarthMapView{map.image, map.nativeWidth, map.nativeHeight};
  }
};

struct PlannedFrames {
  std::optional<FramePlan> plan;  // absent on failure
  std::string error;              // one line naming the problem
  int exitCode = 0;               // 2: the command line asks for the impossible, 1: I/O
  // What the window would show in a box: "Unable to load: ..." for a stored
  // map that fails. Empty when all went well.
  std::string notice;
};

// The frame's size and content through the window's own rules: the Earth
// map chosen as at start-up (givenMap, read from --map, wins over the stored
// one), the settings loaded with their defaults and clamps; or --size.
// nightMap is the --night-map picture, which wins over the stored city
// lights.
PlannedFrames PlanFrames(const RenderOptions& options, RenderSources sources,
                         std::optional<EarthMap> givenMap, std::optional<Image> nightMap);

// Makes the plan's frame at that time and writes it, every processor
// resampling and shading while the first rows are already being encoded.
// The problem in one line, or nothing.
std::optional<std::string> WritePlannedFrame(const FramePlan& plan, UnixTime time,
                                             const std::string& output, PictureFormat format,
                                             int quality);

}  // namespace lumivane
