#include "qt_world_window_fixture.h"

namespace lumivane::testing {

void QtShellTest::SetUp() {
  TemporaryConfigHomeTest::SetUp();
  store_ = std::make_unique<QtProfileStore>(QStringLiteral("Lumivane"));
}

QtWorldWindowServices QtShellTest::Services() {
  return QtWorldWindowServices{*store_,    startup_, images_,
                               mapLoader_, clock_,   QStringLiteral("Lumivane")};
}

QString QtShellTest::IniPath() const { return ConfigHome() + "/Brevanta/Lumivane.ini"; }

QVariant QtShellTest::StoredValue(const QString& key) const {
  const QSettings ini(IniPath(), QSettings::IniFormat);
  return ini.value(key);
}

void QtShellTest::Store(const QString& key, const QVariant& value) {
  QSettings ini(IniPath(), QSettings::IniFormat);
  ini.setValue(key, value);
}

}  // namespace lumivane::testing
