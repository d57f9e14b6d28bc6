// UnzipDatei on real files under Wine: folders, attributes and file times
// read back from the file system, damaged and unsafe entries.
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

#include "pictoharvest/update/unzip_win32.h"
#include "pictoharvest/update/zip_format.h"
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

FixtureEntry Entry(std::string name, std::vector<std::uint8_t> data, std::uint32_t external = 0x81A40000) {
    FixtureEntry entry;
    entry.name = std::move(name);
    entry.data = std::move(data);
    entry.external = external;
    return entry;
}

std::uint64_t Ticks(const FILETIME& time) {
    return (std::uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime;
}

struct Times {
    std::uint64_t creation = 0, access = 0, write = 0;
};

Times ReadTimes(const std::string& path) {
    Times times;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(file, INVALID_HANDLE_VALUE) << path;
    if (file == INVALID_HANDLE_VALUE) return times;
    FILETIME creation, access, write;
    EXPECT_TRUE(GetFileTime(file, &creation, &access, &write));
    CloseHandle(file);
    return {Ticks(creation), Ticks(access), Ticks(write)};
}

std::vector<std::string> Everything(const fs::path& root) {
    std::vector<std::string> all;
    for (const auto& item : fs::recursive_directory_iterator(root))
        all.push_back(fs::relative(item.path(), root).generic_string());
    std::sort(all.begin(), all.end());
    return all;
}

class UnzipDateiTest : public ::testing::Test {
protected:
    void SetUp() override {
        GetCurrentDirectoryA(sizeof startFolder, startFolder);
        fs::create_directory(dest());
    }
    void TearDown() override {
        SetCurrentDirectoryA(startFolder);
        // Read-only files would keep the scratch folder alive.
        for (const auto& item : fs::recursive_directory_iterator(scratch.path()))
            SetFileAttributesA(item.path().string().c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    bool Unzip(const std::vector<std::uint8_t>& archive) {
        ph::testing::WriteBytes(archivePath(), archive);
        results.clear();
        return UnzipDatei(dest().string(), archivePath().string(),
                          [this](std::int32_t, const char* name, UnzipResult result) {
                              results.emplace_back(name, result);
                          });
    }
    fs::path dest() const { return scratch.path() / "dest"; }
    fs::path archivePath() const { return scratch.path() / "update.zip"; }
    std::string In(const std::string& name) const { return (dest() / name).string(); }
    UnzipResult ResultOf(const std::string& name) const {
        for (const auto& [n, r] : results)
            if (n == name) return r;
        ADD_FAILURE() << "no entry " << name;
        return UnzipBadArguments;
    }

    ph::testing::TempDir scratch;
    char startFolder[MAX_PATH] = {};
    std::vector<std::pair<std::string, UnzipResult>> results;
};

TEST_F(UnzipDateiTest, FoldersAttributesAndTimes) {
    const std::uint32_t dosTime = DosDateTime(2023, 7, 14, 9, 30, 44);
    Fixture fixture;
    fixture.prefix.assign(512, 'S');  // a self-extractor's stub
    FixtureEntry folder = Entry("folder/", {}, 0x41ED0010);
    FixtureEntry unix = Entry("folder/unix.txt", Text("from unix"));
    unix.localExtra = TimestampBlock(3, {1500000000, 1500000500});
    FixtureEntry dos = Entry("dos.txt", Text("from dos"), 0x21);
    dos.dosTime = dosTime;
    FixtureEntry hidden = Entry("hidden.txt", Text("h"), 0x22);
    FixtureEntry nested = Entry("a\\b/c.txt", Text("nested"));
    FixtureEntry empty = Entry("empty.txt", {});
    FixtureEntry described = Entry("described.bin", std::vector<std::uint8_t>(40000, 'd'));
    described.deflate = described.dataDescriptor = true;
    fixture.entries = {folder, unix, dos, hidden, nested, empty, described};

    const DWORD start = GetTickCount();
    ASSERT_TRUE(Unzip(BuildZip(fixture)));
    EXPECT_GE(GetTickCount() - start, 190u);
    ASSERT_EQ(results.size(), fixture.entries.size());
    for (const auto& [name, result] : results) EXPECT_EQ(result, UnzipOk) << name;

    char here[MAX_PATH];
    GetCurrentDirectoryA(sizeof here, here);
    EXPECT_EQ(lstrcmpiA(here, dest().string().c_str()), 0) << here;

    EXPECT_EQ(GetFileAttributesA(In("folder").c_str()) & ~FILE_ATTRIBUTE_ARCHIVE, DWORD{FILE_ATTRIBUTE_DIRECTORY});
    EXPECT_FALSE(GetFileAttributesA(In("folder\\unix.txt").c_str()) & FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(GetFileAttributesA(In("dos.txt").c_str()) & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE),
              DWORD{FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE});
    EXPECT_TRUE(GetFileAttributesA(In("hidden.txt").c_str()) & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_TRUE(GetFileAttributesA(In("hidden.txt").c_str()) & FILE_ATTRIBUTE_READONLY);

    // The 'UT' block's times; Linux keeps no settable creation time.
    const Times unixTimes = ReadTimes(In("folder\\unix.txt"));
    EXPECT_EQ(unixTimes.write, UnixTimeToFileTime(1500000000));
    EXPECT_EQ(unixTimes.access, UnixTimeToFileTime(1500000500));
    // The DOS time as it stands, without time-zone conversion.
    FILETIME expected;
    ASSERT_TRUE(DosDateTimeToFileTime(HIWORD(dosTime), LOWORD(dosTime), &expected));
    const Times dosTimes = ReadTimes(In("dos.txt"));
    EXPECT_EQ(dosTimes.write, Ticks(expected));
    EXPECT_EQ(dosTimes.access, Ticks(expected));

    EXPECT_EQ(ph::testing::ReadBytes(dest() / "a" / "b" / "c.txt"), Text("nested"));
    EXPECT_EQ(fs::file_size(dest() / "empty.txt"), 0u);
    EXPECT_EQ(ph::testing::ReadBytes(dest() / "described.bin"), described.data);
}

TEST_F(UnzipDateiTest, DamagedAndUnsafeEntriesLeaveNothingBehind) {
    Fixture fixture;
    FixtureEntry damaged = Entry("damaged.txt", Text("read-only and one byte wrong"), 0x01);
    fixture.entries = {damaged};
    for (const char* name : {"..\\outside.txt", "../outside2.txt", "sub\\..\\..\\outside3.txt", "C:\\abs.txt",
                             "\\rooted.txt", "stream.txt:hidden", "nul", "..\\up\\"})
        fixture.entries.push_back(Entry(name, Text("bad")));
    fixture.entries.push_back(Entry("..\\updir\\", {}, 0x10));
    fixture.entries.push_back(Entry("locked.txt", Text("new")));
    fixture.entries.push_back(Entry("kept.txt", Text("kept")));
    auto archive = BuildZip(fixture);
    archive[testing::DataOffset(fixture, 0) + 3] ^= 0x20;

    // Held open without sharing, as a running program holds its files.
    ph::testing::WriteBytes(dest() / "locked.txt", Text("old"));
    HANDLE locked = CreateFileA(In("locked.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(locked, INVALID_HANDLE_VALUE);
    const bool unpacked = Unzip(archive);
    CloseHandle(locked);
    ASSERT_TRUE(unpacked);
    EXPECT_EQ(ResultOf("damaged.txt"), UnzipWriteFailed);
    for (const char* name : {"..\\outside.txt", "../outside2.txt", "C:\\abs.txt", "stream.txt:hidden", "nul",
                             "..\\updir\\"})
        EXPECT_EQ(ResultOf(name), UnzipCannotOpen) << name;
    EXPECT_EQ(ResultOf("locked.txt"), UnzipCannotOpen);
    EXPECT_EQ(ResultOf("kept.txt"), UnzipOk);
    EXPECT_EQ(ph::testing::ReadBytes(dest() / "locked.txt"), Text("old"));
    EXPECT_EQ(GetFileAttributesA("C:\\abs.txt"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesA("C:\\rooted.txt"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(Everything(scratch.path()),
              (std::vector<std::string>{"dest", "dest/kept.txt", "dest/locked.txt", "update.zip"}));
}

TEST_F(UnzipDateiTest, FalseWhenTheArchiveCannotBeUnpacked) {
    ph::testing::WriteBytes(archivePath(), Text("no archive"));
    EXPECT_FALSE(UnzipDatei(dest().string(), archivePath().string()));
    EXPECT_FALSE(UnzipDatei(dest().string(), (scratch.path() / "missing.zip").string()));
    EXPECT_FALSE(UnzipDatei((scratch.path() / "no-folder").string(), archivePath().string()));
    // An end record alone at offset 0, and one pushed too far by its comment.
    ph::testing::WriteBytes(archivePath(), BuildZip(Fixture{}));
    EXPECT_FALSE(UnzipDatei(dest().string(), archivePath().string()));
    Fixture commented;
    commented.entries = {Entry("a.txt", Text("a"))};
    commented.comment.assign(65514, '#');
    ph::testing::WriteBytes(archivePath(), BuildZip(commented));
    EXPECT_FALSE(UnzipDatei(dest().string(), archivePath().string()));
    EXPECT_TRUE(fs::is_empty(dest()));
}

TEST(UnzipTimes, DosConversionMatchesTheSystem) {
    // Not 29 February of a common year: Wine takes it for 1 March there.
    for (std::uint32_t value : {DosDateTime(1980, 1, 1, 0, 0, 0), DosDateTime(2000, 2, 29, 12, 0, 2),
                                DosDateTime(2107, 12, 31, 23, 59, 58), DosDateTime(2023, 4, 31, 0, 0, 0),
                                DosDateTime(2023, 1, 1, 0, 0, 60), DosDateTime(2023, 13, 1, 0, 0, 0), 0u,
                                0x584A6B2Du}) {
        FILETIME system{};
        const bool valid = DosDateTimeToFileTime(HIWORD(value), LOWORD(value), &system);
        EXPECT_EQ(DosTimeToFileTime(value), valid ? Ticks(system) : 0u) << std::hex << value;
    }
}

}  // namespace
}  // namespace ph::update
