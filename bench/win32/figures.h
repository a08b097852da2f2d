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

// The command line's arguments after the program's name; none when there are fewer than
// <needed>.
std::vector<std::wstring> Arguments(int argc, wchar_t** argv, std::size_t needed);
// The number given as argument <index>, or <fallback> when there is none.
double NumberOr(const std::vector<std::wstring>& args, std::size_t index, double fallback);

// Number formats of the table.
std::string Fixed(double value, int decimals);
std::string Millis(double seconds);
std::string KiB(double bytes);

}  // namespace orlimo::winbench
