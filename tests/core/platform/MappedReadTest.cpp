// Mapped reads: the bytes of a range straight from the file cache, and a failed
// read rather than a killed process where those bytes are gone.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#ifndef _WIN32
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>
#endif

#include "TempFolder.h"
#include "platform/NativePlatform.h"

namespace brelker {
namespace {

TEST(MappedReadTest, HandsOnTheBytesOfARangeInOrderAndNothingPastTheEnd) {
    TempFolder folder;
    const std::string bytes = PatternBytes(20'000'123);
    WriteFile(folder / "data", bytes);
    NativePlatform platform;
    const FileHandle file = platform.OpenForReading(folder / "data");
    std::string got;
    const auto take = [&](const char* view, std::size_t size) { got.append(view, size); };
    // More than one view, from an offset on no page boundary.
    EXPECT_EQ(platform.ReadMapped(file, 4'097, 19'000'000, take), 19'000'000);
    EXPECT_TRUE(got == bytes.substr(4'097, 19'000'000));
    got.clear();
    EXPECT_EQ(platform.ReadMapped(file, 20'000'000, 124, take), -1);
    EXPECT_TRUE(got.empty());
    platform.Close(file);
}

#ifndef _WIN32  // Windows refuses to cut a file short while a view of it exists
TEST(MappedReadTest, BytesCutOffWhileHandedOnFailTheReadAndNothingElse) {
    TempFolder folder;
    const std::string path = folder / "data";
    WriteFile(path, PatternBytes(1 << 20));
    NativePlatform platform;
    const FileHandle file = platform.OpenForReading(path);
    const auto cutAndTouch = [&](const char* view, std::size_t size) {
        std::filesystem::resize_file(path, 0);
        [[maybe_unused]] const volatile char last = view[size - 1];
    };
    EXPECT_EQ(platform.ReadMapped(file, 0, 1 << 20, cutAndTouch), -1);
    platform.Close(file);

    // The same fault outside a mapped read still ends the process, through
    // the handler there was before (a sanitizer's, or the system's).
    WriteFile(path, PatternBytes(1 << 20));
    EXPECT_DEATH(
        {
            const int fd = ::open(path.c_str(), O_RDWR);
            const auto* view = static_cast<const volatile char*>(
                ::mmap(nullptr, 1 << 20, PROT_READ, MAP_SHARED, fd, 0));
            static_cast<void>(::ftruncate(fd, 0));
            static_cast<void>(view[(1 << 20) - 1]);
            std::exit(0);
        },
        "");
}
#endif

}  // namespace
}  // namespace brelker
