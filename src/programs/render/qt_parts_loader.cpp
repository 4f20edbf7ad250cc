#include <dlfcn.h>
#include <unistd.h>

#include <climits>

#include "qt_parts.h"

namespace lumivane {

namespace {

// The module's path relative to the program's folder, the same in the build
// tree as where it is installed.
constexpr char kModuleFromProgram[] = LUMIVANE_RENDER_QT_MODULE;

std::string ModulePath() {
  char program[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", program, sizeof program - 1);
  if (length <= 0) return kModuleFromProgram;
  const std::string path(program, static_cast<std::size_t>(length));
  return path.substr(0, path.rfind('/') + 1) + kModuleFromProgram;
}

}  // namespace

QtParts* LoadQtParts(std::string& error) {
  static QtParts* parts = nullptr;
  if (parts) return parts;
  // Never closed: Qt's libraries stay until the program ends, as when linked.
  void* module = dlopen(ModulePath().c_str(), RTLD_NOW | RTLD_LOCAL);
  void* entry = module ? dlsym(module, kQtPartsEntryPoint) : nullptr;
  if (!entry) {
    const char* reason = dlerror();
    error = std::string("cannot load the renderer's Qt module: ") + (reason ? reason : "");
    return nullptr;
  }
  parts = reinterpret_cast<QtPartsEntryPoint>(entry)();
  return parts;
}

}  // namespace lumivane
