#include "core/platform/atomic_file.h"
#include "core/platform/bulk_output.h"
#include "core/platform/temporary_files.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace orolith {
namespace {

namespace fs = std::filesystem;
using testing::fileNames;
using testing::readBytes;

// Failures (missing folder, a folder in the way, no permission) are checked through the writers
// that use this: the map, the TYP file, the palette and the settings.
TEST(AtomicFile, ReplacesTheTargetOnlyWhenCommitted) {
    testing::TempDir dir;
    const auto target = dir.write("map.mp", "old");
    {
        AtomicFile file(target);
        ASSERT_TRUE(file.open());
        ASSERT_TRUE(file.write("new content"));
        EXPECT_EQ(readBytes(target), "old");
    } // dropped without commit
    EXPECT_EQ(readBytes(target), "old");
    std::string error;
    ASSERT_TRUE(writeFileAtomically(target, "new\r\n", error)) << error;
    EXPECT_EQ(readBytes(target), "new\r\n");
    EXPECT_EQ(fileNames(dir.path()), std::vector<std::string>{"map.mp"});
}

TEST(AtomicFile, NamesUpToTheSystemsLimitCanBeWritten) {
    testing::TempDir dir;
    const std::string name = std::string(252, 'm') + ".mp"; // 255 bytes
    std::string error;
    ASSERT_TRUE(writeFileAtomically(dir / name, "map", error)) << error;
    EXPECT_EQ(fileNames(dir.path()), std::vector<std::string>{name});
    EXPECT_EQ(temporaryNameIn(dir.path()).filename().string().size(),
              temporaryNameIn(dir / name).filename().string().size());
}

TEST(AtomicFile, KeepsAFileThatAppearedWhileWriting) {
    testing::TempDir dir;
    AtomicFile file(dir / "map.mp", ExistingTarget::Keep);
    ASSERT_TRUE(file.open());
    ASSERT_TRUE(file.write("ours"));
    dir.write("map.mp", "theirs");
    EXPECT_FALSE(file.commit());
    EXPECT_TRUE(file.targetAppeared());
    EXPECT_EQ(readBytes(dir / "map.mp"), "theirs");
    EXPECT_EQ(fileNames(dir.path()), std::vector<std::string>{"map.mp"});

    AtomicFile fresh(dir / "other.mp", ExistingTarget::Keep);
    ASSERT_TRUE(fresh.open() && fresh.write("ours") && fresh.commit()) << fresh.error();
    EXPECT_EQ(readBytes(dir / "other.mp"), "ours");
}

#ifndef _WIN32
mode_t modeOf(const fs::path& path) {
    struct stat status {};
    ::lstat(path.c_str(), &status);
    return status.st_mode;
}

TEST(AtomicFile, AReplacedFileKeepsItsPermissionsAndALinkStaysALink) {
    testing::TempDir dir;
    const auto target = dir.write("map.mp", "old");
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink("map.mp", dir / "link.mp");
    std::string error;
    ASSERT_TRUE(writeFileAtomically(dir / "link.mp", "new", error)) << error;
    EXPECT_TRUE(fs::is_symlink(dir / "link.mp"));
    EXPECT_EQ(readBytes(target), "new");
    EXPECT_EQ(modeOf(target) & 07777, 0600u);
    EXPECT_EQ(fileNames(dir.path()), (std::vector<std::string>{"link.mp", "map.mp"}));
}

TEST(AtomicFile, APipeIsWrittenToAndNotReplaced) {
    testing::TempDir dir;
    const fs::path pipe = dir / "pipe";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const int reader = ::open(pipe.c_str(), O_RDWR | O_NONBLOCK); // never waits for a writer
    ASSERT_GE(reader, 0);
    std::string error;
    EXPECT_TRUE(writeFileAtomically(pipe, "through", error)) << error;
    EXPECT_TRUE(S_ISFIFO(modeOf(pipe)));
    char buffer[16] = {};
    EXPECT_EQ(::read(reader, buffer, sizeof buffer), 7);
    EXPECT_STREQ(buffer, "through");
    ::close(reader);
}

#ifdef __linux__
TEST(AtomicFile, TheTemporaryHasNoNameWhileBeingWritten) {
    testing::TempDir dir;
    const int probe = ::open(dir.path().c_str(), O_TMPFILE | O_WRONLY, 0600);
    if (probe < 0)
        GTEST_SKIP() << "the temporary folder's file system has no unnamed files";
    ::close(probe);
    AtomicFile file(dir / "map.mp");
    ASSERT_TRUE(file.open());
    EXPECT_TRUE(fileNames(dir.path()).empty());
    ASSERT_TRUE(file.commit());
    EXPECT_EQ(fileNames(dir.path()), std::vector<std::string>{"map.mp"});
}
#endif

TEST(TemporaryFiles, LeftoversNobodyHoldsAreRemovedOnTheNextWrite) {
    testing::TempDir dir;
    const auto old = fs::file_time_type::clock::now() - std::chrono::hours(1);
    const fs::path abandoned = dir.write(".orolith-abandoned000.tmp", "x");
    const fs::path held = dir.write(".orolith-held00000000.tmp", "x");
    const fs::path recent = dir.write(".orolith-recent000000.tmp", "x");
    const fs::path foreign = dir.write(".map.mp.12345678.tmp", "x");
    for (const auto& path : {abandoned, held, foreign})
        fs::last_write_time(path, old);
    const int holder = ::open(held.c_str(), O_RDONLY);
    ASSERT_EQ(::flock(holder, LOCK_EX), 0);

    std::string error;
    ASSERT_TRUE(writeFileAtomically(dir / "map.mp", "map", error)) << error;
    EXPECT_FALSE(fs::exists(abandoned));
    EXPECT_TRUE(fs::exists(held));
    EXPECT_TRUE(fs::exists(recent));
    EXPECT_TRUE(fs::exists(foreign));
    ::close(holder);
}

TEST(TemporaryFiles, ASignalRemovesRegisteredTemporariesAndStillEndsTheProcess) {
    testing::TempDir dir;
    for (int signalNumber : {SIGINT, SIGTERM, SIGHUP}) {
        const fs::path temporary = dir.write(".orolith-signalled000.tmp", "partial");
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            removeTemporariesOnSignals();
            registerTemporary(temporary);
            ::raise(signalNumber);
            ::_exit(0); // not reached when the signal ends the process
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signalNumber) << signalNumber;
        EXPECT_FALSE(fs::exists(temporary)) << signalNumber;
    }
}

