// Reading Family.ini from any bytes: the program never fails, keeps an unreadable file whole
// beside the new one, and what it writes reads back whole as the same children's days.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "fuzz_input.h"
#include "records/family_days.h"

namespace {

namespace fs = std::filesystem;
using orlimo::Text;
using orlimo::TextView;
using orlimo::fuzz::Check;

// One character per byte both ways, so every input decodes and the file's bytes are kept as
// they are; code page 949 itself is the platform's business.
class ByteCodePage : public orlimo::platform::AnsiCodePage {
 public:
  std::string Encode(TextView text) const override {
    std::string bytes;
    for (char16_t c : text) bytes += c < 256 ? static_cast<char>(c) : '?';
    return bytes;
  }
  Text Decode(std::string_view bytes) const override { return orlimo::fuzz::ByteText(bytes); }
};

const fs::path& Folder() {
  return orlimo::fuzz::RunFolder("family-fuzz");
}

std::string FileBytes(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  namespace Main = orlimo::Main;
  const std::string input(orlimo::fuzz::Bytes(data, size));
  const ByteCodePage codePage;

  Main::FamilyFileText read = Main::ReadFamilyText(Main::DecodeFamilyFile(input, codePage));
  std::set<int> rows;
  for (const orlimo::FamilyRecord& record : read.Records) {
    Check(record.Row >= 0 && record.Row < orlimo::kMaxUsers, "rows are user numbers");
    Check(rows.insert(record.Row).second, "each row once");
  }
  Main::FamilyFileText again = Main::ReadFamilyText(Main::FamilyText(read.Records));
  Check(again.Whole, "what the program writes reads whole");
  Check(again.Records == read.Records, "what the program writes reads back the same");

  for (const fs::directory_entry& entry : fs::directory_iterator(Folder())) fs::remove(entry);
  const fs::path familyFile = Folder() / "Family.ini";
  {
    std::ofstream file(familyFile, std::ios::binary);
    file.write(input.data(), static_cast<std::streamsize>(input.size()));
  }
  orlimo::Settings settings;
  for (const orlimo::FamilyRecord& record : read.Records) {
    if (record.Row > settings.UserCount) settings.UserCount = static_cast<std::int16_t>(record.Row);
    settings.User(record.Row).Name = record.Name;
  }
  Main::LoadFamilyDays(settings, Folder().u16string(), codePage);
  if (read.Whole) {
    Check(FileBytes(familyFile) == input, "a file read whole is left as it was");
  } else {
    Check(FileBytes(Folder() / "Family.ini.bad") == input, "an unreadable file is kept whole");
  }
  return 0;
}
