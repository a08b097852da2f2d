// A file replaced whole or not at all, whatever stands in the way.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "records/atomic_file.h"
#include "support/test_folder.h"

namespace orlimo {
namespace {

using testing::TestFolder;

TEST(RecordsAtomicFile, ReplacesWholeOrLeavesTheOldFileAndNoTemporaryOne) {
  struct Case {
    const char* what;
    void (*place)(const TestFolder& folder);
    bool replaced;
    std::string left;  // in a.txt afterwards; empty: a.txt is the folder that was placed
  };
  const Case cases[] = {
      {"over a temporary file a run that was cut off left",
       [](const TestFolder& folder) { folder.Write(u"a.txt.tmp", "half written"); }, true, "new"},
      {"the temporary file cannot be created",
       [](const TestFolder& folder) { folder.Block(u"a.txt.tmp"); }, false, "old"},
      {"the file cannot be moved over (a folder stands there)",
       [](const TestFolder& folder) {
         std::filesystem::remove(folder.File(u"a.txt"));
         folder.Block(u"a.txt");
       },
       false, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TestFolder folder;
    folder.Write(u"a.txt", "old");
    c.place(folder);
    if (c.replaced) {
      ReplaceFileAtomically(InFolder(folder.folder(), u"a.txt"), "new");
    } else {
      EXPECT_ANY_THROW(ReplaceFileAtomically(InFolder(folder.folder(), u"a.txt"), "new"));
    }
    EXPECT_EQ(folder.Bytes(u"a.txt"), c.left);
    EXPECT_EQ(std::filesystem::is_directory(folder.File(u"a.txt")), c.left.empty());
    EXPECT_FALSE(std::filesystem::is_regular_file(folder.File(u"a.txt.tmp")));
  }
}

}  // namespace
}  // namespace orlimo
