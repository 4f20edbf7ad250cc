#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "render/builtin_images.h"
#include "settings/earth_map.h"
#include "settings/message_sink.h"
#include "settings/settings_effects.h"
#include "settings/startup_registration.h"

namespace lumivane {

// Fakes of the settings' small ports. Each logs its calls as readable lines,
// into its own list or one shared with the other fakes of a test.

// "ProgramPath -> "/opt/lumivane/lumivane"", "Register "\"/opt/...\""",
// "Unregister". Keeps the registered command like the platform would.
class FakeStartupRegistration : public StartupRegistration {
 public:
  FakeStartupRegistration() : log(ownLog_) {}
  explicit FakeStartupRegistration(std::vector<std::string>& sharedLog) : log(sharedLog) {}
  FakeStartupRegistration(const FakeStartupRegistration&) = delete;
  FakeStartupRegistration& operator=(const FakeStartupRegistration&) = delete;

  std::vector<std::string>& log;
  std::string programPath = "/opt/lumivane/lumivane";
  bool registerSucceeds = true;
  std::optional<std::string> entry;  // the registered command, if any

  std::string ProgramPath() override;
  bool Register(const std::string& quotedCommand) override;
  void Unregister() override;

 private:
  std::vector<std::string> ownLog_;
};

// "ShowMessage "Unable to load:\n...""
class FakeMessageSink : public MessageSink {
 public:
  FakeMessageSink() : log(ownLog_) {}
  explicit FakeMessageSink(std::vector<std::string>& sharedLog) : log(sharedLog) {}
  FakeMessageSink(const FakeMessageSink&) = delete;
  FakeMessageSink& operator=(const FakeMessageSink&) = delete;

  std::vector<std::string>& log;
  void ShowMessage(const std::string& text) override;

 private:
  std::vector<std::string> ownLog_;
};

// "SetTopmost 1", "ShowTrayIcon 0"
class FakeSettingsEffects : public SettingsEffects {
 public:
  FakeSettingsEffects() : log(ownLog_) {}
  explicit FakeSettingsEffects(std::vector<std::string>& sharedLog) : log(sharedLog) {}
  FakeSettingsEffects(const FakeSettingsEffects&) = delete;
  FakeSettingsEffects& operator=(const FakeSettingsEffects&) = delete;

  std::vector<std::string>& log;
  void SetTopmost(bool onTop) override;
  void ShowTrayIcon(bool shown) override;

 private:
  std::vector<std::string> ownLog_;
};

// "LoadImageFile "/maps/earth.bmp" -> 1024x512" or "-> failed"; the files
// that exist are the ones added to `files`.
class FakeMapImageLoader : public MapImageLoader {
 public:
  FakeMapImageLoader() : log(ownLog_) {}
  explicit FakeMapImageLoader(std::vector<std::string>& sharedLog) : log(sharedLog) {}
  FakeMapImageLoader(const FakeMapImageLoader&) = delete;
  FakeMapImageLoader& operator=(const FakeMapImageLoader&) = delete;

  std::vector<std::string>& log;
  std::map<std::string, Image> files;
  std::optional<Image> LoadImageFile(const std::string& path) override;

 private:
  std::vector<std::string> ownLog_;
};

// Built-in pictures of the right sizes, each filled with its own colour;
// "LoadBuiltin EarthMap".
class FakeBuiltinImages : public BuiltinImageSource {
 public:
  FakeBuiltinImages() : log(ownLog_) {}
  explicit FakeBuiltinImages(std::vector<std::string>& sharedLog) : log(sharedLog) {}
  FakeBuiltinImages(const FakeBuiltinImages&) = delete;
  FakeBuiltinImages& operator=(const FakeBuiltinImages&) = delete;

  std::vector<std::string>& log;
  static constexpr Pixel kEarthMapFill = 0x00336699;
  Image Load(BuiltinImage image) override;

 private:
  std::vector<std::string> ownLog_;
};

}  // namespace lumivane
