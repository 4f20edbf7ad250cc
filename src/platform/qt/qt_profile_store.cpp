#include "platform/qt/qt_profile_store.h"

#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <cstdio>
#include <limits>

#include "platform/qt/atomic_file.h"
#include "platform/qt/ini_screening.h"
#include "settings/one_line.h"

namespace lumivane {
namespace {

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A stored number as a 32-bit value: decimal text from -2147483648 up to
// 4294967295 (numbers above the signed range keep their 32 bits, as the base
// size is read unsigned); nothing for anything else.
std::optional<std::int32_t> SettingIntFromText(const QString& text) {
  bool ok = false;
  const qlonglong number = text.trimmed().toLongLong(&ok, 10);
  if (!ok || number < std::numeric_limits<std::int32_t>::min() ||
      number > std::numeric_limits<std::uint32_t>::max()) {
    return std::nullopt;
  }
  // The 32 bits as stored, like a DWORD: 4294967295 reads back as -1.
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(number));
}

// The file as it is: nothing when there is none (or only a link to a file
// still to be made), an error when it is there but cannot be read (a
// folder, no permission, a loop of links).
struct RawFile {
  bool readable = true;
  QByteArray contents;
};

RawFile ReadRawFile(const QString& path) {
  const QString target = FollowLinks(path);
  if (target.isEmpty()) return {false, {}};
  const QFileInfo info(target);
  if (!info.exists()) return {};
  QFile file(target);
  if (!info.isFile() || !file.open(QIODevice::ReadOnly)) return {false, {}};
  // The screening refuses anything above kMaxIniBytes: a byte more than that
  // tells it enough.
  constexpr qint64 kEnough = kMaxIniBytes + 1;
  return {true, file.size() < kEnough ? file.readAll() : file.read(kEnough)};
}

// Why a file that is there cannot be read, in words.
QString ReadProblem(const QString& path) {
  QString cause;
  const QString target = FollowLinks(path, &cause);
  if (target.isEmpty()) return cause;
  const QFileInfo info(target);
  if (info.isDir()) return QStringLiteral("it is a folder");
  // Opening a FIFO would wait for a writer.
  if (!info.isFile()) return QStringLiteral("it is not a regular file");
  QFile file(target);
  return file.open(QIODevice::ReadOnly) ? QStringLiteral("it cannot be read") : file.errorString();
}

// A path as one line of a message, whatever bytes it holds.
QString Native(const QString& path) {
  const QByteArray bytes = QFile::encodeName(QDir::toNativeSeparators(path));
  return QString::fromStdString(OneLine(bytes.toStdString()));
}

// Keeps the file as it was under the first free name "<file>.bad", ".bad.2",
// ... (one already holding exactly these bytes will do). A hard link costs
// nothing, even on a full disk; a copy where links are not possible, and for
// a symbolic link, whose target the new file replaces.
std::optional<QString> KeepAsItWas(const QString& path, const QByteArray& contents,
                                   QString* cause) {
  for (int n = 1; n <= 99; ++n) {
    const QString keep =
        path + QStringLiteral(".bad") + (n == 1 ? QString() : '.' + QString::number(n));
    if (QFileInfo::exists(keep)) {
      QFile kept(keep);
      if (kept.open(QIODevice::ReadOnly) && kept.readAll() == contents) return keep;
      continue;
    }
    if (!QFileInfo(path).isSymLink() &&
        ::link(QFile::encodeName(path).constData(), QFile::encodeName(keep).constData()) == 0) {
      return keep;
    }
    if (WriteFileAtomically(keep, contents, cause)) return keep;
    *cause = QStringLiteral("cannot keep its unreadable lines in ") + Native(keep) + ": " + *cause;
    return std::nullopt;
  }
  *cause = QStringLiteral("cannot keep its unreadable lines: ") + Native(path) +
           QStringLiteral(".bad to .bad.99 are all taken");
  return std::nullopt;
}

}  // namespace

