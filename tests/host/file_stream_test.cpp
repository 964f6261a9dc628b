#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <random>
#include <set>
#include <string>

#include "core/file_stream.h"
#include "core/object.h"
#include "model_bytes.h"
#include "temp_folder.h"

namespace {

using core::FileStream;
using core::Ref;
using test_support::readFileBytes;
using test_support::TempFolder;
using test_support::writeFileBytes;

// The size of the buffer a stream gathers small reads and writes in, and
// what a read stream reads ahead at first, so that tests can place reads and
// writes across their edges.
constexpr std::size_t kStreamBuffer = 64 * 1024;
constexpr std::size_t kFirstReadAhead = 4 * 1024;

std::string randomBytes(std::mt19937& random, std::size_t size) {
    std::uniform_int_distribution<int> byte(0, 255);
    std::string bytes(size, '\0');
    for (char& c : bytes) c = static_cast<char>(byte(random));
    return bytes;
}

std::string randomBytes(std::size_t size) {
    std::mt19937 random(static_cast<std::mt19937::result_type>(size));
    return randomBytes(random, size);
}

std::string readBytes(FileStream& stream, std::size_t count) {
    std::string bytes(count, '\0');
    bytes.resize(stream.read(bytes.data(), count));
    return bytes;
}

std::size_t writeBytes(FileStream& stream, const std::string& bytes) {
    return stream.write(bytes.data(), bytes.size());
}

std::set<std::string> namesIn(const std::filesystem::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

// A size for a random read or write: mostly small, sometimes around the
// buffer's size, sometimes well above it.
std::size_t randomChunk(std::mt19937& random) {
    switch (std::uniform_int_distribution<int>(0, 9)(random)) {
        case 0: return std::uniform_int_distribution<std::size_t>(kStreamBuffer - 100, kStreamBuffer + 100)(random);
        case 1: return std::uniform_int_distribution<std::size_t>(kStreamBuffer + 1, 3 * kStreamBuffer)(random);
        default: return std::uniform_int_distribution<std::size_t>(0, 300)(random);
    }
}

class FileStreamTest : public ::testing::Test {
protected:
    // Writes `bytes` to a file of the test folder and opens it for reading.
    Ref<FileStream> readerOf(const std::string& bytes) {
        writeFileBytes(path, bytes);
        return core::openFileForReading(path);
    }

    TempFolder folder;
    const std::string path = folder.file("data.bin");
};

// --- Read stream -----------------------------------------------------------

using ReadStream = FileStreamTest;

TEST_F(ReadStream, ReadGivesTheFileBytesAndAShortCountAtTheEnd) {
    Ref<FileStream> stream = readerOf("0123456789");
    ASSERT_TRUE(stream->isOpen());
    EXPECT_EQ(readBytes(*stream, 4), "0123");
    EXPECT_EQ(readBytes(*stream, 10), "456789");
    EXPECT_EQ(readBytes(*stream, 1), "");
}

TEST_F(ReadStream, SizeIsTheFileSizeAndPositionFollowsReads) {
    Ref<FileStream> stream = readerOf("0123456789");
    EXPECT_EQ(stream->size(), 10);
    EXPECT_EQ(stream->position(), 0);
    readBytes(*stream, 3);
    EXPECT_EQ(stream->position(), 3);
    EXPECT_EQ(stream->size(), 10);
    readBytes(*stream, 0);
    EXPECT_EQ(stream->position(), 3);
    readBytes(*stream, 50);
    EXPECT_EQ(stream->position(), 10);
}

TEST_F(ReadStream, SeekFromEachOriginGivesTheNewPositionAndReadsFromThere) {
    Ref<FileStream> stream = readerOf("0123456789");
    EXPECT_EQ(stream->seek(6, FileStream::FromStart), 6);
    EXPECT_EQ(readBytes(*stream, 2), "67");
    EXPECT_EQ(stream->seek(-5, FileStream::FromCurrent), 3);
    EXPECT_EQ(readBytes(*stream, 2), "34");
    EXPECT_EQ(stream->seek(2, FileStream::FromCurrent), 7);
    EXPECT_EQ(readBytes(*stream, 1), "7");
    EXPECT_EQ(stream->seek(-4, FileStream::FromEnd), 6);
    EXPECT_EQ(readBytes(*stream, 10), "6789");
    EXPECT_EQ(stream->seek(0, FileStream::FromStart), 0);
    EXPECT_EQ(readBytes(*stream, 1), "0");
}

TEST_F(ReadStream, SeekPastTheEndReadsNothing) {
    Ref<FileStream> stream = readerOf("0123456789");
    EXPECT_EQ(stream->seek(25, FileStream::FromStart), 25);
    EXPECT_EQ(readBytes(*stream, 5), "");
    EXPECT_EQ(stream->size(), 10);
}

TEST_F(ReadStream, FailedSeekLeavesThePosition) {
    Ref<FileStream> stream = readerOf("0123456789");
    readBytes(*stream, 4);
    EXPECT_LT(stream->seek(-100, FileStream::FromCurrent), 0);
    EXPECT_EQ(stream->position(), 4);
    EXPECT_LT(stream->seek(-1, FileStream::FromStart), 0);
    EXPECT_EQ(stream->position(), 4);
    EXPECT_EQ(readBytes(*stream, 2), "45");
}

TEST_F(ReadStream, NeverWrites) {
    Ref<FileStream> stream = readerOf("0123456789");
    readBytes(*stream, 2);
    EXPECT_EQ(writeBytes(*stream, "abc"), 0U);
    EXPECT_EQ(stream->position(), 2);
    EXPECT_EQ(stream->size(), 10);
    stream.reset();
    EXPECT_EQ(readFileBytes(path), "0123456789");
}

TEST_F(ReadStream, ReadsSpanningTheBufferEdgeGiveExactBytes) {
    const std::string bytes = randomBytes(3 * kStreamBuffer + 123);
    Ref<FileStream> stream = readerOf(bytes);
    std::string got;
    for (std::size_t chunk = 1000; got.size() < bytes.size(); chunk = chunk % 9000 + 777) {
        const std::string piece = readBytes(*stream, chunk);
        ASSERT_FALSE(piece.empty()) << "stopped at " << got.size();
        got += piece;
        ASSERT_EQ(stream->position(), static_cast<std::int64_t>(got.size()));
    }
    EXPECT_EQ(got, bytes);
}

TEST_F(ReadStream, ReadsOfAboutTheBufferSizeGiveExactBytes) {
    const std::string bytes = randomBytes(6 * kStreamBuffer);
    Ref<FileStream> stream = readerOf(bytes);
    std::size_t at = 0;
    for (const std::size_t count : {kStreamBuffer - 1, std::size_t{2}, kStreamBuffer, std::size_t{1}, kStreamBuffer + 1,
                                    std::size_t{5}, 2 * kStreamBuffer + 3}) {
        EXPECT_EQ(readBytes(*stream, count), bytes.substr(at, count)) << "read of " << count << " at " << at;
        at += count;
    }
    EXPECT_EQ(readBytes(*stream, kStreamBuffer), bytes.substr(at));
}

TEST_F(ReadStream, LargeReadAfterASmallOneGivesExactBytes) {
    const std::string bytes = randomBytes(4 * kStreamBuffer);
    Ref<FileStream> stream = readerOf(bytes);
    EXPECT_EQ(readBytes(*stream, 10), bytes.substr(0, 10));
    EXPECT_EQ(readBytes(*stream, 3 * kStreamBuffer), bytes.substr(10, 3 * kStreamBuffer));
    EXPECT_EQ(readBytes(*stream, 7), bytes.substr(10 + 3 * kStreamBuffer, 7));
    EXPECT_EQ(stream->position(), static_cast<std::int64_t>(17 + 3 * kStreamBuffer));
}

TEST_F(ReadStream, SeeksWithinAndOutsideTheBufferedRangeReadTheRightBytes) {
    const std::string bytes = randomBytes(4 * kStreamBuffer);
    Ref<FileStream> stream = readerOf(bytes);
    const auto expectReadAt = [&](std::int64_t at) {
        EXPECT_EQ(stream->position(), at);
        EXPECT_EQ(readBytes(*stream, 16), bytes.substr(static_cast<std::size_t>(at), 16)) << "at " << at;
    };
    readBytes(*stream, 100);                                    // the buffer now holds the first 4 KiB
    EXPECT_EQ(stream->seek(-50, FileStream::FromCurrent), 50);  // back, inside the buffer
    expectReadAt(50);
    EXPECT_EQ(stream->seek(1000, FileStream::FromCurrent), 1066);  // forward, inside the buffer
    expectReadAt(1066);
    EXPECT_EQ(stream->seek(-1082, FileStream::FromCurrent), 0);  // back to the buffer's first byte
    expectReadAt(0);
    EXPECT_EQ(stream->seek(70000, FileStream::FromCurrent), 70016);  // forward, past the buffer
    expectReadAt(70016);
    EXPECT_EQ(stream->seek(-70000, FileStream::FromCurrent), 32);  // back, before the buffer
    expectReadAt(32);
    EXPECT_EQ(stream->seek(3000, FileStream::FromStart), 3000);  // inside the buffered range
    expectReadAt(3000);
    EXPECT_EQ(stream->seek(-10, FileStream::FromEnd), static_cast<std::int64_t>(bytes.size() - 10));
    EXPECT_EQ(readBytes(*stream, 16), bytes.substr(bytes.size() - 10));
    EXPECT_EQ(stream->seek(kStreamBuffer - 3, FileStream::FromStart), static_cast<std::int64_t>(kStreamBuffer - 3));
    expectReadAt(kStreamBuffer - 3);  // a read across the edge of a fresh buffer
}

TEST_F(ReadStream, SeeksToTheEdgesOfTheBufferedRangeReadTheRightBytes) {
    const std::string bytes = randomBytes(3 * kStreamBuffer);
    const auto bufferEnd = static_cast<std::int64_t>(kFirstReadAhead);
    for (const std::int64_t target : {bufferEnd - 1, bufferEnd, bufferEnd + 1}) {
        Ref<FileStream> stream = readerOf(bytes);
        readBytes(*stream, 100);  // the buffer now holds the first 4 KiB
        EXPECT_EQ(stream->seek(target - 100, FileStream::FromCurrent), target);
        EXPECT_EQ(readBytes(*stream, 8), bytes.substr(static_cast<std::size_t>(target), 8)) << "at " << target;
        EXPECT_EQ(stream->position(), target + 8);
    }
}

TEST_F(ReadStream, RandomReadsAndSeeksMatchTheFile) {
    std::mt19937 random(7);
    const std::string bytes = randomBytes(random, 5 * kStreamBuffer + 999);
    const auto size = static_cast<std::int64_t>(bytes.size());
    Ref<FileStream> stream = readerOf(bytes);
    std::int64_t at = 0;
    for (int step = 0; step < 400; ++step) {
        std::int64_t target = at;
        switch (std::uniform_int_distribution<int>(0, 5)(random)) {
            case 0:
                target = std::uniform_int_distribution<std::int64_t>(0, size)(random);
                ASSERT_EQ(stream->seek(target, FileStream::FromStart), target) << "step " << step;
                break;
            case 1:
                target = std::uniform_int_distribution<std::int64_t>(std::max<std::int64_t>(0, at - 2000),
                                                                     std::min(size, at + 2000))(random);
                ASSERT_EQ(stream->seek(target - at, FileStream::FromCurrent), target) << "step " << step;
                break;
            case 2:
                target = std::uniform_int_distribution<std::int64_t>(0, size)(random);
                ASSERT_EQ(stream->seek(target - size, FileStream::FromEnd), target) << "step " << step;
                break;
            default: {
                const std::size_t count = randomChunk(random);
                const auto from = static_cast<std::size_t>(at);
                ASSERT_EQ(readBytes(*stream, count), bytes.substr(from, count)) << "step " << step << " at " << at;
                target = std::min(size, at + static_cast<std::int64_t>(count));
            }
        }
        at = target;
        ASSERT_EQ(stream->position(), at) << "step " << step;
    }
}

// --- Write stream ----------------------------------------------------------

class WriteStream : public FileStreamTest {
protected:
    Ref<FileStream> writer() { return core::createFileForWriting(path); }
};

TEST_F(WriteStream, WritesGiveTheirCountAndTheFileHoldsTheBytes) {
    Ref<FileStream> stream = writer();
    ASSERT_TRUE(stream->isOpen());
    EXPECT_EQ(writeBytes(*stream, "Hello, "), 7U);
    EXPECT_EQ(writeBytes(*stream, "file"), 4U);
    EXPECT_EQ(writeBytes(*stream, ""), 0U);
    stream.reset();
    EXPECT_EQ(readFileBytes(path), "Hello, file");
}

TEST_F(WriteStream, SizeAndPositionCountBytesNotYetWrittenOut) {
    Ref<FileStream> stream = writer();
    writeBytes(*stream, "0123456789");
    EXPECT_EQ(stream->size(), 10);
    EXPECT_EQ(stream->position(), 10);
    writeBytes(*stream, "ab");
    EXPECT_EQ(stream->position(), 12);
    EXPECT_EQ(stream->size(), 12);
}

TEST_F(WriteStream, ReplacesTheContentOfAnExistingFile) {
    writeFileBytes(path, randomBytes(2 * kStreamBuffer));
    Ref<FileStream> stream = writer();
    EXPECT_EQ(stream->size(), 0);
    writeBytes(*stream, "new");
    stream.reset();
    EXPECT_EQ(readFileBytes(path), "new");
}

TEST_F(WriteStream, OpeningAloneEmptiesAnExistingFile) {
    writeFileBytes(path, "old content");
    writer().reset();
    EXPECT_EQ(readFileBytes(path), "");
}

TEST_F(WriteStream, WriteAfterSeekingBackEndsTheFileThere) {
    Ref<FileStream> stream = writer();
    writeBytes(*stream, "abcdefgh");
    EXPECT_EQ(stream->seek(2, FileStream::FromStart), 2);
    writeBytes(*stream, "XY");
    EXPECT_EQ(stream->size(), 4);
    EXPECT_EQ(stream->seek(-1, FileStream::FromEnd), 3);
    writeBytes(*stream, "Z");
    EXPECT_EQ(stream->seek(-2, FileStream::FromCurrent), 2);
    EXPECT_EQ(stream->size(), 4);
    stream.reset();
    EXPECT_EQ(readFileBytes(path), "abXZ");
}

TEST_F(WriteStream, NeverReads) {
    writeFileBytes(path, "0123456789");
    Ref<FileStream> stream = writer();
    writeBytes(*stream, "abcdef");
    stream->seek(0, FileStream::FromStart);
    std::string buffer(4, '#');
    EXPECT_EQ(stream->read(buffer.data(), buffer.size()), 0U);
    EXPECT_EQ(buffer, "####");
    EXPECT_EQ(stream->position(), 0);
}

TEST_F(WriteStream, LargeAndSmallWritesGiveExactBytes) {
    std::mt19937 random(3);
    std::string expected;
    Ref<FileStream> stream = writer();
    for (const std::size_t count : {std::size_t{10}, 3 * kStreamBuffer, std::size_t{7}, kStreamBuffer - 7,
                                    std::size_t{1}, kStreamBuffer, kStreamBuffer - 1, std::size_t{2}}) {
        const std::string piece = randomBytes(random, count);
        EXPECT_EQ(writeBytes(*stream, piece), count);
        expected += piece;
    }
    stream.reset();
    EXPECT_EQ(readFileBytes(path), expected);
}

TEST_F(WriteStream, ManySmallWritesGiveExactBytes) {
    std::mt19937 random(4);
    std::string expected;
    Ref<FileStream> stream = writer();
    while (expected.size() < 3 * kStreamBuffer) {
        const std::string piece = randomBytes(random, expected.size() % 37 + 1);
        ASSERT_EQ(writeBytes(*stream, piece), piece.size());
        expected += piece;
    }
    EXPECT_EQ(stream->position(), static_cast<std::int64_t>(expected.size()));
    stream.reset();
    EXPECT_EQ(readFileBytes(path), expected);
}

TEST_F(WriteStream, RandomWritesSeeksAndSizesMatchAReference) {
    std::mt19937 random(11);
    std::string expected;
    std::int64_t at = 0;
    Ref<FileStream> stream = writer();
    for (int step = 0; step < 300; ++step) {
        const auto size = static_cast<std::int64_t>(expected.size());
        switch (std::uniform_int_distribution<int>(0, 7)(random)) {
            case 0:
                at = std::uniform_int_distribution<std::int64_t>(0, size)(random);
                ASSERT_EQ(stream->seek(at, FileStream::FromStart), at) << "step " << step;
                break;
            case 1: {
                const std::int64_t target = std::uniform_int_distribution<std::int64_t>(0, size)(random);
                ASSERT_EQ(stream->seek(target - at, FileStream::FromCurrent), target) << "step " << step;
                at = target;
                break;
            }
            case 3:
                ASSERT_EQ(stream->size(), size) << "step " << step;
                ASSERT_EQ(stream->position(), at) << "step " << step;
                break;
            default: {
                const std::string piece = randomBytes(random, randomChunk(random));
                ASSERT_EQ(writeBytes(*stream, piece), piece.size()) << "step " << step;
                expected = expected.substr(0, static_cast<std::size_t>(at)) + piece;
                at = static_cast<std::int64_t>(expected.size());
            }
        }
    }
    stream.reset();
    EXPECT_EQ(readFileBytes(path), expected);
}

TEST_F(WriteStream, CommitPutsTheBytesInTheFileWhileTheStreamStaysOpen) {
    Ref<FileStream> stream = writer();
    writeBytes(*stream, "gathered");
    EXPECT_TRUE(stream->commit());
    EXPECT_EQ(readFileBytes(path), "gathered");
    writeBytes(*stream, " and more");
    EXPECT_TRUE(stream->commit());
    EXPECT_EQ(readFileBytes(path), "gathered and more");
}

#ifndef _WIN32
// Every write to /dev/full fails as on a full disk.
TEST(FailingWrites, CommitReportsAWriteThatFailed) {
    Ref<FileStream> stream = core::createFileForWriting("/dev/full");
    ASSERT_TRUE(stream->isOpen());
    EXPECT_EQ(writeBytes(*stream, "small"), 5U);  // gathered, not yet written
    EXPECT_FALSE(stream->commit());
    EXPECT_EQ(writeBytes(*stream, "later"), 0U);
    EXPECT_FALSE(stream->commit());
}

TEST(FailingWrites, LargeWriteThatFailsReportsNoBytes) {
    Ref<FileStream> stream = core::createFileForWriting("/dev/full");
    ASSERT_TRUE(stream->isOpen());
    EXPECT_EQ(writeBytes(*stream, randomBytes(2 * kStreamBuffer)), 0U);
    EXPECT_FALSE(stream->commit());
}
#endif

// --- A file that cannot be opened ------------------------------------------

using UnopenedStream = FileStreamTest;

TEST_F(UnopenedStream, MissingFileReadsNothingAndHasSizeZero) {
    Ref<FileStream> stream = core::openFileForReading(folder.file("missing.bin"));
    EXPECT_FALSE(stream->isOpen());
    std::string buffer(8, '#');
    EXPECT_EQ(stream->read(buffer.data(), buffer.size()), 0U);
    EXPECT_EQ(buffer, "########");
    EXPECT_EQ(writeBytes(*stream, "abc"), 0U);
    EXPECT_EQ(stream->size(), 0);
    stream.reset();
    EXPECT_FALSE(std::filesystem::exists(folder.file("missing.bin")));
}

TEST_F(UnopenedStream, FolderCannotBeOpenedForReading) {
    Ref<FileStream> stream = core::openFileForReading(folder.path().string());
    EXPECT_FALSE(stream->isOpen());
    EXPECT_EQ(readBytes(*stream, 8), "");
    EXPECT_EQ(stream->size(), 0);
}

TEST_F(UnopenedStream, WriteStreamInAMissingFolderWritesNothing) {
    const std::string inMissing = (folder.path() / "missing" / "out.bin").string();
    Ref<FileStream> stream = core::createFileForWriting(inMissing);
    EXPECT_FALSE(stream->isOpen());
    EXPECT_EQ(writeBytes(*stream, "abc"), 0U);
    EXPECT_EQ(writeBytes(*stream, randomBytes(2 * kStreamBuffer)), 0U);
    EXPECT_EQ(readBytes(*stream, 3), "");
    EXPECT_EQ(stream->size(), 0);
    EXPECT_FALSE(stream->commit());
    stream.reset();
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "missing"));
}

