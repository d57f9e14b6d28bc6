// Glyphsmith as the main program starts it and as people use it: real
// processes, real files, the real registry; failing exports show a box
// that the test finds, reads and closes.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "icon_fixtures.h"
#include "wine_test_children.h"
#include "pictoharvest/icons/icon_file_win32.h"
#include "pictoharvest/icons/picture.h"
#include "test_support.h"

namespace ph {
namespace {

std::string WindowsPath(std::string path) {
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

const std::string kGlyphsmith = WindowsPath(PH_GLYPHSMITH_EXE);
const std::string kTwelve = WindowsPath(std::string(PH_MODULE_FIXTURES) + "/twelve_groups.dll");
const std::string kWide = WindowsPath(std::string(PH_MODULE_FIXTURES) + "/wide64.dll");

// A started Glyphsmith; ended by its id if it is still running when the
// test lets go of it.
class Child {
public:
    Child(const std::string& parameters, bool capture) {
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        if (capture) {
            HANDLE outRead, outWrite, errRead, errWrite;
            CreatePipe(&outRead, &outWrite, &inherit, 0);
            CreatePipe(&errRead, &errWrite, &inherit, 0);
            SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
            SetHandleInformation(errRead, HANDLE_FLAG_INHERIT, 0);
            startup.dwFlags = STARTF_USESTDHANDLES;
            startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
            startup.hStdOutput = outWrite;
            startup.hStdError = errWrite;
            out_ = std::thread(Drain, outRead, &stdout_);
            err_ = std::thread(Drain, errRead, &stderr_);
            writeEnds_ = {outWrite, errWrite};
        }
        std::string line = "\"" + kGlyphsmith + "\" " + parameters;
        started_ = CreateProcessA(nullptr, line.data(), nullptr, nullptr, capture, 0, nullptr, nullptr, &startup,
                                  &process_) != 0;
        for (HANDLE h : writeEnds_) CloseHandle(h);
        if (started_) ph::testing::RegisterChildProcess(process_.dwProcessId);
    }
    ~Child() {
        if (started_) {
            if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process_.hProcess, 99);
            ph::testing::ForgetChildProcess(process_.dwProcessId);
            CloseHandle(process_.hProcess);
            CloseHandle(process_.hThread);
        }
        if (out_.joinable()) out_.join();
        if (err_.joinable()) err_.join();
    }
    bool started() const { return started_; }
    DWORD id() const { return process_.dwProcessId; }

    // The exit code, or 259 when it did not end in time.
    DWORD Wait(DWORD milliseconds = 20000) {
        if (WaitForSingleObject(process_.hProcess, milliseconds) != WAIT_OBJECT_0) return STILL_ACTIVE;
        DWORD code = 0;
        GetExitCodeProcess(process_.hProcess, &code);
        if (out_.joinable()) out_.join();
        if (err_.joinable()) err_.join();
        return code;
    }
    const std::string& out() const { return stdout_; }
    const std::string& err() const { return stderr_; }

private:
    static void Drain(HANDLE pipe, std::string* text) {
        char buffer[4096];
        DWORD got = 0;
        while (ReadFile(pipe, buffer, sizeof buffer, &got, nullptr) && got > 0) text->append(buffer, got);
        CloseHandle(pipe);
    }
    PROCESS_INFORMATION process_{};
    bool started_ = false;
    std::thread out_, err_;
    std::vector<HANDLE> writeEnds_;
    std::string stdout_, stderr_;
};

struct Box {
    std::string caption;
    std::string text;
};

struct Search {
    DWORD process;
    HWND box = nullptr;
};

BOOL CALLBACK FindBoxOf(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char name[32] = {};
    GetClassNameA(window, name, sizeof name);
    if (owner == search->process && std::string(name) == "#32770" && IsWindowVisible(window)) {
        search->box = window;
        return FALSE;
    }
    return TRUE;
}

// Finds the message box of the child, reads it and presses its button.
std::optional<Box> AnswerBox(const Child& child, DWORD milliseconds = 15000) {
    Search search{child.id()};
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (!search.box && std::chrono::steady_clock::now() < deadline) {
        EnumWindows(FindBoxOf, reinterpret_cast<LPARAM>(&search));
        if (!search.box) Sleep(20);
    }
    if (!search.box) return std::nullopt;
    Box box;
    char text[2048] = {};
    GetWindowTextA(search.box, text, sizeof text);
    box.caption = text;
    text[0] = 0;
    GetDlgItemTextA(search.box, 0xFFFF, text, sizeof text);
    box.text = text;
    PostMessageA(search.box, WM_COMMAND, IDOK, 0);
    return box;
}

std::vector<std::string> FolderEntries(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class Images : public IconImageSink, public IconReadReporter {
public:
    void AppendImage(const IconImage& image, int, int) override { bits.push_back(image.bits); }
    void Report(IconReadError, std::string_view) override { ++errors; }
    std::vector<std::vector<std::uint8_t>> bits;
    int errors = 0;
};

// The settings value the pictures take their background from.
class ScopedBackground {
public:
    explicit ScopedBackground(const char* text) {
        RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Pictoharvest\\Options", 0, nullptr, 0, KEY_WRITE, nullptr, &key_,
                        nullptr);
        if (text) RegSetValueExA(key_, "BackColorBMP", 0, REG_SZ, reinterpret_cast<const BYTE*>(text), lstrlenA(text) + 1);
        else RegDeleteValueA(key_, "BackColorBMP");
    }
    ~ScopedBackground() {
        RegDeleteValueA(key_, "BackColorBMP");
        RegCloseKey(key_);
    }

private:
    HKEY key_ = nullptr;
};

TEST(Glyphsmith, IconFileHoldsTheImagesByteForByte) {
    testing::TempDir dir;
    const std::string destination = dir.File("mine.ico");
    Child child("/0/" + kTwelve + "/" + destination + "/7/1;0;/", false);
    ASSERT_TRUE(child.started());
    EXPECT_EQ(child.Wait(), 0u);
    Images images;
    ReadIconFile(destination, images, images);
    EXPECT_EQ(images.errors, 0);
    ASSERT_EQ(images.bits.size(), 2u);
    EXPECT_EQ(images.bits[0], testing::MakeDibImage(16, 16, 4));
    EXPECT_EQ(images.bits[1], testing::MakePngImage(64, 64));
    const auto file = testing::ReadBytes(destination);
    // Directory entries from the images' own headers.
    const std::vector<std::uint8_t> entries(file.begin() + 6, file.begin() + 6 + 12);
    EXPECT_EQ(entries, (std::vector<std::uint8_t>{16, 16, 16, 0, 1, 0, 4, 0, 0x28, 0x01, 0, 0}));
    EXPECT_EQ(std::vector<std::uint8_t>(file.begin() + 22, file.begin() + 30),
              (std::vector<std::uint8_t>{64, 64, 0, 0, 1, 0, 32, 0}));
    EXPECT_EQ(FolderEntries(dir.path()), std::vector<std::string>{"mine.ico"});
}

TEST(Glyphsmith, GroupsByNameAndIconFilesAsSources) {
    testing::TempDir dir;
    Child named("/0/" + kTwelve + "/" + dir.File("named.ico") + "/FIXTURE_NAMED/1;/", false);
    EXPECT_EQ(named.Wait(), 0u);
    Images images;
    ReadIconFile(dir.File("named.ico"), images, images);
    ASSERT_EQ(images.bits.size(), 1u);
    EXPECT_EQ(images.bits[0], testing::MakeDibImage(32, 32, 1));

    testing::WriteBytes(dir.path() / "three.ico",
                        testing::MakeIconFile({{testing::MakeDibImage(16, 16, 8)}, {testing::MakeDibImage(32, 32, 24)},
                                               {testing::MakeDibImage(48, 48, 1)}}));
    Child fromIco("/0/" + dir.File("three.ico") + "/" + dir.File("out.ico") + "/0/2;1;/", false);
    EXPECT_EQ(fromIco.Wait(), 0u);
    Images out;
    ReadIconFile(dir.File("out.ico"), out, out);
    EXPECT_EQ(out.bits, (std::vector<std::vector<std::uint8_t>>{testing::MakeDibImage(48, 48, 1),
                                                                testing::MakeDibImage(32, 32, 24)}));
}

TEST(Glyphsmith, BitmapsAreDrawnOntoTheStoredBackground) {
    const struct {
        const char* stored;
        testing::Rgb background;
        int group, position, side, bitCount;
    } cases[] = {
        {"clYellow", {255, 255, 0}, 1, 2, 48, 32},
        {"$00808000", {0, 128, 128}, 1, 0, 16, 4},
        {nullptr, {255, 255, 255}, 8, 0, 32, 1},
        {"clBlack", {0, 0, 0}, 7, 0, 64, 32},  // PNG
    };
    for (const auto& c : cases) {
        ScopedBackground background(c.stored);
        testing::TempDir dir;
        const std::string destination = dir.File("p.bmp");
        Child child("/1/" + kTwelve + "/" + destination + "/" + std::to_string(c.group) + "/" +
                        std::to_string(c.position) + ";/", false);
        ASSERT_EQ(child.Wait(), 0u) << c.side;
        const auto file = testing::ReadBytes(destination);
        ASSERT_GE(file.size(), 54u);
        const auto u32 = [&](std::size_t at) { return file[at] | file[at + 1] << 8 | file[at + 2] << 16 | file[at + 3] << 24; };
        EXPECT_EQ(u32(18), static_cast<unsigned>(c.side));
        EXPECT_EQ(u32(22), static_cast<unsigned>(c.side));
        EXPECT_EQ(file[28], 24);
        const std::size_t stride = (c.side * 3 + 3) / 4 * 4;
        ASSERT_EQ(file.size(), 54 + stride * c.side);
        for (int quadrant = 0; quadrant < 4; ++quadrant) {
            const int x = quadrant % 2 ? c.side * 3 / 4 : c.side / 4, y = quadrant / 2 ? c.side * 3 / 4 : c.side / 4;
            const std::size_t at = 54 + (c.side - 1 - y) * stride + 3 * x;
            const testing::Rgb got{file[at + 2], file[at + 1], file[at]};
            const testing::Rgb want = quadrant == 3 ? c.background : testing::QuadrantColour(c.bitCount, quadrant);
            EXPECT_EQ(got, want) << c.side << " quadrant " << quadrant;
        }
    }
}

TEST(Glyphsmith, JpegThroughTheSystemEncoder) {
    ScopedBackground background("clWhite");
    testing::TempDir dir;
    const std::string destination = dir.File("p.jpg");
    Child child("/2/" + kTwelve + "/" + destination + "/1/2;/", false);
    ASSERT_EQ(child.Wait(), 0u);
    const auto file = testing::ReadBytes(destination);
    ASSERT_GT(file.size(), 100u);
    EXPECT_EQ(std::vector<std::uint8_t>(file.begin(), file.begin() + 3), (std::vector<std::uint8_t>{0xFF, 0xD8, 0xFF}));
    EXPECT_EQ(std::vector<std::uint8_t>(file.end() - 2, file.end()), (std::vector<std::uint8_t>{0xFF, 0xD9}));
}

TEST(Glyphsmith, FailuresSayWhyAndLeaveNothingBehind) {
    testing::TempDir dir;
    testing::WriteBytes(dir.path() / "notes.txt", {'t', 'e', 'x', 't'});
    const std::string out = dir.File("out.ico");
    const std::string missingFolder = dir.File("no such folder") + "\\out.ico";
    // A folder where the file should go: the picture is written in full
    // beside it, and then the move over the folder fails.
    const std::string taken = dir.File("taken");
    std::filesystem::create_directory(taken);
    const struct {
        std::string line;
        DWORD exitCode;
        std::string text;
    } cases[] = {
        {"/9/" + kTwelve + "/" + out + "/1/0;/", 2, "Die Befehlszeile ist ungültig:\r\n/9/" + kTwelve + "/" + out + "/1/0;/"},
        {"/0/" + kTwelve + "/" + out + "/1//", 2, "Die Befehlszeile ist ungültig:\r\n/0/" + kTwelve + "/" + out + "/1//"},
        {"/0/" + dir.File("notes.txt") + "/" + out + "/1/0;/", 3,
         "Error Loading File - Choose a 32bit DLL or EXE\r\n" + dir.File("notes.txt")},
        {"/0/" + dir.File("gone.ico") + "/" + out + "/0/0;/", 3, "Error Opening File for Reading\r\n" + dir.File("gone.ico")},
        {"/0/" + kTwelve + "/" + out + "/99/0;/", 4, "Die Icongruppe 99 gibt es in der Datei nicht:\r\n" + kTwelve},
        {"/0/" + kTwelve + "/" + out + "/1/0;3;/", 5, "Die Icongruppe 1 hat kein Bild an Position 3:\r\n" + kTwelve},
        {"/0/" + kTwelve + "/" + out + "/2/1;/", 5, "Die Icongruppe 2 hat kein Bild an Position 1:\r\n" + kTwelve},
        {"/0/" + kTwelve + "/" + out + "/6/1;/", 3, "Error Converting to Internal Format\r\n" + kTwelve},
        {"/0/" + kTwelve + "/" + missingFolder + "/1/0;/", 7, "Die Datei lässt sich nicht schreiben:\r\n" + missingFolder},
        {"/0/" + kTwelve + "/" + taken + "/1/0;/", 7, "Die Datei lässt sich nicht schreiben:\r\n" + taken},
    };
    for (const auto& c : cases) {
        Child child(c.line, true);
        ASSERT_TRUE(child.started());
        const auto box = AnswerBox(child);
        ASSERT_TRUE(box) << c.line;
        EXPECT_EQ(box->caption, "Glyphsmith");
        EXPECT_EQ(box->text, c.text);
        EXPECT_EQ(child.Wait(), c.exitCode) << c.line;
        EXPECT_EQ(child.err(), c.text + "\r\n");
        EXPECT_EQ(FolderEntries(dir.path()), (std::vector<std::string>{"notes.txt", "taken"})) << c.line;
    }
}

TEST(Glyphsmith, ReplacesAnExistingFileOnlyWhenItSucceeds) {
    testing::TempDir dir;
    const std::string destination = dir.File("keep.ico");
    testing::WriteBytes(destination, {'o', 'l', 'd'});
    {
        Child failing("/0/" + kTwelve + "/" + destination + "/1/7;/", true);
        ASSERT_TRUE(AnswerBox(failing));
        EXPECT_EQ(failing.Wait(), 5u);
    }
    EXPECT_EQ(testing::ReadBytes(destination), (std::vector<std::uint8_t>{'o', 'l', 'd'}));
    Child replacing("/0/" + kTwelve + "/" + destination + "/3/0;/", false);
    EXPECT_EQ(replacing.Wait(), 0u);
    Images images;
    ReadIconFile(destination, images, images);
    EXPECT_EQ(images.bits, std::vector<std::vector<std::uint8_t>>{testing::MakeDibImage(32, 32, 8)});
}

TEST(Glyphsmith, SeveralAtOnce) {
    testing::TempDir dir;
    std::vector<std::unique_ptr<Child>> children;
    for (int i = 0; i < 6; ++i)
        children.push_back(std::make_unique<Child>(
            "/" + std::to_string(i % 2) + "/" + kTwelve + "/" + dir.File("same" + std::string(i % 2 ? ".bmp" : ".ico")) +
                "/1/" + std::to_string(i % 3) + ";/", false));
    for (auto& child : children) EXPECT_EQ(child->Wait(), 0u);
    EXPECT_EQ(FolderEntries(dir.path()), (std::vector<std::string>{"same.bmp", "same.ico"}));
}

TEST(Glyphsmith, ListsGroupsAndImagesAsThePanesShowThem) {
    Child child("--list " + kWide, true);
    EXPECT_EQ(child.Wait(), 0u);
    EXPECT_EQ(child.out(),
              "wide64 001\t1\r\n"
              "\tIcon #0 (101)\t16X16, 16 Farben\r\n"
              "\tIcon #1 (102)\t32X32, 256 Farben\r\n"
              "\tIcon #2 (103)\t48X48, XP\r\n"
              "wide64 002\t2\r\n"
              "\tIcon #0 (105)\t64X64, XP\r\n"
              "\tIcon #1 (101)\t16X16, 16 Farben\r\n");
    EXPECT_EQ(child.err(), "");

    testing::TempDir dir;
    testing::WriteBytes(dir.path() / "notes.txt", {'t'});
    Child refused("--list " + dir.File("notes.txt"), true);
    EXPECT_EQ(refused.Wait(), 3u);
    EXPECT_EQ(refused.out(), "");
    EXPECT_EQ(refused.err(), dir.File("notes.txt") + ": Error Loading File - Choose a 32bit DLL or EXE\r\n");

    Child usage("--frobnicate", true);
    EXPECT_EQ(usage.Wait(), 2u);
    EXPECT_NE(usage.err().find("usage: Glyphsmith.exe --list FILE"), std::string::npos);
}

TEST(Glyphsmith, ExtractsEveryGroupOrEveryImage) {
    testing::TempDir dir;
    Child icons("--extract " + kWide + " " + dir.File("ico"), true);
    EXPECT_EQ(icons.Wait(), 0u);
    EXPECT_EQ(icons.out(), dir.File("ico") + "\\wide64(1).ico\r\n" + dir.File("ico") + "\\wide64(2).ico\r\n");
    EXPECT_EQ(FolderEntries(dir.path() / "ico"), (std::vector<std::string>{"wide64(1).ico", "wide64(2).ico"}));

    Child pictures("--extract " + kWide + " " + dir.File("bmp") + " --format bmp", true);
    EXPECT_EQ(pictures.Wait(), 0u);
    EXPECT_EQ(FolderEntries(dir.path() / "bmp"),
              (std::vector<std::string>{"wide64(101).bmp", "wide64(102).bmp", "wide64(103).bmp", "wide64(105).bmp"}));

    Child broken("--extract " + kTwelve + " " + dir.File("twelve"), true);
    EXPECT_EQ(broken.Wait(), 3u);  // group 6 holds an image shorter than its header
    EXPECT_EQ(broken.err(), "Error Converting to Internal Format\r\n" + kTwelve + "\r\n");
    EXPECT_EQ(FolderEntries(dir.path() / "twelve").size(), 11u);  // every group with images
}

}  // namespace
}  // namespace ph
