#include "platform/qt/atomic_file.h"

#include <QSaveFile>

namespace lumivane {

bool WriteFileAtomically(const QString& path, const QByteArray& contents) {
  QSaveFile file(path);
  // Unbuffered: each write reaches the file at once and reports its own
  // failure. A buffered write would fail only while closing, after
  // QSaveFile has already decided to commit.
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return false;
  qint64 written = 0;
  while (written < contents.size()) {
    const qint64 step = file.write(contents.constData() + written, contents.size() - written);
    if (step <= 0) {
      file.cancelWriting();
      return false;
    }
    written += step;
  }
  return file.commit();
}

}  // namespace lumivane
