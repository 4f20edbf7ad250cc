#include "platform/qt/qt_profile_store.h"

#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <limits>

namespace lumivane {
namespace {

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString SettingKeyPath(std::string_view section, std::string_view name) {
  return FromUtf8(section) + '/' + FromUtf8(name);
}

bool IsIntegerType(const QVariant& value) {
  switch (value.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
      return true;
    default:
      return false;
  }
}

QByteArray FileContents(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

std::optional<std::int32_t> SettingIntFromVariant(const QVariant& value) {
  bool ok = false;
  qlonglong number = 0;
  if (value.metaType().id() == QMetaType::QString) {
    number = value.toString().trimmed().toLongLong(&ok, 10);
  } else if (IsIntegerType(value)) {
    number = value.toLongLong(&ok);
    if (value.metaType().id() == QMetaType::ULongLong &&
        value.toULongLong() > std::numeric_limits<std::uint32_t>::max()) {
      ok = false;
    }
  }
  if (!ok) return std::nullopt;
  if (number < std::numeric_limits<std::int32_t>::min() ||
      number > std::numeric_limits<std::uint32_t>::max()) {
    return std::nullopt;
  }
  // The 32 bits as stored, like a DWORD: 4294967295 reads back as -1.
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(number));
}

QtProfileStore::QtProfileStore(const QString& applicationName)
    : filePath_(DefaultFilePath(applicationName)) {}

QString QtProfileStore::DefaultFilePath(const QString& applicationName) {
  // QSettings would fix its user path once per process; resolving it here
  // gives the same file and follows XDG_CONFIG_HOME as it is now.
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + '/' +
         kOrganization + '/' + applicationName + ".ini";
}

std::optional<QVariant> QtProfileStore::ReadValue(std::string_view section,
                                                  std::string_view name) const {
  const QSettings settings(filePath_, QSettings::IniFormat);
  if (settings.status() == QSettings::AccessError) return std::nullopt;
  QVariant value = settings.value(SettingKeyPath(section, name));
  if (!value.isValid()) return std::nullopt;
  return value;
}

bool QtProfileStore::WriteValue(std::string_view section, std::string_view name,
                                const QVariant& value) {
  QSettings settings(filePath_, QSettings::IniFormat);
  const QSettings::Status before = settings.status();
  // Writing over a file we could not read would lose whatever it holds.
  if (before == QSettings::AccessError) return false;
  // QSettings keeps reporting a parse error after a good save; telling the
  // outcome then needs a look at the file.
  const QByteArray corruptContents =
      before == QSettings::FormatError ? FileContents(filePath_) : QByteArray();

  // Only atomic saves (temporary file, then rename), never a direct write.
  settings.setAtomicSyncRequired(true);
  settings.setValue(SettingKeyPath(section, name), value);
  settings.sync();
  if (before == QSettings::FormatError) return FileContents(filePath_) != corruptContents;
  return settings.status() == QSettings::NoError;
}

std::int32_t QtProfileStore::ReadSettingInt(std::string_view section, std::string_view name,
                                            std::int32_t defaultValue) {
  const std::optional<QVariant> value = ReadValue(section, name);
  if (!value) return defaultValue;
  return SettingIntFromVariant(*value).value_or(defaultValue);
}

bool QtProfileStore::WriteSettingInt(std::string_view section, std::string_view name,
                                     std::int32_t value) {
  return WriteValue(section, name, QVariant(value));
}

std::string QtProfileStore::ReadSettingString(std::string_view section, std::string_view name,
                                              std::string_view defaultValue) {
  const std::optional<QVariant> value = ReadValue(section, name);
  // A list (an unquoted text with commas) or another type is not a text.
  if (!value || !(value->metaType().id() == QMetaType::QString || IsIntegerType(*value))) {
    return std::string(defaultValue);
  }
  return value->toString().toStdString();
}

bool QtProfileStore::WriteSettingString(std::string_view section, std::string_view name,
                                        std::string_view text) {
  return WriteValue(section, name, QVariant(FromUtf8(text)));
}

}  // namespace lumivane
