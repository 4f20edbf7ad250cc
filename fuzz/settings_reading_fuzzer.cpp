// Any bytes as the settings file: the screening, then QSettings on what it
// lets through, then the store's own reads.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

#include "platform/qt/ini_screening.h"
#include "platform/qt/qt_profile_store.h"

namespace {

QTemporaryDir* folder = nullptr;
int inputNumber = 0;

void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  folder = new QTemporaryDir();
  qputenv("XDG_CONFIG_HOME", folder->path().toUtf8());
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const lumivane::ScreenedIni screened = lumivane::ScreenIni(bytes);
  // What passes the screening passes it again unchanged...
  const lumivane::ScreenedIni again = lumivane::ScreenIni(screened.plain);
  if (again.dropped || again.plain != screened.plain) std::abort();

  // ...and QSettings reads nothing but texts from it. (A new name each time:
  // QSettings keeps a parsed file while its size and time stay the same.)
  const QString plainPath = folder->filePath(QString::number(++inputNumber) + ".ini");
  WriteFile(plainPath, screened.plain);
  {
    const QSettings settings(plainPath, QSettings::IniFormat);
    for (const QString& key : settings.allKeys()) {
      // (A key under "[]" is listed as "/key" but not found by that name.)
      const QVariant value = settings.value(key);
      if (value.isValid() && value.metaType().id() != QMetaType::QString) std::abort();
    }
  }
  QFile::remove(plainPath);

  // The store on the raw file, as the programs read it.
  const QString ini = lumivane::QtProfileStore::DefaultFilePath(QStringLiteral("Lumivane"));
  static const bool made = QDir().mkpath(QFileInfo(ini).absolutePath());
  if (!made) std::abort();
  WriteFile(ini, bytes);
  lumivane::QtProfileStore store(QStringLiteral("Lumivane"));
  // (Each read looks at the file again; a few of them show the rest.)
  store.ReadSettingInt("size", "scale", 30);
  store.ReadSettingInt("colors", "nightfilter", 50);
  store.ReadSettingString("options", "image", "Default");
  store.ReadSettingInt("options", "image", 0);
  return 0;
}
