#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "records/atomic_file.h"
#include "support/test_folder.h"

namespace orlimo {
namespace {

using testing::TestFolder;

TEST(RecordsAtomicFile, ReplacesOverALeftoverTemporaryFile) {
  TestFolder folder;
  folder.Write(u"a.txt", "old");
  folder.Write(u"a.txt.tmp", "half written by a run that was cut off");
  ReplaceFileAtomically(InFolder(folder.folder(), u"a.txt"), "new");
  EXPECT_EQ(folder.Bytes(u"a.txt"), "new");
  EXPECT_FALSE(folder.Exists(u"a.txt.tmp"));
}

TEST(RecordsAtomicFile, FailedMoveRemovesTheTemporaryFile) {
  TestFolder folder;
  folder.Block(u"a.txt");  // a folder with content cannot be replaced by a file
  EXPECT_ANY_THROW(ReplaceFileAtomically(InFolder(folder.folder(), u"a.txt"), "new"));
  EXPECT_FALSE(folder.Exists(u"a.txt.tmp"));
  EXPECT_TRUE(std::filesystem::is_directory(folder.File(u"a.txt")));
}

}  // namespace
}  // namespace orlimo
