#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_services.h"
#include "records/registry_access.h"
#include "records/sound_cue.h"
#include "support/test_folder.h"

namespace orlimo {
namespace {

using testing::TestFolder;

struct Fakes {
  fake::FakeClock clock{{2003, 12, 4, 16, 5, 9}};
  fake::CallRecorder recorder{clock};
  fake::FakeSound sound{recorder};
  fake::FakeRegistry registry{recorder};
};

TEST(RecordsSound, ANewCueCutsTheLastOffAndAMissingFileStaysSilent) {
  TestFolder folder;
  folder.Write(Main::kChimes, "RIFF");
  folder.Write(Main::kButton, "RIFF");
  const Text chimes = InFolder(folder.folder(), Main::kChimes);
  const Text button = InFolder(folder.folder(), Main::kButton);
  Fakes fakes;
  Main::PlaySound(fakes.sound, chimes);
  Main::PlaySound(fakes.sound, button);
  Main::PlaySound(fakes.sound, InFolder(folder.folder(), Main::kGlass));  // not installed

  EXPECT_EQ(fakes.sound.Played(), (std::vector<Text>{chimes, button}));
  EXPECT_FALSE(fakes.sound.IsOpen());
}

TEST(RecordsRegistry, ReadPassesFailuresOnDeleteSwallowsThem) {
  Fakes fakes;
  const Text startup = Registry::kCommonStartupPath;
  fakes.registry.values[startup] = u"C:\\Startup";
  fakes.registry.values[Registry::kRunValuePath] = u"C:\\Orlimo\\Orlimo.exe";

  EXPECT_EQ(Registry::RegistryRead(fakes.registry, startup), u"C:\\Startup");
  EXPECT_THROW(Registry::RegistryRead(fakes.registry, startup + u"x"), platform::RegistryError);

  EXPECT_EQ(Registry::RegistryDelete(fakes.registry, Registry::kRunValuePath), u"");
  EXPECT_FALSE(fakes.registry.values.contains(Registry::kRunValuePath));
  EXPECT_EQ(Registry::RegistryDelete(fakes.registry, Registry::kRunValuePath), u"");
  fakes.registry.deniesDelete = true;
  EXPECT_EQ(Registry::RegistryDelete(fakes.registry, startup), u"");
}

}  // namespace
}  // namespace orlimo
