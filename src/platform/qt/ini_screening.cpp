#include "platform/qt/ini_screening.h"

#include <QByteArrayView>
#include <QStringDecoder>
#include <algorithm>

namespace lumivane {
namespace {

enum class LineKind { Kept, Section, BadSection, Unreadable };

bool IsPlainText(QByteArrayView line) {
  // A byte-order mark belongs only at the file's start, which is read past
  // before the lines. Kept elsewhere, it could start the screened copy and
  // be read there as the file's own mark.
  if (line.contains("\xEF\xBB\xBF")) return false;
  for (const char c : line) {
    const auto byte = static_cast<unsigned char>(c);
    // QSettings ends a line at a carriage return too.
    if ((byte < 0x20 && byte != '\t') || byte == 0x7F) return false;
  }
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  const QString decoded = utf8(line);
  return !utf8.hasError();
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

LineKind ClassifySection(QByteArrayView line) {
  const qsizetype close = line.indexOf(']');
  if (close < 0 || line.contains('"') || line.contains('\\')) return LineKind::BadSection;
  return std::ranges::all_of(line.sliced(close + 1), IsBlank) ? LineKind::Section
                                                              : LineKind::BadSection;
}

// A value's text may not begin with '@' (QSettings' mark of a serialised
// type; "@@" stands for a literal '@') nor with an escape, which could spell
// one. Quotes and blanks before it are looked through.
bool StartsPlain(QByteArrayView value) {
  qsizetype i = 0;
  while (i < value.size() && (IsBlank(value[i]) || value[i] == '"')) ++i;
  if (i == value.size()) return true;
  const char next = i + 1 < value.size() ? value[i + 1] : '\0';
  if (value[i] == '@') return next == '@';
  if (value[i] == '\\') return next == '\\' || next == 'n' || next == 't' || next == 'r';
  return true;
}

// key=value, scanned as QSettings scans a line: quotes pair up, a backslash
// takes the next character with it, '=' outside quotes ends the key, ';'
// outside quotes starts a comment, ',' outside quotes makes a list.
LineKind ClassifyEntry(QByteArrayView line) {
  bool quoted = false;
  qsizetype equals = -1;
  qsizetype end = line.size();
  for (qsizetype i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (c == '\\') {
      if (++i == line.size()) return LineKind::Unreadable;  // joins the next line
    } else if (c == '"') {
      quoted = !quoted;
    } else if (!quoted && c == '=' && equals < 0) {
      equals = i;
    } else if (!quoted && c == ';') {
      end = i;
      break;
    } else if (!quoted && c == ',' && equals >= 0) {
      return LineKind::Unreadable;
    }
  }
  if (quoted || equals <= 0) return LineKind::Unreadable;
  if (!StartsPlain(line.sliced(equals + 1, end - equals - 1))) return LineKind::Unreadable;
  return LineKind::Kept;
}

LineKind Classify(QByteArrayView line) {
  if (!IsPlainText(line)) return LineKind::Unreadable;
  qsizetype start = 0;
  while (start < line.size() && IsBlank(line[start])) ++start;
  const QByteArrayView rest = line.sliced(start);
  if (rest.isEmpty() || rest.front() == ';') return LineKind::Kept;
  if (rest.front() == '[') return ClassifySection(rest);
  return ClassifyEntry(rest);
}

}  // namespace

ScreenedIni ScreenIni(const QByteArray& contents) {
  ScreenedIni screened;
  if (contents.size() > kMaxIniBytes) {
    screened.dropped = true;
    return screened;
  }
  QByteArrayView rest(contents);
  if (rest.startsWith("\xEF\xBB\xBF")) rest = rest.sliced(3);  // a UTF-8 mark
  bool inBadSection = false;
  while (!rest.isEmpty()) {
    const qsizetype newline = rest.indexOf('\n');
    QByteArrayView line = newline < 0 ? rest : rest.first(newline);
    rest = newline < 0 ? QByteArrayView() : rest.sliced(newline + 1);
    if (line.endsWith('\r')) line.chop(1);

    const LineKind kind = Classify(line);
    if (kind == LineKind::Section || kind == LineKind::BadSection) {
      inBadSection = kind == LineKind::BadSection;
    }
    if (kind == LineKind::Unreadable || kind == LineKind::BadSection ||
        (inBadSection && kind == LineKind::Kept)) {
      screened.dropped = true;
      continue;
    }
    screened.plain += line;
    screened.plain += '\n';
  }
  return screened;
}

}  // namespace lumivane
