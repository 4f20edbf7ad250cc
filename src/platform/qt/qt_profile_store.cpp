#include "platform/qt/qt_profile_store.h"

#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstdio>
#include <limits>

#include "platform/qt/atomic_file.h"
#include "platform/qt/ini_screening.h"

namespace lumivane {
namespace {

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString SettingKeyPath(std::string_view section, std::string_view name) {
  return FromUtf8(section) + '/' + FromUtf8(name);
}

bool IsIntegerType(const QVariant& value) {
  const int type = value.metaType().id();
  return type == QMetaType::Int || type == QMetaType::UInt || type == QMetaType::LongLong ||
         type == QMetaType::ULongLong;
}

// The file as it is: nothing when there is none, an error when it is there
// but cannot be read (a folder, no permission).
struct RawFile {
  bool readable = true;
  QByteArray contents;
};

RawFile ReadRawFile(const QString& path) {
  const QFileInfo info(path);
  if (!info.exists() && !info.isSymLink()) return {};
  QFile file(path);
  if (!info.isFile() || !file.open(QIODevice::ReadOnly)) return {false, {}};
  // The screening refuses anything above kMaxIniBytes: a byte more than that
  // tells it enough.
  constexpr qint64 kEnough = kMaxIniBytes + 1;
  return {true, file.size() < kEnough ? file.readAll() : file.read(kEnough)};
}

// QSettings works on a private copy holding only the screened lines.
class ScratchSettings {
 public:
  explicit ScratchSettings(const QByteArray& plain) {
    if (!folder_.isValid()) return;
    path_ = folder_.filePath(QStringLiteral("settings.ini"));
    QFile file(path_);
    ok_ = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) &&
          file.write(plain) == plain.size();
  }
  bool ok() const { return ok_; }
  const QString& path() const { return path_; }

 private:
  QTemporaryDir folder_;
  QString path_;
  bool ok_ = false;
};

// Keeps the file as it was under the first free name "<file>.bad", ".bad.2",
// ... (one already holding exactly these bytes will do). A hard link costs
// nothing, even on a full disk; a copy where links are not possible, and for
// a symbolic link, whose target the new file replaces.
std::optional<QString> KeepAsItWas(const QString& path, const QByteArray& contents) {
  for (int n = 1; n <= 99; ++n) {
    const QString keep = path + QStringLiteral(".bad") + (n == 1 ? QString() : '.' + QString::number(n));
    if (QFileInfo::exists(keep)) {
      QFile kept(keep);
      if (kept.open(QIODevice::ReadOnly) && kept.readAll() == contents) return keep;
      continue;
    }
    if (!QFileInfo(path).isSymLink() &&
        ::link(QFile::encodeName(path).constData(), QFile::encodeName(keep).constData()) == 0) {
      return keep;
    }
    return WriteFileAtomically(keep, contents) ? std::optional(keep) : std::nullopt;
  }
  return std::nullopt;
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

const QVariantMap& QtProfileStore::CurrentValues() const {
  RawFile raw = ReadRawFile(filePath_);
  if (!raw.readable) raw.contents.clear();
  if (parsedContents_ == raw.contents) return parsedValues_;
  parsedValues_.clear();
  parsedContents_.reset();
  // QSettings reads a copy of exactly the screened bytes.
  const ScratchSettings scratch(ScreenIni(raw.contents).plain);
  if (!scratch.ok()) return parsedValues_;
  const QSettings settings(scratch.path(), QSettings::IniFormat);
  for (const QString& key : settings.allKeys()) parsedValues_.insert(key, settings.value(key));
  parsedContents_ = std::move(raw.contents);
  return parsedValues_;
}

std::optional<QVariant> QtProfileStore::ReadValue(std::string_view section,
                                                  std::string_view name) const {
  const QVariantMap& values = CurrentValues();
  const auto found = values.constFind(SettingKeyPath(section, name));
  if (found == values.constEnd() || !found->isValid()) return std::nullopt;
  return *found;
}

bool QtProfileStore::WriteValue(std::string_view section, std::string_view name,
                                const QVariant& value) {
  const RawFile raw = ReadRawFile(filePath_);
  // Writing over a file we could not read would lose whatever it holds.
  if (!raw.readable) return false;
  const ScreenedIni screened = ScreenIni(raw.contents);

  // QSettings adds the value to the screened lines in a private copy...
  ScratchSettings scratch(screened.plain);
  if (!scratch.ok()) return false;
  {
    QSettings settings(scratch.path(), QSettings::IniFormat);
    // A throwaway copy needs no safe replacement (nor its wait for the disk).
    settings.setAtomicSyncRequired(false);
    settings.setValue(SettingKeyPath(section, name), value);
    settings.sync();
    if (settings.status() != QSettings::NoError) return false;
  }
  QFile written(scratch.path());
  if (!written.open(QIODevice::ReadOnly)) return false;
  const QByteArray contents = written.readAll();

  // ...which replaces the file whole, after whatever it loses is kept.
  if (screened.dropped) {
    const std::optional<QString> kept = KeepAsItWas(filePath_, raw.contents);
    if (!kept) return false;
    std::fprintf(stderr, "Lumivane: %s could not be read whole; kept as it was in %s\n",
                 qPrintable(QDir::toNativeSeparators(filePath_)),
                 qPrintable(QDir::toNativeSeparators(*kept)));
  }
  if (!QDir().mkpath(QFileInfo(filePath_).absolutePath())) return false;
  return WriteFileAtomically(filePath_, contents);
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
