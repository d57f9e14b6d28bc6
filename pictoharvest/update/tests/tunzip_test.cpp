#include "pictoharvest/update/tunzip.h"

#include <sys/stat.h>

#include <zlib.h>

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

#include "pictoharvest/update/native_unzip.h"
#include "test_support.h"
#include "zip_fixture.h"

namespace ph::update {
namespace {

namespace fs = std::filesystem;
using testing::BuildZip;
using testing::DosDateTime;
using testing::Fixture;
using testing::FixtureEntry;
using testing::Text;
using testing::TimestampBlock;

std::vector<std::uint8_t> Pattern(std::size_t size) {
    std::vector<std::uint8_t> data(size);
    std::uint32_t x = 12345;
    for (auto& b : data) {
        x = x * 1103515245 + 12345;
        b = static_cast<std::uint8_t>((x >> 16) % 7 + 'a');  // compressible, not trivial
    }
    return data;
}

FixtureEntry Entry(std::string name, std::vector<std::uint8_t> data, bool deflate = false) {
    FixtureEntry entry;
    entry.name = std::move(name);
    entry.data = std::move(data);
    entry.deflate = deflate;
    return entry;
}

FixtureEntry Folder(std::string name) {
    FixtureEntry entry;
    entry.name = std::move(name);
    entry.external = 0x41ED0010;
    return entry;
}

// An archive unpacked the way the update does it (without the wait), into
// dest inside a scratch folder that holds nothing else but the archive.
class Unzipped : public ::testing::Test {
protected:
    struct Result {
        std::string name;
        UnzipResult result;
    };

    bool Run(const std::vector<std::uint8_t>& archive) {
        fs::create_directory(dest());
        ph::testing::WriteBytes(archivePath(), archive);
        results.clear();
        NativeUnzipSystem system(false);
        return RunUnzipDatei(system, dest().string(), archivePath().string(),
                             [this](std::int32_t index, const char* name, UnzipResult result) {
                                 EXPECT_EQ(index, static_cast<std::int32_t>(results.size()));
                                 results.push_back({name, result});
                             });
    }
    std::unique_ptr<TUnzip> Open(const std::vector<std::uint8_t>& archive, UnzipResult& result) {
        fs::create_directory(dest());
        ph::testing::WriteBytes(archivePath(), archive);
        return TUnzip::Open(OpenNativeZipInput(archivePath().string()), MakeNativeOutput(dest().string()), result);
    }
    fs::path dest() const { return scratch.path() / "dest"; }
    fs::path archivePath() const { return scratch.path() / "archive.zip"; }
    std::vector<std::uint8_t> Read(const std::string& name) const { return ph::testing::ReadBytes(dest() / name); }
    // Everything in the scratch folder, relative to it.
    std::vector<std::string> Everything() const {
        std::vector<std::string> all;
        for (const auto& item : fs::recursive_directory_iterator(scratch.path()))
            all.push_back(fs::relative(item.path(), scratch.path()).generic_string());
        std::sort(all.begin(), all.end());
        return all;
    }

