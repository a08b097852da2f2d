// LoadSettings of a Setup.ini of ten users beside a bare read of the same file.
#include <filesystem>
#include <string>

#include "bare_file.h"
#include "benches.h"
#include "records/settings.h"

namespace orlimo::bench {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kCalls = 5000;

Settings TenUsers() {
  Settings settings;
  const DateValue today = DateFromFields({2026, 12, 6, 15, 0, 0});
  for (int i = 0; i < kMaxUsers; ++i) {
    settings.User(i) = {u"아이" + DecimalText(i), today, 60 + i, i, 60 * i + 7,
                        u"pw" + DecimalText(i)};
  }
  settings.UserCount = kMaxUsers - 1;
  settings.PasswordsInUse = 1;
  settings.ParentPassword = u"부모암호";
  return settings;
}

Row LoadRow(Medium medium) {
  const fs::path folder = FreshFolder(medium, "settings");
  const Text folderText = folder.u16string();
  Main::SaveSettings(TenUsers(), folderText);
  std::size_t size = 0;
  Pair timings = MeasureBeside(
      kCalls,
      [&] {
        Settings settings;
        Main::LoadSettings(settings, folderText);
      },
      [&] { size = BareRead(folder / "Setup.ini").size(); });
  std::string mediumName = MediumName(medium);
  std::error_code ignored;
  fs::remove_all(folder, ignored);
  return {"LoadSettings, 10 users (" + mediumName + ")",
          "read " + std::to_string(size) + " B (" + mediumName + ")", timings};
}

}  // namespace

std::vector<Row> SettingsRows() {
  return {LoadRow(Medium::kMemory), LoadRow(Medium::kDisk)};
}

}  // namespace orlimo::bench
