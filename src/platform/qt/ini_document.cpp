#include "platform/qt/ini_document.h"

#include <QStringDecoder>

namespace lumivane {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

QByteArrayView Trimmed(QByteArrayView text) {
  while (!text.isEmpty() && IsBlank(text.front())) text = text.sliced(1);
  while (!text.isEmpty() && IsBlank(text.back())) text.chop(1);
  return text;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Keys and sections: %XX and %UXXXX stand for characters, '\' for '/'.
QString UnescapeKey(QByteArrayView key) {
  QString result;
  for (qsizetype i = 0; i < key.size(); ++i) {
    const char c = key[i];
    const qsizetype digits = i + 1 < key.size() && key[i + 1] == 'U' ? 4 : 2;
    const qsizetype first = i + 1 + (digits == 4 ? 1 : 0);
    if (c == '%' && first + digits <= key.size()) {
      int code = 0;
      bool hex = true;
      for (qsizetype d = first; d < first + digits; ++d) {
        hex = hex && HexDigit(key[d]) >= 0;
        code = code * 16 + HexDigit(key[d]);
      }
      if (hex) {
        result += QChar(static_cast<char16_t>(code));
        i = first + digits - 1;
        continue;
      }
    }
    result += c == '\\' ? QChar('/') : QChar::fromLatin1(c);
  }
  return result;
}

QString SectionName(QByteArrayView header) {
  const QByteArrayView name = Trimmed(header.sliced(1, header.indexOf(']') - 1));
  // [General] holds keys without a section; [%General] is "General".
  if (name.compare("general", Qt::CaseInsensitive) == 0) return {};
  if (name.compare("%general", Qt::CaseInsensitive) == 0) return UnescapeKey(name.sliced(1));
  return UnescapeKey(name);
}

// Where a value's text ends: at a ';' outside quotes, which starts a comment.
qsizetype ValueEnd(QByteArrayView line, qsizetype start) {
  bool quoted = false;
  for (qsizetype i = start; i < line.size(); ++i) {
    if (line[i] == '\\') {
      ++i;
    } else if (line[i] == '"') {
      quoted = !quoted;
    } else if (line[i] == ';' && !quoted) {
      return i;
    }
  }
  return line.size();
}

// A value's text as QSettings reads it: quotes group, escapes stand for
// characters, blanks around unquoted text go. A list is not a text.
std::optional<QString> UnescapeValue(QByteArrayView value) {
  static constexpr char kEscapes[][2] = {{'a', '\a'}, {'b', '\b'},  {'f', '\f'}, {'n', '\n'},
                                         {'r', '\r'}, {'t', '\t'},  {'v', '\v'}, {'"', '"'},
                                         {'?', '?'},  {'\'', '\''}, {'\\', '\\'}};
  QString text;
  QByteArray pending;  // UTF-8 bytes not yet decoded
  bool quoted = false;
  bool anyQuote = false;
  qsizetype keepBlanks = 0;  // text up to here is never trimmed
  const auto flush = [&] {
    text += QString::fromUtf8(pending);
    pending.clear();
  };
  qsizetype i = 0;
  while (i < value.size() && IsBlank(value[i])) ++i;
  while (i < value.size()) {
    const char c = value[i++];
    if (c == '\\' && i < value.size()) {
      flush();
      const char e = value[i++];
      bool known = false;
      for (const auto& [name, meaning] : kEscapes) {
        if (e == name) {
          text += QChar::fromLatin1(meaning);
          known = true;
        }
      }
      if (!known && (e == 'x' || (e >= '0' && e <= '7'))) {
        // As many digits as follow: only the last 16 bits count, so the
        // sum wraps (unsigned) rather than overflow.
        const unsigned base = e == 'x' ? 16 : 8;
        unsigned code = e == 'x' ? 0 : static_cast<unsigned>(e - '0');
        while (i < value.size() && HexDigit(value[i]) >= 0 &&
               static_cast<unsigned>(HexDigit(value[i])) < base) {
          code = code * base + static_cast<unsigned>(HexDigit(value[i++]));
        }
        text += QChar(static_cast<char16_t>(code));
      }
      keepBlanks = text.size();
    } else if (c == '"') {
      flush();
      quoted = !quoted;
      anyQuote = true;
      keepBlanks = text.size();
      if (!quoted) {
        while (i < value.size() && IsBlank(value[i])) ++i;
      }
    } else if (c == ',' && !quoted) {
      return std::nullopt;
    } else {
      pending += c;
    }
  }
  flush();
  if (!anyQuote) {
    while (text.size() > keepBlanks && (text.back() == ' ' || text.back() == '\t')) text.chop(1);
  }
  // "@@" stands for a text starting with '@'.
  if (text.startsWith(QLatin1String("@@"))) text.remove(0, 1);
  return text;
}

}  // namespace

QByteArray SpellIniText(const QString& text) {
  QByteArray result;
  bool needsQuotes = false;
  bool escapeNextIfHex = false;
  const QString stored = text.startsWith('@') ? '@' + text : text;
  for (const QChar qc : stored) {
    const char16_t ch = qc.unicode();
    if (ch == ';' || ch == ',' || ch == '=') needsQuotes = true;
    // A hex digit right after a \x escape would join it.
    if (escapeNextIfHex && ch < 0x80 && HexDigit(static_cast<char>(ch)) >= 0) {
      result += "\\x" + QByteArray::number(ch, 16);
      continue;
    }
    escapeNextIfHex = false;
    switch (ch) {
      case '\0':
        result += "\\0";
        escapeNextIfHex = true;
        break;
      case '\a': result += "\\a"; break;
      case '\b': result += "\\b"; break;
      case '\f': result += "\\f"; break;
      case '\n': result += "\\n"; break;
      case '\r': result += "\\r"; break;
      case '\t': result += "\\t"; break;
      case '\v': result += "\\v"; break;
      case '"': result += "\\\""; break;
      case '\\': result += "\\\\"; break;
      default:
        if (ch <= 0x1F) {
          result += "\\x" + QByteArray::number(ch, 16);
          escapeNextIfHex = true;
        } else {
          result += QString(qc).toUtf8();
        }
    }
  }
  if (needsQuotes || result.startsWith(' ') || result.endsWith(' ')) {
    result = '"' + result + '"';
  }
  return result;
}

IniDocument::IniDocument(const QByteArray& screened) {
  QString section;
  QByteArrayView rest(screened);
  while (!rest.isEmpty()) {
    const qsizetype newline = rest.indexOf('\n');
    Line line;
    line.text = (newline < 0 ? rest : rest.first(newline)).toByteArray();
    rest = newline < 0 ? QByteArrayView() : rest.sliced(newline + 1);
    const QByteArrayView body = Trimmed(line.text);
    if (body.startsWith('[')) {
      section = SectionName(body);
    } else if (!body.isEmpty() && body.front() != ';') {
      const qsizetype equals = line.text.indexOf('=');
      line.key = UnescapeKey(Trimmed(QByteArrayView(line.text).first(equals)));
      line.valueStart = equals + 1;
    }
    line.section = section;
    lines_.push_back(std::move(line));
  }
}

std::optional<QString> IniDocument::Value(const QString& section, const QString& key) const {
  for (auto line = lines_.rbegin(); line != lines_.rend(); ++line) {
    if (line->key != key || line->section != section) continue;
    const QByteArrayView text(line->text);
    return UnescapeValue(
        text.sliced(line->valueStart, ValueEnd(text, line->valueStart) - line->valueStart));
  }
  return std::nullopt;
}

void IniDocument::SetValue(const QString& section, const QString& key, const QString& value) {
  Store(section, key, SpellIniText(value));
}

void IniDocument::SetValue(const QString& section, const QString& key, int value) {
  Store(section, key, QByteArray::number(value));
}

void IniDocument::Store(const QString& section, const QString& key, const QByteArray& spelled) {
  // The line read back is the last of its key: that is the one to change.
  for (auto line = lines_.rbegin(); line != lines_.rend(); ++line) {
    if (line->key == key && line->section == section) {
      // The key as the file spells it; the rest as QSettings would.
      const QByteArrayView spelledKey =
          Trimmed(QByteArrayView(line->text).first(line->valueStart - 1));
      line->text = spelledKey.toByteArray() + '=' + spelled;
      line->valueStart = spelledKey.size() + 1;
      return;
    }
  }
  Line added{key.toUtf8() + '=' + spelled, section, key, key.toUtf8().size() + 1};
  // After the last entry or header of the section's last appearance...
  for (auto line = lines_.rbegin(); line != lines_.rend(); ++line) {
    if (line->section != section) continue;
    const bool isEntryOrHeader = line->key || Trimmed(line->text).startsWith('[');
    if (!isEntryOrHeader) continue;
    lines_.insert(line.base(), std::move(added));
    return;
  }
  // ...or in a new section at the end, after a blank line.
  if (!lines_.empty() && !Trimmed(lines_.back().text).isEmpty()) lines_.push_back({});
  lines_.push_back({'[' + section.toUtf8() + ']', section, std::nullopt, 0});
  lines_.push_back(std::move(added));
}

QByteArray IniDocument::Bytes() const {
  QByteArray bytes;
  for (const Line& line : lines_) bytes += line.text + '\n';
  return bytes;
}

}  // namespace lumivane