// --- Atomic save -----------------------------------------------------------

class AtomicSave : public FileStreamTest {
protected:
    // Saves `bytes` to `target` through saveFileAtomically.
    bool save(const std::string& target, const std::string& bytes) {
        return core::saveFileAtomically(target,
                                        [&](FileStream& stream) { return writeBytes(stream, bytes) == bytes.size(); });
    }
};

TEST_F(AtomicSave, ReplacesTheTargetAndLeavesNoOtherFile) {
    writeFileBytes(path, "old content that is longer than the new one");
    const std::string bytes = randomBytes(2 * kStreamBuffer + 5);
    bool targetUntouchedWhileWriting = false;
    EXPECT_TRUE(core::saveFileAtomically(path, [&](FileStream& stream) {
        writeBytes(stream, bytes);
        targetUntouchedWhileWriting = readFileBytes(path) == "old content that is longer than the new one";
        return true;
    }));
    EXPECT_TRUE(targetUntouchedWhileWriting);
    EXPECT_EQ(readFileBytes(path), bytes);
    EXPECT_EQ(namesIn(folder.path()), std::set<std::string>{"data.bin"});
}

TEST_F(AtomicSave, CreatesAMissingTarget) {
    EXPECT_TRUE(save(path, "fresh"));
    EXPECT_EQ(readFileBytes(path), "fresh");
    EXPECT_EQ(namesIn(folder.path()), std::set<std::string>{"data.bin"});
}

