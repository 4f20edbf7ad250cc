#pragma once

#include <memory>
#include <string>

#include "places/time_zones.h"
#include "platform/qt/qt_map_image_loader.h"
#include "settings/ports.h"

namespace lumivane {

// What the renderer does through Qt: reading the user's pictures, the stored
// settings and the system's time zones. It lives in a module of its own
// (lumivane-render-qt) that only the runs needing it load: Qt's libraries and
// theirs take longer to load than most runs take in all.
class QtParts {
 public:
  // Any map picture as the Linux program reads it.
  virtual MapPictureRead ReadMapPicture(const std::string& path) = 0;
  // The loader of the map the stored settings name.
  virtual std::unique_ptr<MapImageLoader> MapLoader(QtMapImageLoader::FailureReport report) = 0;
  // The Linux program's settings file for that application name.
  virtual std::unique_ptr<ProfileStore> StoredSettings(const std::string& applicationName) = 0;
  virtual std::unique_ptr<TimeZones> SystemTimeZones() = 0;
  // Keeps Qt's own warnings (QImage, the image format plugins) off the
  // terminal: the renderer reports each failure in one line of its own.
  virtual void SilenceLibraryMessages() = 0;

 protected:
  ~QtParts() = default;
};

// The module's one entry point, looked up by this name.
inline constexpr char kQtPartsEntryPoint[] = "LumivaneRenderQtParts";
using QtPartsEntryPoint = QtParts* (*)();

// Loads the module once, from where it is installed beside the program.
// Null, with the reason in error, when it cannot be loaded.
QtParts* LoadQtParts(std::string& error);

}  // namespace lumivane
