#include "platform/registry_path.h"

namespace orlimo::platform {
namespace {

bool SameAsciiLetters(TextView a, TextView b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

std::optional<RegistryRoot> RootNamed(TextView name) {
  struct Name {
    TextView text;
    RegistryRoot root;
  };
  static constexpr Name kNames[] = {
      {u"HKEY_LOCAL_MACHINE", RegistryRoot::LocalMachine},
      {u"HKLM", RegistryRoot::LocalMachine},
      {u"HKEY_CURRENT_USER", RegistryRoot::CurrentUser},
      {u"HKCU", RegistryRoot::CurrentUser},
      {u"HKEY_CLASSES_ROOT", RegistryRoot::ClassesRoot},
      {u"HKCR", RegistryRoot::ClassesRoot},
      {u"HKEY_USERS", RegistryRoot::Users},
  };
  for (const Name& candidate : kNames) {
    if (SameAsciiLetters(name, candidate.text)) return candidate.root;
  }
  return std::nullopt;
}

}  // namespace

std::optional<RegistryPath> ParseRegistryPath(TextView path) {
  const std::size_t first = path.find(u'\\');
  if (first == TextView::npos) return std::nullopt;
  const std::optional<RegistryRoot> root = RootNamed(path.substr(0, first));
  if (!root) return std::nullopt;
  const std::size_t last = path.rfind(u'\\');
  RegistryPath parsed;
  parsed.root = *root;
  if (last > first) parsed.key = Text(path.substr(first + 1, last - first - 1));
  parsed.value = Text(path.substr(last + 1));
  return parsed;
}

}  // namespace orlimo::platform
