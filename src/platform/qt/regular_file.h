#pragma once

#include <memory>
#include <string>

#include <QFile>

#include "picture_files/map_load_failure.h"

namespace lumivane {

struct OpenedFile {
  std::unique_ptr<QFile> file;  // open for reading; null on failure
  MapLoadProblem problem = MapLoadProblem::NotFound;
};

// Opens a file for reading only when it is a regular file. A folder, FIFO,
// device or socket is refused from its directory entry, never opened:
// opening a FIFO would wait for a writer, opening a device can act on it.
OpenedFile OpenRegularFile(const std::string& path);

}  // namespace lumivane
