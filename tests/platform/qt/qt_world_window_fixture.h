#pragma once

#include <QSettings>
#include <QString>
#include <QVariant>
#include <memory>

#include "app/ports.h"
#include "fakes/fixed_clock.h"
#include "platform/qt/qt_builtin_images.h"
#include "platform/qt/qt_map_image_loader.h"
#include "platform/qt/qt_profile_store.h"
#include "platform/qt/qt_world_window.h"
#include "platform/qt/temporary_config_home.h"
#include "platform/qt/xdg_autostart.h"

namespace lumivane::testing {

// A fresh settings folder per test, the program's real stores over it, and
// the INI file read back directly as a user would.
class QtShellTest : public TemporaryConfigHomeTest {
 protected:
  static constexpr const char* kProgramPath = "/opt/lumivane/Lumivane";

  void SetUp() override;

  QtWorldWindowServices Services();

  QString IniPath() const;
  // Values as the INI file holds them, read without the program's store.
  QVariant StoredValue(const QString& key) const;
  void Store(const QString& key, const QVariant& value);

  std::unique_ptr<QtProfileStore> store_;
  XdgAutostart startup_{kProgramPath};
  QtBuiltinImageSource images_;
  QtMapImageLoader mapLoader_;
  FixedClock clock_{1'700'000'000};  // 2023-11-14 22:13:20 UTC
};

}  // namespace lumivane::testing
