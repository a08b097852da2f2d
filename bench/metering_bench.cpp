// A metering step of the main window, CheckTimeOut with its SaveSettings, for a family of ten,
// beside the bare system calls of a durable replace of a file of the same size.
#include <filesystem>
#include <string>

#include "app/frmMain.h"
#include "bare_file.h"
#include "benches.h"
#include "scenario_folder.h"
#include "support/scenario.h"

namespace orlimo::bench {
namespace {

namespace fs = std::filesystem;
using testing::Child;
using testing::Scenario;

constexpr std::size_t kCalls[] = {2000, 200};  // memory, disk

Row MeteringRow(Medium medium) {
  const std::size_t calls = kCalls[medium == Medium::kMemory ? 0 : 1];
  Scenario scenario;
  std::vector<Child> family;
  for (int i = 0; i < kMaxUsers; ++i) family.push_back({"아이" + std::to_string(i), 100000, 0, ""});
  scenario.WriteFamily(family);
  const fs::path folder = PlaceFolder(scenario, medium, "metering");
  scenario.Start();
  scenario.AdvanceSeconds(30);  // the start-up tick stamps the clock; metering begins

  const std::string bytes = scenario.SettingsBytes();
  // Each call lets 30 s of virtual time pass: one metering step, its save and the window's
  // follow of it.
  const Pair timings = MeasureBeside(
      calls, [&] { scenario.AdvanceSeconds(30); },
      [&] { BareReplace(folder / "Baseline.ini", bytes); });
  scenario.Close(scenario.main());

  std::string medium_name = MediumName(medium);
  Row row{"metering step, 10 users (" + medium_name + ")",
          "write+fsync+rename " + std::to_string(bytes.size()) + " B (" + medium_name + ")",
          timings};
  std::error_code ignored;
  fs::remove_all(folder, ignored);
  return row;
}

}  // namespace

std::vector<Row> MeteringRows() {
  return {MeteringRow(Medium::kMemory), MeteringRow(Medium::kDisk)};
}

}  // namespace orlimo::bench
