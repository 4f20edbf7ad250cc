#include "platform/qt/process_environment.h"

#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <initializer_list>

namespace lumivane {
namespace {

bool IsAbsolute(const char* path) { return path != nullptr && path[0] == '/'; }

}  // namespace

void OpenClosedStandardStreams() {
  for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
    if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    // The lowest free number is this one, since the lower ones are open.
    const int opened = ::open("/dev/null", O_RDWR);
    if (opened >= 0 && opened != fd) ::close(opened);
  }
}

void RepairFolderEnvironment() {
  if (!IsAbsolute(std::getenv("HOME"))) {
    if (const passwd* user = ::getpwuid(::getuid()); user != nullptr && IsAbsolute(user->pw_dir)) {
      ::setenv("HOME", user->pw_dir, 1);
    }
  }
  for (const char* name : {"XDG_CONFIG_HOME", "XDG_RUNTIME_DIR"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && !IsAbsolute(value)) ::unsetenv(name);
  }
}

}  // namespace lumivane
