// The renderer's Qt module: QtParts on the Linux program's own loaders.
#include <QString>
#include <QtGlobal>

#include "platform/qt/qt_profile_store.h"
#include "platform/qt/qt_time_zones.h"
#include "qt_parts.h"

namespace lumivane {

namespace {

class QtPartsOnQt final : public QtParts {
 public:
  MapPictureRead ReadMapPicture(const std::string& path) override {
    return lumivane::ReadMapPicture(path);
  }
  std::unique_ptr<MapImageLoader> MapLoader(QtMapImageLoader::FailureReport report) override {
    return std::make_unique<QtMapImageLoader>(std::move(report));
  }
  std::unique_ptr<ProfileStore> StoredSettings(const std::string& applicationName) override {
    return std::make_unique<QtProfileStore>(QString::fromStdString(applicationName));
  }
  std::unique_ptr<TimeZones> SystemTimeZones() override { return std::make_unique<QtTimeZones>(); }
  void SilenceLibraryMessages() override {
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
  }
};

}  // namespace

}  // namespace lumivane

extern "C" __attribute__((visibility("default"))) lumivane::QtParts* LumivaneRenderQtParts() {
  static lumivane::QtPartsOnQt parts;
  return &parts;
}
