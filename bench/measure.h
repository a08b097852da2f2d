// Timing a call many times and the rows of the printed table.
#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace orlimo::bench {

// Per-call figures in microseconds.
struct Timing {
  double median = 0;
  double p90 = 0;
  std::size_t calls = 0;
};

struct Pair {
  Timing measured;
  Timing baseline;
};

// Runs both calls a few times to warm up, then `calls` times each, taking turns so that both
// see the same load of the machine; each call is timed on its own.
Pair MeasureBeside(std::size_t calls, const std::function<void()>& measured,
                   const std::function<void()>& baseline);

struct Row {
  std::string what;
  std::string baselineWhat;
  Pair timings;
};

void PrintTable(const std::vector<Row>& rows);

}  // namespace orlimo::bench