bool onMemoryFileSystem(const fs::path& folder) {
    struct statfs about {};
    return ::statfs(folder.c_str(), &about) == 0 && about.f_type == 0x01021994; // tmpfs
}

// Large maps go around the file cache in whole aligned blocks once past their first part; the
// block that ends the file is cut at a block of the device and the rest written the usual way.
// A file system that keeps its files in memory anyway (/dev/shm) gets every byte the usual way.
// Whatever the cut, the bytes on disk are the bytes given, in chunks that never line up.
TEST(BulkOutput, WritesEveryByteWhereverTheFileSwitchesToDirectWrites) {
    testing::TempDir dir;
    std::string bytes(2 * BulkOutput::kBlockSize + 4096 + 3, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>('a' + (i * 7 + i / 4093) % 26);
    const fs::path shared = "/dev/shm";
    std::vector<fs::path> folders{dir.path()};
    if (onMemoryFileSystem(shared))
        folders.push_back(shared);
    constexpr std::uint64_t kBlock = BulkOutput::kBlockSize;
    for (const fs::path& folder : folders) {
        // Past the file's end, the whole file stays in the cache.
        for (const std::uint64_t cached : {std::uint64_t{0}, kBlock + 1, 4 * kBlock}) {
            const fs::path path = folder / ("orolith-bulk-test-" + std::to_string(::getpid()) + "-" + std::to_string(cached));
            const int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
            ASSERT_GE(descriptor, 0);
            bool direct = false;
            {
                BulkOutput output(descriptor, cached);
                for (std::size_t at = 0, step = 1; at < bytes.size(); at += step, step = step * 3 % 1000003 + 1)
                    ASSERT_TRUE(output.write(std::string_view(bytes).substr(at, step)));
                ASSERT_TRUE(output.finish());
                direct = output.wroteDirect();
            }
            ::close(descriptor);
            EXPECT_TRUE(readBytes(path) == bytes) << path;
            EXPECT_EQ(direct, cached < 4 * kBlock && !onMemoryFileSystem(folder)) << path;
            fs::remove(path);
        }
    }
}
#endif

} // namespace
} // namespace orolith
