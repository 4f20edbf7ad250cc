#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>

namespace lumivane {

// Calls work(piece, worker) once for every piece in [0, pieces). The pieces
// are handed out in order, each to the next free thread: the calling thread
// (worker 0) and up to threads - 1 helpers (workers 1, 2, ...). A piece is
// only taken once every piece before it has been taken, so a piece may wait
// for an earlier one. When the system refuses a thread, the pieces go to
// the threads already running, down to the calling thread alone. Returns
// once every thread it started has ended; the first exception thrown by
// work stops the handing out and is rethrown here.
void ParallelFor(std::int64_t pieces, std::int32_t threads,
                 const std::function<void(std::int64_t piece, std::int32_t worker)>& work);

// Calls work(first, end) over [0, count) cut into consecutive bands, one
// per thread up to threads, none shorter than minimum (unless there is only
// one). The bands depend on threads alone, never on how many threads the
// system grants.
template <typename Work>
void InBands(std::int64_t count, std::int32_t threads, std::int64_t minimum, const Work& work) {
  const std::int64_t bands =
      std::clamp<std::int64_t>(threads, 1, std::max<std::int64_t>(1, count / minimum));
  const auto start = [&](std::int64_t band) { return count * band / bands; };
  ParallelFor(bands, static_cast<std::int32_t>(bands),
              [&](std::int64_t band, std::int32_t) { work(start(band), start(band + 1)); });
}

}  // namespace lumivane
