#include "render/parallel_for.h"

#include <atomic>
#include <cstdint>
#include <stdexcept>
#include <vector>

#include <gtest/gtest.h>

#if defined(__linux__)
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace lumivane {
namespace {

// Every piece once, each on a worker below the thread count.
bool EveryPieceOnce(std::int64_t pieces, std::int32_t threads, std::int32_t largestWorker) {
  std::vector<std::atomic<int>> calls(static_cast<std::size_t>(pieces));
  std::atomic<bool> workersInRange{true};
  ParallelFor(pieces, threads, [&](std::int64_t piece, std::int32_t worker) {
    ++calls[static_cast<std::size_t>(piece)];
    if (worker < 0 || worker > largestWorker) workersInRange = false;
  });
  for (const auto& count : calls) {
    if (count != 1) return false;
  }
  return workersInRange;
}

TEST(ParallelFor, DoesEveryPieceOnce) {
  for (const std::int32_t threads : {0, 1, 2, 7}) {
    for (const std::int64_t pieces : {0, 1, 3, 500}) {
      EXPECT_TRUE(EveryPieceOnce(pieces, threads, std::max(0, threads - 1)))
          << pieces << " pieces on " << threads << " threads";
    }
  }
}

TEST(ParallelFor, APieceMayWaitForAnEarlierOne) {
  // The encoder after the frame it reads: whatever the thread count, the
  // earlier piece has been taken before the later one waits for it.
  for (const std::int32_t threads : {1, 2}) {
    std::atomic<bool> firstDone{false};
    ParallelFor(2, threads, [&](std::int64_t piece, std::int32_t) {
      if (piece == 0) {
        firstDone = true;
      } else {
        while (!firstDone) {
        }
      }
    });
    EXPECT_TRUE(firstDone);
  }
}

TEST(ParallelFor, RethrowsTheFirstFailureOnceEveryThreadHasEnded) {
  std::atomic<int> running{0};
  try {
    ParallelFor(100, 4, [&](std::int64_t piece, std::int32_t) {
      ++running;
      if (piece == 3) {
        --running;
        throw std::runtime_error("piece 3");
      }
      --running;
    });
    FAIL() << "no exception";
  } catch (const std::runtime_error& failure) {
    EXPECT_STREQ(failure.what(), "piece 3");
  }
  EXPECT_EQ(running, 0);
}

#if defined(__linux__)
// In a child process: a process limit refuses every new thread. Root is
// exempt from it, so the child first becomes nobody.
[[noreturn]] void WorkWithNoThreadAllowed() {
  if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(2);
  const rlimit none{1, 1};
  if (setrlimit(RLIMIT_NPROC, &none) != 0) _exit(3);
  _exit(EveryPieceOnce(50, 8, 0) ? 0 : 1);
}

TEST(ParallelFor, TheCallingThreadDoesTheWorkWhenNoThreadMayStart) {
  EXPECT_EXIT(WorkWithNoThreadAllowed(), testing::ExitedWithCode(0), "");
}
#endif

}  // namespace
}  // namespace lumivane
