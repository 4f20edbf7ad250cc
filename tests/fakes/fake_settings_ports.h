#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "fakes/call_log.h"
#include "render/ports.h"
#include "settings/earth_map.h"
#include "settings/ports.h"

namespace lumivane {

// Fakes of the settings' small ports. Each logs its calls as readable lines,
// into its own list or one shared with the other fakes of a test.

// "ProgramPath -> "/opt/lumivane/lumivane"", "Register "\"/opt/...\""",
// "Unregister". Keeps the registered command like the platform would.
class FakeStartupRegistration : public StartupRegistration, public CallLog {
 public:
  using CallLog::CallLog;

  std::string programPath = "/opt/lumivane/lumivane";
  bool registerSucceeds = true;
  std::optional<std::string> entry;  // the registered command, if any

  std::string ProgramPath() override;
  bool Register(const std::string& quotedCommand) override;
  void Unregister() override;
};

// "ShowMessage "Unable to load:\n...""
class FakeMessageSink : public MessageSink, public CallLog {
 public:
  using CallLog::CallLog;

  void ShowMessage(const std::string& text) override;
};

// "LoadImageFile "/maps/earth.bmp" -> 1024x512" or "-> failed"; the files
// that exist are the ones added to `files`.
class FakeMapImageLoader : public MapImageLoader, public CallLog {
 public:
  using CallLog::CallLog;

  std::map<std::string, Image> files;
  std::optional<Image> LoadImageFile(const std::string& path) override;
};

// Built-in pictures of the right sizes, each filled with its own colour (a
// marker with its resource number); "LoadBuiltin EarthMap", "LoadBuiltin 134".
class FakeBuiltinImages : public BuiltinImageSource, public CallLog {
 public:
  using CallLog::CallLog;

  static constexpr Pixel kEarthMapFill = 0x00336699;
  Image Load(BuiltinImage image) override;
};

}  // namespace lumivane
