#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/fake/fake_services.h"
#include "records/registry_access.h"
#include "records/sound_cue.h"
#include "support/test_folder.h"

namespace orlimo {
namespace {

using testing::TestFolder;

struct Fakes {
  fake::FakeSound sound;
  fake::FakeRegistry registry;
};

TEST(RecordsRegistry, ReadPassesFailuresOnDeleteSwallowsThem) {
  Fakes fakes;
  const Text startup = Registry::kCommonStartupPath;
  fakes.registry.values[Registry::kRunValuePath] = u"C:\\Orlimo\\Orlimo.exe";

  // A string as read (Windows expands an expandable one), a number in decimal, any other data
  // as an empty text: only a value that cannot be read at all fails.
  const struct {
    platform::RegistryValue data;
    Text read;
  } cases[] = {
      {Text(u"C:\\Startup"), u"C:\\Startup"},
      {Text(u""), u""},
      {std::uint64_t{0}, u"0"},
      {std::uint64_t{4294967295}, u"4294967295"},
      {std::uint64_t{18446744073709551615u}, u"18446744073709551615"},
      {platform::RegistryOtherData{}, u""},
  };
  for (const auto& c : cases) {
    fakes.registry.values[startup] = c.data;
    EXPECT_EQ(Registry::RegistryRead(fakes.registry, startup), c.read) << ToUtf8(c.read);
  }
  EXPECT_THROW(Registry::RegistryRead(fakes.registry, startup + u"x"), platform::RegistryError);

  EXPECT_EQ(Registry::RegistryDelete(fakes.registry, Registry::kRunValuePath), u"");
  EXPECT_FALSE(fakes.registry.values.contains(Registry::kRunValuePath));
  EXPECT_EQ(Registry::RegistryDelete(fakes.registry, Registry::kRunValuePath), u"");
  fakes.registry.deniesDelete = true;
  EXPECT_EQ(Registry::RegistryDelete(fakes.registry, startup), u"");
}

}  // namespace
}  // namespace orlimo
