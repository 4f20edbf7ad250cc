#include "picture_files/map_load_failure.h"

namespace lumivane {

std::string DescribeMapLoadFailure(const MapLoadFailure& failure) {
  switch (failure.problem) {
    case MapLoadProblem::NotFound: return "not found";
    case MapLoadProblem::LinkLoop: return "too many levels of symbolic links";
    case MapLoadProblem::NotARegularFile: return "not a regular file";
    case MapLoadProblem::PermissionDenied: return "permission denied";
    case MapLoadProblem::NotAPicture: return "not a picture Lumivane can read";
    case MapLoadProblem::TooLarge:
      return "too large: " + std::to_string(failure.width) + "x" + std::to_string(failure.height) +
             " over the limit";
    case MapLoadProblem::OutOfMemory: return "out of memory";
  }
  return "not a picture Lumivane can read";
}

}  // namespace lumivane
