#include "platform/qt/xdg_autostart.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <utility>

#include "platform/qt/atomic_file.h"

namespace lumivane {
namespace {

constexpr const char* kEntryFileName = "Lumivane.desktop";

std::string Unquoted(const std::string& quotedCommand) {
  if (quotedCommand.size() >= 2 && quotedCommand.front() == '"' && quotedCommand.back() == '"') {
    return quotedCommand.substr(1, quotedCommand.size() - 2);
  }
  return quotedCommand;
}

}  // namespace

std::string DesktopExecValue(const std::string& quotedCommand) {
  const std::string path = Unquoted(quotedCommand);
  // GLib looks for the first word before it turns "%%" back into '%', so a
  // path holding '%' is started through env, which it always finds.
  const std::string launcher = path.find('%') == std::string::npos ? "" : "env ";
  // First the Exec quoting rule: inside double quotes, '"', '`', '$' and '\'
  // take a backslash; a literal '%' is "%%" (field codes start with '%').
  std::string argument = "\"";
  for (char c : path) {
    if (c == '"' || c == '`' || c == '$' || c == '\\') argument += '\\';
    if (c == '%') argument += '%';
    argument += c;
  }
  argument += '"';
  // Then the escapes of every string value, which readers undo first.
  std::string value;
  for (char c : argument) {
    switch (c) {
      case '\\': value += "\\\\"; break;
      case '\n': value += "\\n"; break;
      case '\t': value += "\\t"; break;
      case '\r': value += "\\r"; break;
      default: value += c;
    }
  }
  return launcher + value;
}

XdgAutostart::XdgAutostart(std::string programPath) : programPath_(std::move(programPath)) {}

QString XdgAutostart::EntryFilePath() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/autostart/" +
         kEntryFileName;
}

std::string XdgAutostart::ProgramPath() {
  if (programPath_) return *programPath_;
  if (QCoreApplication::instance() == nullptr) return {};
  return QCoreApplication::applicationFilePath().toStdString();
}

bool XdgAutostart::Report(const QString& path, const QString& cause) {
  if (messages_ != nullptr) {
    messages_->ShowMessage("Unable to start at logon:\n" +
                           QDir::toNativeSeparators(path).toStdString() + "\n" +
                           cause.toStdString());
  }
  return false;
}

bool XdgAutostart::Register(const std::string& quotedCommand) {
  const QString path = EntryFilePath();
  const QString folder = QFileInfo(path).absolutePath();
  if (!QDir().mkpath(folder)) return Report(path, "Cannot make the folder " + folder + ".");

  // Named, described and drawn like the installed launcher entry, so the
  // desktop's list of programs started at logon shows it the same way.
  const std::string contents =
      "[Desktop Entry]\n"
      "Type=Application\n"
      "Name=Lumivane\n"
      "Comment=See where on Earth it is day and night\n"
      "Icon=com.brevanta.Lumivane\n"
      "Exec=" +
      DesktopExecValue(quotedCommand) + "\n";
  // A crash or a full disk while writing leaves the previous entry, never
  // half of one.
  QString cause;
  if (WriteFileAtomically(path, QByteArray::fromStdString(contents), &cause)) return true;
  return Report(path, cause + '.');
}

void XdgAutostart::Unregister() {
  const QString path = EntryFilePath();
  const QFileInfo info(path);
  // A folder of that name is not ours to delete.
  if (info.isFile() || info.isSymLink()) QFile::remove(path);
}

}  // namespace lumivane
