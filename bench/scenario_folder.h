// Running a scenario's program with its folder on the disk rather than in memory.
#pragma once

#include <filesystem>

#include "bare_file.h"
#include "support/scenario.h"

namespace orlimo::bench {

// Before the start: for the disk, the scenario's folder becomes a link to a fresh folder on the
// disk, so every file the program touches lies there. Returns the folder the files lie in, which
// the caller removes at the end.
std::filesystem::path PlaceFolder(testing::Scenario& scenario, Medium medium,
                                  const std::string& name);

}  // namespace orlimo::bench
