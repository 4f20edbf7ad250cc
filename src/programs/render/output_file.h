#pragma once

#include <cerrno>
#include <optional>
#include <string>
#include <vector>

#include "byte_sink.h"

namespace lumivane {

// Whether a picture can be written at this path, checked before any work:
// an existing entry must be a regular file we may replace, a new one needs
// an existing folder we may write in. A FIFO, device, socket or directory is
// refused (writing to it would block, or lose the picture). Returns the
// problem in a few words, or nothing.
std::optional<std::string> CheckOutputPath(const std::string& path);

// Buffered writes to a file descriptor that remember the first failure.
class DescriptorSink : public ByteSink {
 public:
  bool Write(const void* data, std::size_t size) override;
  // Writes out what is buffered; false (and error() set) on failure.
  bool Flush();
  // The cause of the first failure, e.g. "No space left on device".
  const std::string& error() const { return error_; }
  // The reader of a pipe went away (EPIPE) before every byte was written.
  bool readerGone() const { return errorNumber_ == EPIPE; }

 protected:
  explicit DescriptorSink(int descriptor);
  bool WriteAll(const char* data, std::size_t size);
  void Fail(int errorNumber);

  int descriptor_;

 private:
  std::vector<char> buffer_;
  std::string error_;
  int errorNumber_ = 0;
};

// Standard output, for "-o -". What was written cannot be taken back.
class StandardOutputSink final : public DescriptorSink {
 public:
  StandardOutputSink();
};

// A file that appears at its path complete or not at all: the bytes go to a
// hidden temporary file beside it, which replaces the target only after
// every byte is written. Without a successful Commit the temporary file is
// removed and the target stays as it was; so is it when a signal ends the
// run (see RemoveTemporaryFilesOnSignals). A symbolic link is written
// through to its target, which need not exist yet.
class AtomicFile final : public DescriptorSink {
 public:
  // path should have passed CheckOutputPath. Check error() when !isOpen().
  explicit AtomicFile(const std::string& path);
  ~AtomicFile() override;
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  bool isOpen() const { return descriptor_ >= 0; }
  // Flushes, closes and renames; the problem, or nothing on success.
  std::optional<std::string> Commit();

 private:
  void Discard();

  std::string target_;
  std::string temporary_;
  int watch_ = -1;  // while a signal would remove the temporary file
};

}  // namespace lumivane
