#include "render/parallel_for.h"

#include <atomic>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace lumivane {

void ParallelFor(std::int64_t pieces, std::int32_t threads,
                 const std::function<void(std::int64_t piece, std::int32_t worker)>& work) {
  std::atomic<std::int64_t> next{0};
  std::mutex lock;  // guards failure
  std::exception_ptr failure;
  const auto run = [&](std::int32_t worker) {
    try {
      for (std::int64_t piece = next++; piece < pieces; piece = next++) work(piece, worker);
    } catch (...) {
      const std::lock_guard<std::mutex> guard(lock);
      if (!failure) failure = std::current_exception();
      next = pieces;  // the others stop after their piece
    }
  };
  const auto helpers = static_cast<std::size_t>(
      std::max<std::int64_t>(0, std::min<std::int64_t>(threads, pieces) - 1));
  std::vector<std::thread> started;
  try {
    started.reserve(helpers);  // no reallocation below: a refusal keeps those started
    while (started.size() < helpers) {
      started.emplace_back(run, static_cast<std::int32_t>(started.size() + 1));
    }
  } catch (...) {
    // The system refuses another thread (EAGAIN under a process limit) or
    // the memory for it: the threads we have share the work.
  }
  run(0);
  for (std::thread& helper : started) helper.join();
  if (failure) std::rethrow_exception(failure);
}

}  // namespace lumivane