    ph::testing::TempDir scratch;
    std::vector<Result> results;
};

TEST_F(Unzipped, EntriesAfterAPrefixStub) {
    Fixture fixture;
    fixture.prefix.assign(3000, 0x90);
    fixture.prefix[0] = 'M', fixture.prefix[1] = 'Z';
    fixture.entries = {Entry("stored.txt", Text("stored bytes")), Entry("packed.bin", Pattern(100000), true)};
    const auto archive = BuildZip(fixture);
    UnzipResult result;
    auto unzip = Open(archive, result);
    ASSERT_TRUE(unzip);
    EXPECT_EQ(unzip->BytesBefore(), 3000u);

    ASSERT_TRUE(Run(archive));
    ASSERT_EQ(results.size(), 2u);
    EXPECT_EQ(results[0].result, UnzipOk);
    EXPECT_EQ(results[1].result, UnzipOk);
    EXPECT_EQ(Read("stored.txt"), Text("stored bytes"));
    EXPECT_EQ(Read("packed.bin"), Pattern(100000));
    EXPECT_EQ(fs::current_path(), fs::canonical(dest()));
}

TEST_F(Unzipped, EndRecordAloneIsAcceptedOnlyAfterOtherBytes) {
    EXPECT_FALSE(Run(BuildZip(Fixture{})));
    UnzipResult result = UnzipOk;
    EXPECT_FALSE(Open(BuildZip(Fixture{}), result));
    EXPECT_EQ(result, UnzipCorrupt);

    Fixture prefixed;
    prefixed.prefix = {0};
    EXPECT_TRUE(Run(BuildZip(prefixed)));
    EXPECT_TRUE(results.empty());
}

TEST_F(Unzipped, CommentPushingTheEndRecordTooFarIsNotAZip) {
    Fixture fixture;
    fixture.entries = {Entry("a.txt", Text("a"))};
    fixture.comment.assign(65514, 'x');
    EXPECT_FALSE(Run(BuildZip(fixture)));
    fixture.comment.resize(65513);
    EXPECT_TRUE(Run(BuildZip(fixture)));
    EXPECT_EQ(Read("a.txt"), Text("a"));
}

TEST_F(Unzipped, NotAnArchiveOrNoArchive) {
    EXPECT_FALSE(Run(Text("just some text, no zip here")));
    NativeUnzipSystem system(false);
    EXPECT_FALSE(RunUnzipDatei(system, dest().string(), (scratch.path() / "missing.zip").string()));
    EXPECT_FALSE(RunUnzipDatei(system, (scratch.path() / "no-folder").string(), archivePath().string()));
}

TEST_F(Unzipped, NestedNamesWithoutFolderEntries) {
    Fixture fixture;
    fixture.entries = {Entry("a/b/c.txt", Text("c")), Entry("a\\d\\e.txt", Text("e")), Entry("a/b/f.txt", Text("f")),
                       Folder("g/h/")};
    ASSERT_TRUE(Run(BuildZip(fixture)));
    for (const auto& r : results) EXPECT_EQ(r.result, UnzipOk) << r.name;
    EXPECT_EQ(Read("a/b/c.txt"), Text("c"));
    EXPECT_EQ(Read("a/d/e.txt"), Text("e"));
    EXPECT_EQ(Read("a/b/f.txt"), Text("f"));
    EXPECT_TRUE(fs::is_directory(dest() / "g/h"));
}

TEST_F(Unzipped, DataDescriptorWithZeroLocalSizes) {
    Fixture fixture;
    FixtureEntry packed = Entry("packed.bin", Pattern(70000), true);
    packed.dataDescriptor = true;
    FixtureEntry stored = Entry("stored.bin", Pattern(5000));
    stored.dataDescriptor = true;
    fixture.entries = {packed, stored};
    ASSERT_TRUE(Run(BuildZip(fixture)));
    EXPECT_EQ(results[0].result, UnzipOk);
    EXPECT_EQ(results[1].result, UnzipOk);
    EXPECT_EQ(Read("packed.bin"), Pattern(70000));
    EXPECT_EQ(Read("stored.bin"), Pattern(5000));
}

TEST_F(Unzipped, ZeroLengthEntries) {
    Fixture fixture;
    fixture.entries = {Entry("empty-stored", {}), Entry("empty-packed", {}, true)};
    ASSERT_TRUE(Run(BuildZip(fixture)));
    EXPECT_EQ(results[0].result, UnzipOk);
    EXPECT_EQ(results[1].result, UnzipOk);
    EXPECT_TRUE(fs::is_regular_file(dest() / "empty-stored"));
    EXPECT_EQ(fs::file_size(dest() / "empty-stored"), 0u);
    EXPECT_EQ(fs::file_size(dest() / "empty-packed"), 0u);
}

TEST_F(Unzipped, DosTimeUnconvertedUnlessATimestampBlock) {
    Fixture fixture;
    FixtureEntry dos = Entry("dos.txt", Text("d"));
    dos.dosTime = DosDateTime(2024, 2, 10, 13, 25, 26);
    FixtureEntry unix = Entry("unix.txt", Text("u"));
    unix.localExtra = TimestampBlock(3, {1600000000, 1600000100});
    fixture.entries = {dos, unix};
    UnzipResult result;
    auto unzip = Open(BuildZip(fixture), result);
    ASSERT_TRUE(unzip);
    UnzipEntry entry;
    ASSERT_EQ(unzip->GetUnzipEntry(0, entry), UnzipOk);
    EXPECT_EQ(entry.modificationTime, UnixTimeToFileTime(1707571526));
    EXPECT_EQ(entry.creationTime, entry.modificationTime);
    ASSERT_EQ(unzip->GetUnzipEntry(1, entry), UnzipOk);
    EXPECT_EQ(entry.modificationTime, UnixTimeToFileTime(1600000000));
    EXPECT_EQ(entry.accessTime, UnixTimeToFileTime(1600000100));
    EXPECT_EQ(entry.creationTime, DosTimeToFileTime(fixture.entries[1].dosTime));

    ASSERT_TRUE(Run(BuildZip(fixture)));
    struct stat info {};
    ASSERT_EQ(stat((dest() / "dos.txt").c_str(), &info), 0);
    EXPECT_EQ(info.st_mtime, 1707571526);
    ASSERT_EQ(stat((dest() / "unix.txt").c_str(), &info), 0);
    EXPECT_EQ(info.st_mtime, 1600000000);
    EXPECT_EQ(info.st_atime, 1600000100);
}

TEST_F(Unzipped, DamagedDataLeavesNoFileAndTheOthersGoOn) {
    Fixture fixture;
    fixture.entries = {Entry("flipped.txt", Text("one corrupted byte in here")),
                       Entry("inflate-error.bin", Pattern(50000), true), Entry("good.txt", Text("good")),
                       Entry("short.bin", Pattern(3000), true), Entry("long.bin", Pattern(3000), true),
                       Entry("past-the-end.bin", Pattern(4000))};
    fixture.entries[3].uncompressedSize = 3001;  // the stream ends before the stated size
    fixture.entries[4].uncompressedSize = 2999;  // and here after it, with the CRC of what is stated
    fixture.entries[4].crc = static_cast<std::uint32_t>(crc32(0, Pattern(3000).data(), 2999));
    fixture.entries[5].compressedSize = fixture.entries[5].uncompressedSize = 0x100000;
    auto archive = BuildZip(fixture);
    archive[testing::DataOffset(fixture, 0) + 4] ^= 0x01;
    // A stored block's type bits, not a valid block type.
    auto offset = testing::DataOffset(fixture, 1);
    archive[offset] = static_cast<std::uint8_t>(archive[offset] | 0x06);
    ASSERT_TRUE(Run(archive));
    ASSERT_EQ(results.size(), 6u);
    EXPECT_EQ(results[0].result, UnzipWriteFailed);
    EXPECT_EQ(results[1].result, UnzipWriteFailed);
    EXPECT_EQ(results[2].result, UnzipOk);
    EXPECT_EQ(results[3].result, UnzipWriteFailed);
    EXPECT_EQ(results[4].result, UnzipWriteFailed);
    EXPECT_EQ(results[5].result, UnzipWriteFailed);
    EXPECT_EQ(Everything(), (std::vector<std::string>{"archive.zip", "dest", "dest/good.txt"}));
}

TEST_F(Unzipped, UnsafeNamesAreSkippedAndNothingLeavesTheFolder) {
    Fixture fixture;
    for (const char* name : {"../x", "..", "a/..", "a\\..\\..\\x", "a/../../y", "/abs", "\\abs", "C:drive",
                             "c:\\drive", "s.txt:stream", "nul", "aux.txt", "sub/../../z"}) {
        fixture.entries.push_back(Entry(name, Text("bad")));
        fixture.entries.push_back(Folder(std::string(name) + "/"));
    }
    fixture.entries.push_back(Entry("ok/kept.txt", Text("ok")));
    ASSERT_TRUE(Run(BuildZip(fixture)));
    ASSERT_EQ(results.size(), fixture.entries.size());
    for (std::size_t i = 0; i + 1 < results.size(); ++i) EXPECT_EQ(results[i].result, UnzipCannotOpen) << results[i].name;
    EXPECT_EQ(results.back().result, UnzipOk);
    EXPECT_EQ(Everything(), (std::vector<std::string>{"archive.zip", "dest", "dest/ok", "dest/ok/kept.txt"}));
}

TEST_F(Unzipped, UnsupportedEntriesFailOneByOne) {
    Fixture fixture;
    FixtureEntry method = Entry("method12.bin", Text("BZh9 not really"));
    method.method = 12;
    FixtureEntry encrypted = Entry("encrypted.bin", Text("0123456789ab secret"));
    encrypted.flags = 1;
    FixtureEntry zip64 = Entry("zip64.bin", Text("z"));
    zip64.compressedSize = zip64.uncompressedSize = 0xFFFFFFFF;
    fixture.entries = {method, encrypted, zip64, Entry("fine.txt", Text("fine"))};
    ASSERT_TRUE(Run(BuildZip(fixture)));
    EXPECT_EQ(results[0].result, UnzipCorrupt);
    EXPECT_EQ(results[1].result, UnzipCorrupt);
    EXPECT_EQ(results[2].result, UnzipCorrupt);
    EXPECT_EQ(results[3].result, UnzipOk);
    EXPECT_EQ(Everything(), (std::vector<std::string>{"archive.zip", "dest", "dest/fine.txt"}));
}

TEST_F(Unzipped, LocalHeaderMustAgreeWithTheCentralRecord) {
    Fixture fixture;
    fixture.entries = {Entry("a.txt", Text("aaaa")), Entry("b.txt", Text("bbbb")), Entry("c.txt", Text("cccc"))};
    auto archive = BuildZip(fixture);
    // Local CRC of a.txt, local method of b.txt.
    archive[14] ^= 0xFF;
    const std::size_t second = testing::DataOffset(fixture, 0) + 4;
    archive[second + 8] = 8;
    ASSERT_TRUE(Run(archive));
    EXPECT_EQ(results[0].result, UnzipCorrupt);
    EXPECT_EQ(results[1].result, UnzipCorrupt);
    EXPECT_EQ(results[2].result, UnzipOk);
}

TEST_F(Unzipped, EntryInformationAndTheWalk) {
    Fixture fixture;
    FixtureEntry hidden = Entry("first.txt", Text("1"));
    hidden.external = 0x81A40002;
    fixture.entries = {hidden, Entry("second.txt", Pattern(999), true), Entry("third.txt", Text("3"))};
    auto archive = BuildZip(fixture);
    UnzipResult result;
    auto unzip = Open(archive, result);
    ASSERT_TRUE(unzip);
    UnzipEntry entry;
    ASSERT_EQ(GetUnzipEntry(unzip.get(), -1, entry), UnzipOk);
    EXPECT_EQ(entry.index, 3);
    EXPECT_STREQ(entry.name, "");
    EXPECT_EQ(GetUnzipEntry(unzip.get(), -2, entry), UnzipBadArguments);
    EXPECT_EQ(GetUnzipEntry(unzip.get(), 3, entry), UnzipBadArguments);
    EXPECT_EQ(GetUnzipEntry(nullptr, 0, entry), UnzipBadArguments);
    EXPECT_EQ(UnzipEntryToFile(unzip.get(), 3, "x"), UnzipBadArguments);

    ASSERT_EQ(GetUnzipEntry(unzip.get(), 2, entry), UnzipOk);
    EXPECT_STREQ(entry.name, "third.txt");
    // Backwards: the walk starts again from the first entry.
    ASSERT_EQ(GetUnzipEntry(unzip.get(), 1, entry), UnzipOk);
    EXPECT_STREQ(entry.name, "second.txt");
    EXPECT_EQ(entry.uncompressedSize, 999);
    EXPECT_LT(entry.compressedSize, 999);
    EXPECT_EQ(entry.attributes, kAttributeNormal);
    ASSERT_EQ(GetUnzipEntry(unzip.get(), 0, entry), UnzipOk);
    EXPECT_EQ(entry.attributes, kAttributeNormal | kAttributeHidden);
    // Written under another name, after the walk moved on.
    ASSERT_EQ(GetUnzipEntry(unzip.get(), 2, entry), UnzipOk);
    EXPECT_EQ(UnzipEntryToFile(unzip.get(), 1, "renamed.bin"), UnzipOk);
    EXPECT_EQ(Read("renamed.bin"), Pattern(999));
    EXPECT_EQ(CloseUnzip(unzip), UnzipOk);
    EXPECT_EQ(CloseUnzip(unzip), UnzipBadArguments);
}

TEST_F(Unzipped, ABrokenCentralRecordMakesTheRestUnreachable) {
    Fixture fixture;
    fixture.entries = {Entry("a.txt", Text("a")), Entry("b.txt", Text("b")), Entry("c.txt", Text("c"))};
    auto archive = BuildZip(fixture);
    // The signature of the second central record.
    const std::size_t central = archive.size() - 22 - 3 * 46 - 15;
    ASSERT_EQ(archive[central + 46 + 5], 0x50);
    archive[central + 46 + 5] = 0;
    ASSERT_TRUE(Run(archive));
    EXPECT_EQ(results[0].result, UnzipOk);
    EXPECT_EQ(results[1].result, UnzipCorrupt);
    EXPECT_EQ(results[2].result, UnzipCorrupt);
}

TEST_F(Unzipped, LongNamesAreCut) {
    Fixture fixture;
    const std::string name(300, 'n');
    fixture.entries = {Entry(name, Text("long"))};
    UnzipResult result;
    auto unzip = Open(BuildZip(fixture), result);
    ASSERT_TRUE(unzip);
    UnzipEntry entry;
    ASSERT_EQ(unzip->GetUnzipEntry(0, entry), UnzipOk);
    EXPECT_EQ(std::string(entry.name), name.substr(0, 259));
}

}  // namespace
}  // namespace ph::update
