#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <numeric>
#include <vector>

// Times of repeated runs, summed up as the benches print them.
namespace bench {

class Timings {
 public:
  // Runs `work` once and keeps its time.
  template <typename Work>
  void measure(Work&& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    times_.push_back(
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count());
  }

  // "<what>: mean M ms, 99th percentile P ms, slowest S ms" and the rest of the line.
  void print(const char* what, const char* rest) const {
    std::vector<double> sorted = times_;
    std::sort(sorted.begin(), sorted.end());
    const double mean =
        std::accumulate(sorted.begin(), sorted.end(), 0.0) / static_cast<double>(sorted.size());
    std::printf("%s: mean %.3f ms, 99th percentile %.3f ms, slowest %.3f ms%s\n", what, mean,
                sorted[sorted.size() * 99 / 100], sorted.back(), rest);
  }

 private:
  std::vector<double> times_;
};

}  // namespace bench
