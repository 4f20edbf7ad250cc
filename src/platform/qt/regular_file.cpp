#include "platform/qt/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace lumivane {
namespace {

MapLoadProblem ProblemOf(int error) {
  if (error == EACCES || error == EPERM) return MapLoadProblem::PermissionDenied;
  return error == ELOOP ? MapLoadProblem::LinkLoop : MapLoadProblem::NotFound;
}

OpenedFile Refused(MapLoadProblem problem) { return OpenedFile{nullptr, problem}; }

}  // namespace

OpenedFile OpenRegularFile(const std::string& path) {
  if (path.empty()) return Refused(MapLoadProblem::NotFound);
  struct stat entry {};
  if (::stat(path.c_str(), &entry) != 0) return Refused(ProblemOf(errno));
  if (!S_ISREG(entry.st_mode)) return Refused(MapLoadProblem::NotARegularFile);

  // O_NONBLOCK: should the entry become a FIFO after the look above, the
  // open still returns at once, and the second look refuses it.
  const int descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (descriptor < 0) return Refused(ProblemOf(errno));
  struct stat opened {};
  if (::fstat(descriptor, &opened) != 0 || !S_ISREG(opened.st_mode)) {
    ::close(descriptor);
    return Refused(MapLoadProblem::NotARegularFile);
  }
  auto file = std::make_unique<QFile>();
  if (!file->open(descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    ::close(descriptor);
    return Refused(MapLoadProblem::NotFound);
  }
  return OpenedFile{std::move(file), MapLoadProblem::NotFound};
}

}  // namespace lumivane
