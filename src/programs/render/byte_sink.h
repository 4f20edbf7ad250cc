#pragma once

#include <cstddef>

namespace lumivane {

// Where an encoder puts its bytes. Write reports failure (a full disk, a
// closed pipe) so the encoder can stop at once.
class ByteSink {
 public:
  virtual ~ByteSink() = default;
  virtual bool Write(const void* data, std::size_t size) = 0;
};

}  // namespace lumivane
