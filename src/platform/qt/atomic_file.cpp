#include "platform/qt/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>

namespace lumivane {
namespace {

// As many links as the kernel follows before it says ELOOP.
constexpr int kMaxLinks = 40;

bool Fail(QString* cause, int error) {
  if (cause != nullptr) *cause = QString::fromLocal8Bit(std::strerror(error));
  return false;
}

bool WriteAll(int fd, const QByteArray& contents) {
  const char* data = contents.constData();
  qsizetype left = contents.size();
  while (left > 0) {
    const ssize_t step = ::write(fd, data, static_cast<size_t>(left));
    if (step < 0 && errno == EINTR) continue;
    if (step <= 0) {
      if (step == 0) errno = ENOSPC;
      return false;
    }
    data += step;
    left -= step;
  }
  return true;
}

// The new file keeps the old one's permissions; a new one gets what a plain
// open would give it (0666 less the umask).
mode_t ModeFor(const QByteArray& target) {
  struct stat old {};
  if (::stat(target.constData(), &old) == 0) return old.st_mode & 07777;
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace

QString FollowLinks(const QString& path, QString* cause) {
  QString current = path;
  for (int followed = 0; followed <= kMaxLinks; ++followed) {
    const QFileInfo info(current);
    if (!info.isSymLink()) return current;
    const QByteArray encoded = QFile::encodeName(current);
    QByteArray target(PATH_MAX, '\0');
    const ssize_t length = ::readlink(encoded.constData(), target.data(), target.size());
    if (length < 0 || length >= target.size()) {
      Fail(cause, length < 0 ? errno : ENAMETOOLONG);
      return {};
    }
    target.truncate(length);
    const QString next = QFile::decodeName(target);
    current = QDir::isAbsolutePath(next) ? next : info.absolutePath() + '/' + next;
  }
  Fail(cause, ELOOP);
  return {};
}

bool WriteFileAtomically(const QString& path, const QByteArray& contents, QString* cause) {
  const QString target = FollowLinks(path, cause);
  if (target.isEmpty()) return false;
  const QFileInfo targetInfo(target);
  if (targetInfo.isDir()) return Fail(cause, EISDIR);
  const QByteArray finalName = QFile::encodeName(target);
  // A short hidden name, so that a file name near the length limit still
  // has a temporary name that fits.
  QByteArray temporary = QFile::encodeName(targetInfo.absolutePath()) + "/.lumivane-XXXXXX";
  const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) return Fail(cause, errno);

  int error = 0;
  if (::fchmod(fd, ModeFor(finalName)) != 0 || !WriteAll(fd, contents) || ::fsync(fd) != 0) {
    error = errno;
  }
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && ::rename(temporary.constData(), finalName.constData()) != 0) error = errno;
  if (error != 0) {
    ::unlink(temporary.constData());
    return Fail(cause, error);
  }
  // The rename itself reaches the disk with the folder; some file systems
  // cannot flush a folder, which is no reason to call the write failed.
  const int folder = ::open(QFile::encodeName(targetInfo.absolutePath()).constData(),
                            O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder >= 0) {
    ::fsync(folder);
    ::close(folder);
  }
  return true;
}

}  // namespace lumivane
