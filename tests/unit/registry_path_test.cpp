// Registry paths as the program writes them, taken apart into root, key and value; values read.
#include <gtest/gtest.h>

#include "platform/fake/fake_services.h"
#include "platform/registry_path.h"
#include "records/registry_access.h"

namespace orlimo::platform {
namespace {

TEST(RegistryPath, RootKeyNamesInFullOrShortInAnyCase) {
  struct Case {
    const char16_t* path;
    bool valid;
    RegistryRoot root;
    const char16_t* key;
    const char16_t* value;
  };
  const Case cases[] = {
      {u"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Run\\VarnTime", true, RegistryRoot::LocalMachine,
       u"SOFTWARE\\Microsoft\\Run", u"VarnTime"},
      {u"hklm\\A\\B", true, RegistryRoot::LocalMachine, u"A", u"B"},
      {u"HKCU\\Software\\Key\\", true, RegistryRoot::CurrentUser, u"Software\\Key", u""},
      {u"Hkey_Current_User\\V", true, RegistryRoot::CurrentUser, u"", u"V"},
      {u"HKEY_CLASSES_ROOT\\Name", true, RegistryRoot::ClassesRoot, u"", u"Name"},
      {u"hkcr\\.wav\\", true, RegistryRoot::ClassesRoot, u".wav", u""},
      {u"HKEY_USERS\\.DEFAULT\\V", true, RegistryRoot::Users, u".DEFAULT", u"V"},
      {u"HKLM\\시작 폴더\\값", true, RegistryRoot::LocalMachine, u"시작 폴더", u"값"},
      {u"HKEY_NOWHERE\\A\\B", false},
      {u"HKLMX\\A", false},
      {u"\\HKLM\\A", false},
      {u"HKLM", false},
      {u"", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(ToUtf8(c.path));
    const std::optional<RegistryPath> parsed = ParseRegistryPath(c.path);
    ASSERT_EQ(parsed.has_value(), c.valid);
    if (c.valid) {
      EXPECT_EQ(*parsed, (RegistryPath{c.root, c.key, c.value}));
    }
  }
}

// A string as read (Windows expands an expandable one), a number in decimal, other data as empty.
TEST(RegistryPath, ValuesReadAsText) {
  fake::FakeRegistry registry;
  const Text path = orlimo::Registry::kCommonStartupPath;
  const std::pair<RegistryValue, Text> cases[] = {{Text(u"C:\\Startup"), u"C:\\Startup"},
                                                  {std::uint64_t{4294967296}, u"4294967296"},
                                                  {RegistryOtherData{}, u""}};
  for (const auto& [data, read] : cases) {
    registry.values[path] = data;
    EXPECT_EQ(orlimo::Registry::RegistryRead(registry, path), read);
  }
}

}  // namespace
}  // namespace orlimo::platform
