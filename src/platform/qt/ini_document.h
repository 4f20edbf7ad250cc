#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

namespace lumivane {

// The settings file's lines in memory, read and written the way QSettings'
// INI format spells them, so that files written by either read the same.
// It takes only screened lines (see ScreenIni): sections, comments, blank
// lines and key=value with plain values. Setting a value changes or adds
// that one line; every other line, comments included, stays byte for byte.
class IniDocument {
 public:
  explicit IniDocument(const QByteArray& screened);

  // The text stored under section/key (the last one when a file repeats
  // it); nothing when it is missing or is a list (an unquoted comma).
  std::optional<QString> Value(const QString& section, const QString& key) const;
  // Sections and keys are plain names: letters, digits, '_', '-' and '.'.
  void SetValue(const QString& section, const QString& key, const QString& value);
  void SetValue(const QString& section, const QString& key, int value);

  QByteArray Bytes() const;

 private:
  struct Line {
    QByteArray text;
    QString section;             // the section the line belongs to
    std::optional<QString> key;  // for key=value lines
    qsizetype valueStart = 0;    // where the value's text starts
  };
  void Store(const QString& section, const QString& key, const QByteArray& spelled);

  std::vector<Line> lines_;
};

// The value spelled as QSettings writes a text: escapes for control
// characters, quotes and backslashes; quoted when it holds ',', ';' or '='
// or starts or ends with a blank; a leading '@' doubled.
QByteArray SpellIniText(const QString& text);

}  // namespace lumivane