QtProfileStore::QtProfileStore(const QString& applicationName)
    : filePath_(DefaultFilePath(applicationName)) {}

QString QtProfileStore::DefaultFilePath(const QString& applicationName) {
  // The file QSettings(IniFormat, UserScope, ...) would use, resolved at each
  // construction so that it follows XDG_CONFIG_HOME as it is now.
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + '/' +
         kOrganization + '/' + applicationName + ".ini";
}

const IniDocument& QtProfileStore::CurrentDocument() const {
  RawFile raw = ReadRawFile(filePath_);
  if (!raw.readable) raw.contents.clear();
  if (parsedContents_ == raw.contents) return parsed_;
  parsed_ = IniDocument(ScreenIni(raw.contents).plain);
  parsedContents_ = std::move(raw.contents);
  return parsed_;
}

std::optional<QString> QtProfileStore::ReadValue(std::string_view section,
                                                 std::string_view name) const {
  return CurrentDocument().Value(FromUtf8(section), FromUtf8(name));
}

bool QtProfileStore::Report(const QString& cause) {
  if (!failureReported_) {
    failureReported_ = true;
    std::fprintf(stderr, "Lumivane: cannot save the settings in %s: %s\n",
                 qPrintable(Native(filePath_)), qPrintable(cause));
  }
  return false;
}

bool QtProfileStore::WriteSettings(std::span<const Value> values) {
  const RawFile raw = ReadRawFile(filePath_);
  // Writing over a file we could not read would lose whatever it holds.
  if (!raw.readable) return Report(ReadProblem(filePath_));
  const ScreenedIni screened = ScreenIni(raw.contents);
  IniDocument document(screened.plain);
  for (const Value& each : values) {
    const QString section = FromUtf8(each.section);
    const QString name = FromUtf8(each.name);
    if (const auto* number = std::get_if<std::int32_t>(&each.value)) {
      document.SetValue(section, name, *number);
    } else {
      document.SetValue(section, name, FromUtf8(std::get<std::string_view>(each.value)));
    }
  }

  // Whatever the new file loses is kept first.
  if (screened.dropped) {
    QString cause;
    const std::optional<QString> kept = KeepAsItWas(filePath_, raw.contents, &cause);
    if (!kept) return Report(cause);
    std::fprintf(stderr, "Lumivane: %s could not be read whole; kept as it was in %s\n",
                 qPrintable(Native(filePath_)), qPrintable(Native(*kept)));
  }
  QString cause;
  const QString target = FollowLinks(filePath_, &cause);
  if (target.isEmpty()) return Report(cause);
  const QString folder = QFileInfo(target).absolutePath();
  if (!QDir().mkpath(folder)) {
    return Report(QStringLiteral("cannot make the folder ") + Native(folder));
  }
  if (!WriteFileAtomically(filePath_, document.Bytes(), &cause)) return Report(cause);
  return true;
}

std::int32_t QtProfileStore::ReadSettingInt(std::string_view section, std::string_view name,
                                            std::int32_t defaultValue) {
  const std::optional<QString> value = ReadValue(section, name);
  if (!value) return defaultValue;
  return SettingIntFromText(*value).value_or(defaultValue);
}

bool QtProfileStore::WriteSettingInt(std::string_view section, std::string_view name,
                                     std::int32_t value) {
  const Value one[] = {{section, name, value}};
  return WriteSettings(one);
}

std::string QtProfileStore::ReadSettingString(std::string_view section, std::string_view name,
                                              std::string_view defaultValue) {
  const std::optional<QString> value = ReadValue(section, name);
  return value ? value->toStdString() : std::string(defaultValue);
}

bool QtProfileStore::WriteSettingString(std::string_view section, std::string_view name,
                                        std::string_view text) {
  const Value one[] = {{section, name, text}};
  return WriteSettings(one);
}

}  // namespace lumivane
