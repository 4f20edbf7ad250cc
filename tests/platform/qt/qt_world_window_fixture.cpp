#include "qt_world_window_fixture.h"

namespace lumivane::testing {

void QtShellTest::SetUp() {
  ASSERT_TRUE(configHome_.isValid());
  oldConfigHome_ = qgetenv("XDG_CONFIG_HOME");
  qputenv("XDG_CONFIG_HOME", configHome_.path().toUtf8());
  store_ = std::make_unique<QtProfileStore>(QStringLiteral("Lumivane"));
}

void QtShellTest::TearDown() { qputenv("XDG_CONFIG_HOME", oldConfigHome_); }

QtWorldWindowServices QtShellTest::Services() {
  return QtWorldWindowServices{*store_, startup_, images_, mapLoader_, clock_,
                               QStringLiteral("Lumivane")};
}

QString QtShellTest::IniPath() const { return configHome_.path() + "/Brevanta/Lumivane.ini"; }

QVariant QtShellTest::StoredValue(const QString& key) const {
  const QSettings ini(IniPath(), QSettings::IniFormat);
  return ini.value(key);
}

void QtShellTest::Store(const QString& key, const QVariant& value) {
  QSettings ini(IniPath(), QSettings::IniFormat);
  ini.setValue(key, value);
}

}  // namespace lumivane::testing
