#pragma once

#include <QByteArray>

namespace lumivane {

// Larger files are not read at all; a settings file is a few hundred bytes.
inline constexpr qsizetype kMaxIniBytes = qsizetype{16} << 20;

struct ScreenedIni {
  QByteArray plain;      // the lines that may be parsed
  bool dropped = false;  // some setting of the file is not in plain
};

// The lines of an INI file that hold only sections and plain numbers or
// texts. QSettings turns "@Variant(...)" values into any object (deeply
// nested ones crash it), "@ByteArray(...)" and unquoted commas into other
// types, and a stray quote swallows every later line; none of that reaches
// it. Dropped: such values, lines it would misread (a line joined to the
// next by a final backslash, a lone carriage return, control characters,
// text that is not UTF-8, a line that is neither a section, a comment nor
// key=value) and the entries under a section header that is itself
// unreadable. Comments and blank lines stay as they are. A file above
// kMaxIniBytes is dropped whole.
ScreenedIni ScreenIni(const QByteArray& contents);

}  // namespace lumivane
