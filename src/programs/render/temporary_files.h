#pragma once

#include <sys/types.h>

namespace lumivane {

// From now on SIGINT, SIGTERM, SIGHUP and SIGPIPE (those not ignored when
// the run started) first remove the temporary files being written, then
// end the run as they would have.
void RemoveTemporaryFilesOnSignals();

// A new file (O_CREAT | O_EXCL) that an ending signal removes until
// Forget() says it is gone or has its real name. watch is -1 when the file
// is not watched (more than kMaxWatched at once); descriptor is -1 on
// failure, with errno set (EINTR once a signal is ending the run).
struct TemporaryFile {
  int descriptor = -1;
  int watch = -1;
};
inline constexpr int kMaxWatched = 256;
TemporaryFile CreateTemporaryFile(const char* path, mode_t mode);
void ForgetTemporaryFile(int watch);

}  // namespace lumivane
