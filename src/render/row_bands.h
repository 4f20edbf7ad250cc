#pragma once

#include <algorithm>
#include <cstdint>
#include <thread>
#include <vector>

namespace lumivane {

// Runs work(first, end) over [0, count) cut into consecutive bands, one per
// thread up to threads, none shorter than minimum (unless there is only
// one). The calling thread takes the first band.
template <typename Work>
void InBands(std::int64_t count, std::int32_t threads, std::int64_t minimum, const Work& work) {
  const std::int64_t bands =
      std::clamp<std::int64_t>(threads, 1, std::max<std::int64_t>(1, count / minimum));
  const auto start = [&](std::int64_t band) { return count * band / bands; };
  std::vector<std::thread> helpers;
  for (std::int64_t band = 1; band < bands; ++band) {
    helpers.emplace_back(work, start(band), start(band + 1));
  }
  work(std::int64_t{0}, start(1));
  for (std::thread& helper : helpers) helper.join();
}

}  // namespace lumivane
