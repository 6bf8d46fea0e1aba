#include "platform/Paths.h"

#include <gtest/gtest.h>

namespace brelker {
namespace {

#ifdef _WIN32
TEST(PathsTest, WindowsPathsSplitAtEitherSeparatorAndDriveRootsKeepTheirs) {
    EXPECT_EQ(BareFileName("C:\\x\\big.bin"), "big.bin");
    EXPECT_EQ(BareFileName("C:/x/big.bin"), "big.bin");
    EXPECT_EQ(BareFileName("C:\\x/sub\\big.bin"), "big.bin");
    EXPECT_EQ(FolderOfPath("C:\\x\\big.bin"), "C:\\x");
    EXPECT_EQ(FolderOfPath("C:\\big.bin"), "C:\\");
    EXPECT_EQ(FolderOfPath("\\big.bin"), "\\");
    EXPECT_EQ(FolderOfPath("\\\\server\\share\\big.bin"), "\\\\server\\share");
    EXPECT_EQ(FolderOfPath("big.bin"), ".");
    EXPECT_EQ(JoinFolder("C:\\", "a"), "C:\\a");
    EXPECT_EQ(JoinFolder("C:\\x", "a"), "C:\\x\\a");
    EXPECT_EQ(JoinFolder("\\\\server\\share\\", "a"), "\\\\server\\share\\a");
    EXPECT_TRUE(IsPathSeparator('/'));
}
#else
TEST(PathsTest, PosixPathsSplitAtSlashOnlyAndTheRootTakesNamesDirectly) {
    EXPECT_EQ(BareFileName("/x/big\\name.bin"), "big\\name.bin");
    EXPECT_EQ(FolderOfPath("/x/big.bin"), "/x");
    EXPECT_EQ(FolderOfPath("/big.bin"), "/");
    EXPECT_EQ(FolderOfPath("big.bin"), ".");
    EXPECT_EQ(JoinFolder("/", "a"), "/a");
    EXPECT_EQ(JoinFolder("/x", "a"), "/x/a");
    EXPECT_FALSE(IsPathSeparator('\\'));
}
#endif

}  // namespace
}  // namespace brelker
