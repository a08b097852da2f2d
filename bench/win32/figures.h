// The figures of the Windows benchmarks and the table they are printed in.
#pragma once

#include <string>
#include <vector>

#include "driver_support.h"

namespace orlimo::winbench {

// Seconds on the performance counter.
double Now();

double Median(std::vector<double> values);

using drivers::Print;
using drivers::Utf8;

// One line of the table: the measured figure beside its baseline from the same run.
struct Row {
  std::string what;
  std::string value;
  std::string baselineWhat;
  std::string baselineValue;
  std::string ratio;   // the figure over its baseline (or a difference, for percentages)
  std::string target;  // what the figure should stay within, empty when there is none
};

void PrintTable(const std::vector<Row>& rows);

// Number formats of the table.
std::string Fixed(double value, int decimals);
std::string Millis(double seconds);
std::string KiB(double bytes);
// A share of one core, or "-" for a negative value (one that could not be measured).
std::string Percent(double value);
// The figure over its baseline, or "-" without a baseline.
std::string Ratio(double value, double baseline);
// The difference of two percentages, signed, or "-" when either could not be measured.
std::string Points(double value, double baseline);

}  // namespace orlimo::winbench