TEST_F(AtomicSave, GivingUpLeavesTheTargetUntouchedAndNoTemporaryFile) {
    writeFileBytes(path, "keep me");
    EXPECT_FALSE(core::saveFileAtomically(path, [](FileStream& stream) {
        writeBytes(stream, "half a file");
        return false;
    }));
    EXPECT_EQ(readFileBytes(path), "keep me");
    EXPECT_EQ(namesIn(folder.path()), std::set<std::string>{"data.bin"});
}

TEST_F(AtomicSave, GivingUpWithoutATargetLeavesNothing) {
    EXPECT_FALSE(core::saveFileAtomically(path, [](FileStream&) { return false; }));
    EXPECT_TRUE(namesIn(folder.path()).empty());
}

TEST_F(AtomicSave, FolderAsTargetFails) {
    const std::filesystem::path target = folder.path() / "folder";
    std::filesystem::create_directory(target);
    EXPECT_FALSE(save(target.string(), "bytes"));
    EXPECT_TRUE(std::filesystem::is_directory(target));
    EXPECT_EQ(namesIn(folder.path()), std::set<std::string>{"folder"});
}

TEST_F(AtomicSave, MissingFolderFails) {
    const std::filesystem::path target = folder.path() / "missing" / "out.bin";
    EXPECT_FALSE(save(target.string(), "bytes"));
    EXPECT_TRUE(namesIn(folder.path()).empty());
}

