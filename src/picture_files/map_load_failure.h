#pragma once

#include <cstdint>
#include <string>

namespace lumivane {

// Why a map picture could not be loaded, as far as the loader can tell.
enum class MapLoadProblem {
  NotFound,
  LinkLoop,         // symbolic links that lead back to themselves
  NotARegularFile,  // a folder, a FIFO, a device, a socket
  PermissionDenied,
  NotAPicture,  // no format we decode, or damaged beyond reading
  TooLarge,     // more pixels than kMaxMapPixels
  OutOfMemory,
};

struct MapLoadFailure {
  MapLoadProblem problem = MapLoadProblem::NotAPicture;
  // The size the file's header claims, for TooLarge.
  std::int64_t width = 0;
  std::int64_t height = 0;
};

// The cause in a few words, for one line of a message:
// "too large: 16000x20000 over the limit".
std::string DescribeMapLoadFailure(const MapLoadFailure& failure);

}  // namespace lumivane
