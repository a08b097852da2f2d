// Reading Setup.ini from any bytes: the program never fails, holds at most ten users, keeps an
// unreadable file whole beside the new one, and what it writes next reads back as the same table
// (characters that the scrambling cannot carry changed the way every rewrite changes them).
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "base/path.h"
#include "fuzz_input.h"
#include "records/encript.h"
#include "records/settings.h"

namespace {

namespace fs = std::filesystem;
using orlimo::Settings;
using orlimo::Text;
using orlimo::UserEntry;
using orlimo::fuzz::Check;

const fs::path& Folder() {
  return orlimo::fuzz::RunFolder("settings-fuzz");
}

void EmptyFolder() {
  for (const fs::directory_entry& entry : fs::directory_iterator(Folder())) fs::remove(entry);
}

std::string FileBytes(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

Text Carried(const Text& field) {
  namespace Encript = orlimo::Encript;
  return Encript::UnscrambleLine(Encript::ScrambleLine(field));
}

void CheckSameTable(const Settings& read, const Settings& again) {
  Check(again.UserCount == read.UserCount, "the rewrite keeps every user");
  Check(again.PasswordsInUse == read.PasswordsInUse, "the rewrite keeps the password flag");
  Check(again.ParentPassword == Carried(read.ParentPassword),
        "the rewrite keeps the parent password");
  for (int user = 0; user <= read.UserCount; ++user) {
    const UserEntry& before = read.User(user);
    const UserEntry& after = again.User(user);
    Check(after.Name == Carried(before.Name), "the rewrite keeps each name");
    Check(after.Password == Carried(before.Password), "the rewrite keeps each password");
    Check(after.Day == before.Day, "the rewrite keeps each day");
    Check(after.LimitMinutes == before.LimitMinutes, "the rewrite keeps each allowance");
    Check(after.UsedMinutes == before.UsedMinutes, "the rewrite keeps each used minutes");
    Check(after.UsedSeconds == before.UsedSeconds, "the rewrite keeps each used seconds");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  EmptyFolder();
  const fs::path settingsFile = Folder() / "Setup.ini";
  const fs::path keptFile = Folder() / "Setup.ini.bad";
  const std::string input(orlimo::fuzz::Bytes(data, size));
  {
    std::ofstream file(settingsFile, std::ios::binary);
    file.write(input.data(), static_cast<std::streamsize>(input.size()));
  }
  const Text folder = Folder().u16string();

  Settings read;
  orlimo::Main::LoadSettings(read, folder);
  Check(read.UserCount >= -1 && read.UserCount <= 9, "at most ten users, numbered from 0");
  Check(!read.ParentPassword.empty(), "there is always a parent password");
  if (fs::exists(keptFile)) {
    Check(FileBytes(keptFile) == input, "an unreadable file is kept whole");
  } else {
    Check(FileBytes(settingsFile) == input, "a file read whole is left as it was");
  }

  orlimo::Main::SaveSettings(read, folder);
  fs::remove(keptFile);
  Settings again;
  orlimo::Main::LoadSettings(again, folder);
  Check(!fs::exists(keptFile), "what the program writes reads whole");
  CheckSameTable(read, again);
  return 0;
}