#ifndef _WIN32
TEST_F(AtomicSave, KeepsThePermissionsOfTheReplacedFile) {
    using std::filesystem::perms;
    writeFileBytes(path, "old");
    const perms unusual = perms::owner_read | perms::owner_write | perms::group_read | perms::others_exec;
    std::filesystem::permissions(path, unusual);
    EXPECT_TRUE(save(path, "new"));
    EXPECT_EQ(std::filesystem::status(path).permissions(), unusual);
}

TEST_F(AtomicSave, NewFileGetsThePermissionsOfAnyNewFile) {
    const std::string plain = folder.file("plain.bin");
    writeFileBytes(plain, "made the usual way");
    EXPECT_TRUE(save(path, "new"));
    EXPECT_EQ(std::filesystem::status(path).permissions(), std::filesystem::status(plain).permissions());
}

TEST_F(AtomicSave, SavingThroughALinkKeepsTheLink) {
    const std::string link = folder.file("link.bin");
    writeFileBytes(path, "old");
    std::filesystem::create_symlink(path, link);
    EXPECT_TRUE(save(link, "new"));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(readFileBytes(path), "new");
    EXPECT_EQ(namesIn(folder.path()), (std::set<std::string>{"data.bin", "link.bin"}));
}
#endif

TEST(FolderExists, OnlyExistingFoldersCount) {
    TempFolder folder;
    writeFileBytes(folder.file("file.bin"), "x");
    EXPECT_TRUE(core::folderExists(folder.path().string()));
    EXPECT_TRUE(core::folderExists(folder.path().string() + "/"));
    EXPECT_FALSE(core::folderExists(folder.file("file.bin")));
    EXPECT_FALSE(core::folderExists(folder.file("missing")));
    EXPECT_FALSE(core::folderExists(""));
}

}  // namespace
