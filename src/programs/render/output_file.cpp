#include "output_file.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "temporary_files.h"

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

// As many links as the kernel follows in one path.
constexpr int kMaxLinks = 40;

// Where a picture written at path lands: symbolic links followed to their
// end, which need not exist yet, so a link keeps pointing at the new
// picture. Absent (errno ELOOP) for a loop or a chain too long.
std::optional<std::string> FollowLinks(std::string path) {
  for (int followed = 0; followed <= kMaxLinks; ++followed) {
    struct stat status {};
    if (lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return path;
    char link[PATH_MAX];
    const ssize_t size = readlink(path.c_str(), link, sizeof link);
    if (size < 0 || static_cast<std::size_t>(size) >= sizeof link) return path;
    const std::string to(link, static_cast<std::size_t>(size));
    // A relative link is read from its own folder.
    path = to.front() == '/' ? to : path.substr(0, path.rfind('/') + 1) + to;
  }
  errno = ELOOP;
  return std::nullopt;
}

// The hidden name a picture is written under beside its target,
// ".NAME.PID.N.tmp", with NAME cut short (at the start of a character) when
// the whole would be longer than the folder takes. Absent when not even an
// empty NAME fits.
std::optional<std::string> TemporaryPath(const std::string& target, unsigned number) {
  const std::string folder = target.substr(0, target.rfind('/') + 1);
  const std::string name = NameOf(target);
  // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) on "." + s.
  std::string tail(1, '.');
  tail += std::to_string(getpid());
  tail += '.';
  tail += std::to_string(number);
  tail += ".tmp";
  const long nameMax = pathconf(folder.empty() ? "." : folder.c_str(), _PC_NAME_MAX);
  const auto longestName = static_cast<std::size_t>(nameMax > 0 ? nameMax : NAME_MAX);
  const std::size_t longestPath = PATH_MAX - 1;
  const std::size_t fixed = 1 + tail.size();
  if (fixed > longestName || folder.size() + fixed > longestPath) return std::nullopt;
  std::size_t keep =
      std::min({name.size(), longestName - fixed, longestPath - folder.size() - fixed});
  // Not inside a UTF-8 sequence.
  const auto continues = [&](std::size_t at) {
    return (static_cast<unsigned char>(name[at]) & 0xC0) == 0x80;
  };
  while (keep > 0 && keep < name.size() && continues(keep)) --keep;
  std::string temporary = folder;
  temporary += '.';
  temporary.append(name, 0, keep);
  return temporary + tail;
}

// errno in a few words; a link loop as the map's loader says it.
std::string DescribeError(int error) {
  if (error == ELOOP) return "too many levels of symbolic links";
  return std::strerror(error);
}

}  // namespace

std::optional<std::string> CheckOutputPath(const std::string& path) {
  const std::optional<std::string> target = FollowLinks(path);
  if (!target) return DescribeError(errno);
  struct stat status {};
  if (stat(target->c_str(), &status) == 0) {
    if (!S_ISREG(status.st_mode)) return std::string(KindOf(status.st_mode));
    if (access(target->c_str(), W_OK) != 0) return std::string("permission denied");
  } else if (errno != ENOENT) {
    return DescribeError(errno);
  }
  const std::string folder = FolderOf(*target);
  if (stat(folder.c_str(), &status) != 0) {
    return "the folder '" + folder + "' does not exist";
  }
  if (!S_ISDIR(status.st_mode)) return "'" + folder + "' is not a folder";
  if (access(folder.c_str(), W_OK | X_OK) != 0) {
    return "permission denied in the folder '" + folder + "'";
  }
  if (!TemporaryPath(*target, 0)) return DescribeError(ENAMETOOLONG);
  return std::nullopt;
}

DescriptorSink::DescriptorSink(int descriptor) : descriptor_(descriptor) {
  buffer_.reserve(kBufferBytes);
}

void DescriptorSink::Fail(int errorNumber) {
  if (!error_.empty()) return;
  error_ = DescribeError(errorNumber);
  errorNumber_ = errorNumber;
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

AtomicFile::AtomicFile(const std::string& path) : DescriptorSink(-1) {
  const std::optional<std::string> target = FollowLinks(path);
  if (!target) {
    Fail(errno);
    return;
  }
  target_ = *target;
  // A name of our own (not mkstemp's 0600) so the new file gets the usual
  // permissions under the user's umask.
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100 && descriptor_ < 0; ++attempt) {
    const std::optional<std::string> temporary = TemporaryPath(target_, counter++);
    if (!temporary) {
      errno = ENAMETOOLONG;
      break;
    }
    const TemporaryFile created = CreateTemporaryFile(temporary->c_str(), 0666);
    descriptor_ = created.descriptor;
    watch_ = created.watch;
    temporary_ = *temporary;
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
  ForgetTemporaryFile(std::exchange(watch_, -1));
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
  ForgetTemporaryFile(std::exchange(watch_, -1));
  return std::nullopt;
}

}  // namespace lumivane
