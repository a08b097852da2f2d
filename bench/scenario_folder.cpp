#include "scenario_folder.h"

namespace orlimo::bench {

namespace fs = std::filesystem;

fs::path PlaceFolder(testing::Scenario& scenario, Medium medium, const std::string& name) {
  const fs::path folder = scenario.Folder();
  if (medium == Medium::kMemory) return folder;
  fs::path target = FreshFolder(medium, name);
  fs::copy(folder, target, fs::copy_options::recursive);
  fs::remove_all(folder);
  fs::create_directory_symlink(target, folder);
  return target;
}

}  // namespace orlimo::bench
