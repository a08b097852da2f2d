// The native benchmarks, each giving its rows of the table.
#pragma once

#include <vector>

#include "measure.h"

namespace orlimo::bench {

// A metering step of the main window (CheckTimeOut with its SaveSettings), per call.
std::vector<Row> MeteringRows();
// LoadSettings of a Setup.ini of ten users, per call.
std::vector<Row> SettingsRows();
// The setup console opening a log of 100,000 lines, and writing it back.
std::vector<Row> LogRows();

}  // namespace orlimo::bench
