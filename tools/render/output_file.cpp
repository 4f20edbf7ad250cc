#include "output_file.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lumivane {

namespace {

constexpr std::size_t kBufferBytes = 1 << 16;

std::string FolderOf(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

const char* KindOf(mode_t mode) {
  if (S_ISDIR(mode)) return "is a directory";
  if (S_ISFIFO(mode)) return "is a FIFO, not a regular file";
  if (S_ISSOCK(mode)) return "is a socket, not a regular file";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "is a device, not a regular file";
  return "is not a regular file";
}

// The file a path stands for: a symbolic link is replaced at its target,
// so the link keeps pointing at the new picture.
std::string ResolvedTarget(const std::string& path) {
  struct stat status {};
  if (lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return path;
  char resolved[PATH_MAX];
  return realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

}  // namespace

std::optional<std::string> CheckOutputPath(const std::string& path) {
  struct stat status {};
  if (stat(path.c_str(), &status) == 0) {
    if (!S_ISREG(status.st_mode)) return std::string(KindOf(status.st_mode));
    if (access(path.c_str(), W_OK) != 0) return std::string("permission denied");
  } else if (errno != ENOENT) {
    return std::string(std::strerror(errno));
  }
  const std::string folder = FolderOf(ResolvedTarget(path));
  if (stat(folder.c_str(), &status) != 0) {
    return "the folder '" + folder + "' does not exist";
  }
  if (!S_ISDIR(status.st_mode)) return "'" + folder + "' is not a folder";
  if (access(folder.c_str(), W_OK | X_OK) != 0) {
    return "permission denied in the folder '" + folder + "'";
  }
  return std::nullopt;
}

DescriptorSink::DescriptorSink(int descriptor) : descriptor_(descriptor) {
  buffer_.reserve(kBufferBytes);
}

void DescriptorSink::Fail(int errorNumber) {
  if (error_.empty()) error_ = std::strerror(errorNumber);
}

bool DescriptorSink::WriteAll(const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t written = ::write(descriptor_, data, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      Fail(errno);
      return false;
    }
    data += written;
    size -= static_cast<std::size_t>(written);
  }
  return true;
}

bool DescriptorSink::Write(const void* data, std::size_t size) {
  if (!error_.empty()) return false;
  const char* bytes = static_cast<const char*>(data);
  if (buffer_.size() + size <= kBufferBytes) {
    buffer_.insert(buffer_.end(), bytes, bytes + size);
    return true;
  }
  if (!Flush()) return false;
  if (size >= kBufferBytes) return WriteAll(bytes, size);
  buffer_.assign(bytes, bytes + size);
  return true;
}

bool DescriptorSink::Flush() {
  if (!error_.empty()) return false;
  const bool written = WriteAll(buffer_.data(), buffer_.size());
  buffer_.clear();
  return written;
}

StandardOutputSink::StandardOutputSink() : DescriptorSink(STDOUT_FILENO) {}

AtomicFile::AtomicFile(const std::string& path)
    : DescriptorSink(-1), target_(ResolvedTarget(path)) {
  // A name of our own (not mkstemp's 0600) so the new file gets the usual
  // permissions under the user's umask.
  static std::atomic<unsigned> counter{0};
  const std::string stem = FolderOf(target_) + "/." + NameOf(target_) + "." +
                           std::to_string(getpid()) + ".";
  for (int attempt = 0; attempt < 100 && descriptor_ < 0; ++attempt) {
    temporary_ = stem + std::to_string(counter++) + ".tmp";
    descriptor_ = open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (descriptor_ < 0 && errno != EEXIST) break;
  }
  if (descriptor_ < 0) {
    Fail(errno);
    temporary_.clear();
    return;
  }
  // Replacing a file keeps its permissions.
  struct stat status {};
  if (stat(target_.c_str(), &status) == 0) fchmod(descriptor_, status.st_mode & 07777);
}

AtomicFile::~AtomicFile() { Discard(); }

void AtomicFile::Discard() {
  if (descriptor_ >= 0) close(descriptor_);
  descriptor_ = -1;
  if (!temporary_.empty()) unlink(temporary_.c_str());
  temporary_.clear();
}

std::optional<std::string> AtomicFile::Commit() {
  if (descriptor_ < 0) return error().empty() ? std::string("not open") : error();
  // Not synced: the rename alone makes readers see the old picture or the
  // whole new one, and a picture lost to a power cut is simply drawn again;
  // a sync per frame would dominate a time series.
  const bool flushed = Flush();
  // Closed even after a failed flush; only the first failure is kept.
  if (close(std::exchange(descriptor_, -1)) != 0 || !flushed ||
      rename(temporary_.c_str(), target_.c_str()) != 0) {
    Fail(errno);
    Discard();
    return error();
  }
  temporary_.clear();
  return std::nullopt;
}

}  // namespace lumivane
