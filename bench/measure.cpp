#include "measure.h"

#include <algorithm>
#include <cstdio>

namespace orlimo::bench {

namespace {

using Clock = std::chrono::steady_clock;

double Micros(const std::function<void()>& call) {
  Clock::time_point start = Clock::now();
  call();
  return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
}

Timing Summary(std::vector<double> micros) {
  std::sort(micros.begin(), micros.end());
  return {micros[micros.size() / 2], micros[micros.size() * 9 / 10], micros.size()};
}

}  // namespace

Pair MeasureBeside(std::size_t calls, const std::function<void()>& measured,
                   const std::function<void()>& baseline) {
  const std::size_t warmUp = std::max<std::size_t>(1, calls / 10);
  for (std::size_t i = 0; i < warmUp; ++i) {
    measured();
    baseline();
  }
  std::vector<double> measuredMicros;
  std::vector<double> baselineMicros;
  for (std::size_t i = 0; i < calls; ++i) {
    measuredMicros.push_back(Micros(measured));
    baselineMicros.push_back(Micros(baseline));
  }
  return {Summary(measuredMicros), Summary(baselineMicros)};
}

namespace {

std::string Figure(double micros) {
  char text[32];
  if (micros >= 10000) {
    std::snprintf(text, sizeof text, "%.1f ms", micros / 1000);
  } else if (micros >= 1000) {
    std::snprintf(text, sizeof text, "%.2f ms", micros / 1000);
  } else {
    std::snprintf(text, sizeof text, "%.1f us", micros);
  }
  return text;
}

}  // namespace

void PrintTable(const std::vector<Row>& rows) {
  std::printf("| %-52s | %10s | %10s | %-44s | %10s | %6s |\n", "measured (median per call)",
              "median", "p90", "baseline, same run", "median", "ratio");
  std::printf("|%s|%s|%s|%s|%s|%s|\n", std::string(54, '-').c_str(), std::string(12, '-').c_str(),
              std::string(12, '-').c_str(), std::string(46, '-').c_str(),
              std::string(12, '-').c_str(), std::string(8, '-').c_str());
  for (const Row& row : rows) {
    const Timing& measured = row.timings.measured;
    const Timing& baseline = row.timings.baseline;
    std::printf("| %-52s | %10s | %10s | %-44s | %10s | %6.1f |\n", row.what.c_str(),
                Figure(measured.median).c_str(), Figure(measured.p90).c_str(),
                row.baselineWhat.c_str(), Figure(baseline.median).c_str(),
                measured.median / baseline.median);
  }
}

}  // namespace orlimo::bench
