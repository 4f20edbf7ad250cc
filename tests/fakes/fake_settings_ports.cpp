#include "fakes/fake_settings_ports.h"

#include "fakes/fake_profile_store.h"
#include "render/pin_names.h"

namespace lumivane {

std::string FakeStartupRegistration::ProgramPath() {
  log.push_back("ProgramPath -> " + Quoted(programPath));
  return programPath;
}

bool FakeStartupRegistration::Register(const std::string& quotedCommand) {
  log.push_back("Register " + Quoted(quotedCommand));
  if (!registerSucceeds) return false;
  entry = quotedCommand;
  return true;
}

void FakeStartupRegistration::Unregister() {
  log.push_back("Unregister");
  entry.reset();
}

void FakeMessageSink::ShowMessage(const std::string& text) {
  log.push_back("ShowMessage " + Quoted(text));
}

std::optional<Image> FakeMapImageLoader::LoadImageFile(const std::string& path) {
  auto it = files.find(path);
  if (it == files.end()) {
    log.push_back("LoadImageFile " + Quoted(path) + " -> failed");
    return std::nullopt;
  }
  log.push_back("LoadImageFile " + Quoted(path) + " -> " + std::to_string(it->second.width()) +
                'x' + std::to_string(it->second.height()));
  return it->second;
}

Image FakeBuiltinImages::Load(BuiltinImage image) {
  switch (image) {
    case BuiltinImage::EarthMap:
      log.push_back("LoadBuiltin EarthMap");
      return Image(kDefaultEarthMapWidth, kDefaultEarthMapHeight, kEarthMapFill);
    case BuiltinImage::PinFont:
      // Every glyph a solid block of ink.
      log.push_back("LoadBuiltin " + std::to_string(ResourceId(image)));
      return Image(kPinFontWidth, kPinFontHeight, 0);
    default:
      log.push_back("LoadBuiltin " + std::to_string(ResourceId(image)));
      return Image(kSunMarkerSize, kSunMarkerSize, static_cast<Pixel>(ResourceId(image)));
  }
}

}  // namespace lumivane
