// The real Patchrunner.exe installing into a program folder made by the
// test, started as the update workflow starts it. The main program there is
// a stand-in that leaves a marker file; files in use are held open by the
// test, and the restart question is found on screen and answered.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "test_support.h"
#include "wine_test_children.h"

namespace ph {
namespace {

namespace fs = std::filesystem;

std::string WindowsPath(std::string path) {
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

const std::string kPatchrunner = WindowsPath(PH_PATCHRUNNER_EXE);
const std::string kMarkerProgram = WindowsPath(PH_MARKER_PROGRAM);
const char kQuestion[] =
    "Einige der zu aktualisierenden Dateien sind geöffnet und werden erst beim nächsten Systemstart "
    "aktualisiert\n\nSystem jetzt neu starten?";

std::string Upper(std::string text) {
    CharUpperBuffA(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

void WriteText(const fs::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

// The file's text, or "<missing>".
std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return "<missing>";
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// An installed program folder with an unpacked update in "temp_\temp1",
// laid out as the update workflow leaves it.
class ProgramFolder {
public:
    explicit ProgramFolder(const std::string& name = "Pictoharvest Test") : folder_(root_.path() / name) {
        fs::create_directories(folder_ / "temp_" / "temp1");
        fs::copy_file(kPatchrunner, folder_ / "Patchrunner.exe");
        fs::copy_file(kMarkerProgram, folder_ / "Pictoharvest.exe");
    }
    // As the main program has it: with a closing backslash.
    std::string Folder() const { return folder_.string() + "\\"; }
    // Built the way the workflow builds it, doubled backslash included.
    std::string Source() const { return Folder() + "\\temp_\\temp1"; }
    fs::path Installed(const std::string& name) const { return folder_ / name; }
    fs::path Unpacked(const std::string& name) const { return folder_ / "temp_" / "temp1" / name; }
    fs::path WorkFolder() const { return folder_ / "temp_"; }
    fs::path Marker() const { return folder_ / "marker.txt"; }
    std::vector<std::string> InstalledNames() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder_)) names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    ph::testing::TempDir root_;
    fs::path folder_;
};

// Patchrunner as the update workflow starts it: through the shell, "runas",
// hidden, with one parameter text.
class Installer {
public:
    Installer(const std::string& exe, const std::string& parameters) {
        SHELLEXECUTEINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = SEE_MASK_NOCLOSEPROCESS;
        info.lpVerb = "runas";
        info.lpFile = exe.c_str();
        info.lpParameters = parameters.c_str();
        info.nShow = SW_HIDE;
        started_ = GetTickCount();
        if (ShellExecuteExA(&info) && info.hProcess) {
            process_ = info.hProcess;
            id_ = GetProcessId(process_);
            ph::testing::RegisterChildProcess(id_);
        }
    }
    ~Installer() {
        if (!process_) return;
        if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) TerminateProcess(process_, 99);
        ph::testing::ForgetChildProcess(id_);
        CloseHandle(process_);
    }
    bool started() const { return process_ != nullptr; }
    DWORD id() const { return id_; }
    bool Running() const { return WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }
    // The exit code, or STILL_ACTIVE when it did not end in time.
    DWORD Wait(DWORD milliseconds = 15000) {
        if (WaitForSingleObject(process_, milliseconds) != WAIT_OBJECT_0) return STILL_ACTIVE;
        ended_ = GetTickCount();
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(process_, &code);
        return code;
    }
    // From the start to the end seen by Wait.
    DWORD Milliseconds() const { return ended_ - started_; }

private:
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
    DWORD started_ = 0, ended_ = 0;
};

// Waits for the main program's marker: its command line, or nothing.
std::optional<std::string> WaitForMarker(const ProgramFolder& folder, DWORD milliseconds) {
    const DWORD start = GetTickCount();
    do {
        // Just after its rename the marker may still be open for a moment.
        if (fs::exists(folder.Marker()))
            if (std::string text = ReadText(folder.Marker()); text != "<missing>") return text;
        Sleep(20);
    } while (GetTickCount() - start < milliseconds);
    return std::nullopt;
}

// The main program was started by name with no parameters.
void ExpectStartedPlainly(const ProgramFolder& folder) {
    const auto line = WaitForMarker(folder, 10000);
    ASSERT_TRUE(line) << "the main program was not started";
    const std::string program = Upper(folder.Folder() + "\\Pictoharvest.exe");
    std::string seen = Upper(*line);
    while (!seen.empty() && seen.back() == ' ') seen.pop_back();
    // The shell may quote the path; nothing may follow it.
    if (seen.size() >= 2 && seen.front() == '"' && seen.back() == '"') seen = seen.substr(1, seen.size() - 2);
    EXPECT_EQ(seen, program);
}

struct Box {
    HWND window = nullptr;
    std::string caption, text;
};

struct BoxSearch {
    DWORD process;
    HWND found = nullptr;
};

BOOL CALLBACK FindBox(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<BoxSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char name[32] = {};
    GetClassNameA(window, name, sizeof name);
    if (owner == search->process && std::string(name) == "#32770" && IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// The installer's message box, while the installer runs.
std::optional<Box> WaitForBox(const Installer& installer, DWORD milliseconds) {
    const DWORD start = GetTickCount();
    BoxSearch search{installer.id()};
    while (!search.found && installer.Running() && GetTickCount() - start < milliseconds) {
        EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
        if (!search.found) Sleep(20);
    }
    if (!search.found) return std::nullopt;
    Box box;
    box.window = search.found;
    char text[1024] = {};
    GetWindowTextA(box.window, text, sizeof text);
    box.caption = text;
    text[0] = 0;
    GetDlgItemTextA(box.window, 0xFFFF, text, sizeof text);
    box.text = text;
    return box;
}

// Presses the box's button as a click would.
void Press(const Box& box, int button) {
    HWND control = GetDlgItem(box.window, button);
    ASSERT_NE(control, nullptr);
    DWORD_PTR result = 0;
    SendMessageTimeoutA(control, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 5000, &result);
}

// The replacements scheduled for the next system start, as source and
// target pairs, read from the prefix's registry.
const char kSessionManager[] = "System\\CurrentControlSet\\Control\\Session Manager";
const char kPendingValue[] = "PendingFileRenameOperations";

std::vector<std::string> ReadPendingRenames() {
    std::vector<std::string> entries;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSessionManager, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return entries;
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(key, kPendingValue, nullptr, &type, nullptr, &size) == ERROR_SUCCESS && size > 0) {
        std::vector<char> data(size + 2, 0);
        RegQueryValueExA(key, kPendingValue, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size);
        // Source and target strings in turn; an empty target means "delete",
        // so only the list's own closing zero is dropped.
        for (std::size_t at = 0; at < size;) {
            const std::string entry(data.data() + at);
            entries.push_back(entry);
            at += entry.size() + 1;
        }
        if (entries.size() % 2 == 1 && entries.back().empty()) entries.pop_back();
    }
    RegCloseKey(key);
    return entries;
}

void WritePendingRenames(const std::vector<std::string>& entries) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSessionManager, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
    if (entries.empty()) {
        RegDeleteValueA(key, kPendingValue);
    } else {
        std::string data;
        for (const std::string& entry : entries) data += entry + '\0';
        data += '\0';
        RegSetValueExA(key, kPendingValue, 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(data.data()),
                       static_cast<DWORD>(data.size()));
    }
    RegCloseKey(key);
}

// A path as the system records it, for comparing: upper case, single
// backslashes, without the "\??\" prefix.
std::string Comparable(std::string path) {
    if (path.rfind("\\??\\", 0) == 0) path.erase(0, 4);
    std::string single;
    for (char c : path)
        if (!(c == '\\' && !single.empty() && single.back() == '\\')) single.push_back(c);
    return Upper(single);
}

// Removes, when it goes, every scheduled replacement that reads from the
// given folder, so the prefix's next start does not carry them out.
class PendingRenamesOf {
public:
    explicit PendingRenamesOf(const ProgramFolder& folder) : folder_(Comparable(folder.Folder())) {}
    ~PendingRenamesOf() {
        const auto all = ReadPendingRenames();
        std::vector<std::string> kept;
        for (std::size_t i = 0; i + 1 < all.size(); i += 2) {
            if (Comparable(all[i]).rfind(folder_, 0) == 0) continue;
            kept.push_back(all[i]);
            kept.push_back(all[i + 1]);
        }
        if (kept.size() != all.size()) WritePendingRenames(kept);
    }
    // The pairs that read from the folder: source, then target as recorded.
    std::vector<std::pair<std::string, std::string>> Pairs() const {
        const auto all = ReadPendingRenames();
        std::vector<std::pair<std::string, std::string>> pairs;
        for (std::size_t i = 0; i + 1 < all.size(); i += 2)
            if (Comparable(all[i]).rfind(folder_, 0) == 0) pairs.emplace_back(all[i], all[i + 1]);
        return pairs;
    }

private:
    std::string folder_;
};

// The test folder must not itself hold a word the installer skips on.
void CheckTestFolder(const ProgramFolder& folder) {
    const std::string upper = Upper(folder.Source());
    for (const char* word : {"SETUP", "HINWEIS", "INFO"})
        ASSERT_EQ(upper.find(word), std::string::npos) << "test folder holds " << word << ": " << folder.Source();
}

TEST(Patchrunner, PlainInstallCopiesDeletesTheWorkFolderAndStartsTheProgram) {
    ProgramFolder folder;
    CheckTestFolder(folder);
    PendingRenamesOf pending(folder);
    // Only the new main program can start: the installed one is no program.
    WriteText(folder.Installed("Pictoharvest.exe"), "old program");
    WriteText(folder.Installed("Glyphsmith.exe"), "old exporter");
    WriteText(folder.Installed("language.dat"), "1\r\n");
    fs::copy_file(kMarkerProgram, folder.Unpacked("Pictoharvest.exe"));
    WriteText(folder.Unpacked("Glyphsmith.exe"), "new exporter");
    WriteText(folder.Unpacked("language.dat"), "0\r\n");
    WriteText(folder.Unpacked("Hilfe.chm"), "help");
    WriteText(folder.Unpacked("Unlisted.dll"), "not listed");

    Installer installer(folder.Folder() + "Patchrunner.exe",
                        folder.Source() + ";" + folder.Folder() + ";Pictoharvest.exe;Glyphsmith.exe;language.dat;Hilfe.chm;");
    ASSERT_TRUE(installer.started());
    EXPECT_EQ(installer.Wait(), 0u);
    // 200 ms before the copies, 500 ms before the clean-up.
    EXPECT_GE(installer.Milliseconds(), 700u);
    ExpectStartedPlainly(folder);

    EXPECT_EQ(ReadText(folder.Installed("Glyphsmith.exe")), "new exporter");
    EXPECT_EQ(ReadText(folder.Installed("language.dat")), "0\r\n");
    EXPECT_EQ(ReadText(folder.Installed("Hilfe.chm")), "help");
    EXPECT_EQ(ph::testing::ReadBytes(folder.Installed("Pictoharvest.exe")), ph::testing::ReadBytes(kMarkerProgram));
    EXPECT_FALSE(fs::exists(folder.WorkFolder()));
    EXPECT_EQ(folder.InstalledNames(), (std::vector<std::string>{"Glyphsmith.exe", "Hilfe.chm", "Patchrunner.exe",
                                                                 "Pictoharvest.exe", "language.dat", "marker.txt"}));
    EXPECT_TRUE(pending.Pairs().empty());
}

TEST(Patchrunner, SkipsSetupNotesAndInformationInAnyLetterCase) {
    struct Case {
        const char* programFolder;
        const char* names;
        std::vector<std::string> copied;
    };
    const Case cases[] = {
        {"Pictoharvest Test", "SETUP.exe;sEtUp2.dll;Hinweis.txt;MehrINFO.dat;Infos.chm;Neu.dll;", {"Neu.dll"}},
        // Words in a folder above the name count as well.
        {"My SetUp Tools", "Neu.dll;Alt.dat;", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.names);
        ProgramFolder folder(c.programFolder);
        std::string names = c.names;
        for (std::size_t at = 0, end; (end = names.find(';', at)) != std::string::npos; at = end + 1)
            WriteText(folder.Unpacked(names.substr(at, end - at)), "new");
        Installer installer(folder.Folder() + "Patchrunner.exe", folder.Source() + ";" + folder.Folder() + ";" + names);
        ASSERT_TRUE(installer.started());
        EXPECT_EQ(installer.Wait(), 0u);
        ExpectStartedPlainly(folder);
        std::vector<std::string> expected = c.copied;
        for (const char* always : {"Patchrunner.exe", "Pictoharvest.exe", "marker.txt"}) expected.push_back(always);
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(folder.InstalledNames(), expected);
        EXPECT_FALSE(fs::exists(folder.WorkFolder()));
    }
}

TEST(Patchrunner, IgnoresTheLastNameWithoutItsSemicolon) {
    ProgramFolder folder;
    CheckTestFolder(folder);
    WriteText(folder.Unpacked("Eins.dll"), "one");
    WriteText(folder.Unpacked("Zwei.dll"), "two");
    Installer installer(folder.Folder() + "Patchrunner.exe",
                        folder.Source() + ";" + folder.Folder() + ";Eins.dll;Zwei.dll");
    ASSERT_TRUE(installer.started());
    EXPECT_EQ(installer.Wait(), 0u);
    ExpectStartedPlainly(folder);
    EXPECT_EQ(ReadText(folder.Installed("Eins.dll")), "one");
    EXPECT_FALSE(fs::exists(folder.Installed("Zwei.dll")));
}

TEST(Patchrunner, TwoFoldersAndNoNamesOnlyCleansUpAndStarts) {
    // An empty field names no file either: it must not schedule the folders.
    for (const char* names : {"", ";"}) {
        SCOPED_TRACE(names);
        ProgramFolder folder;
        CheckTestFolder(folder);
        PendingRenamesOf pending(folder);
        WriteText(folder.Unpacked("Eins.dll"), "one");
        Installer installer(folder.Folder() + "Patchrunner.exe",
                            folder.Source() + ";" + folder.Folder() + ";" + names);
        ASSERT_TRUE(installer.started());
        EXPECT_EQ(installer.Wait(), 0u);
        ExpectStartedPlainly(folder);
        EXPECT_FALSE(fs::exists(folder.WorkFolder()));
        EXPECT_EQ(folder.InstalledNames(),
                  (std::vector<std::string>{"Patchrunner.exe", "Pictoharvest.exe", "marker.txt"}));
        EXPECT_TRUE(pending.Pairs().empty());
    }
}

TEST(Patchrunner, FewerThanTwoSemicolonsEndsAtOnceDoingNothing) {
    ProgramFolder folder;
    CheckTestFolder(folder);
    WriteText(folder.Unpacked("Eins.dll"), "one");
    for (const std::string& parameters :
         {std::string(), folder.Source(), folder.Source() + ";" + folder.Folder(),
          folder.Source() + ";" + folder.Folder() + "Eins.dll"}) {
        SCOPED_TRACE(parameters);
        Installer installer(folder.Folder() + "Patchrunner.exe", parameters);
        ASSERT_TRUE(installer.started());
        EXPECT_EQ(installer.Wait(), 0u);
        // The first wait comes before anything else.
        EXPECT_GE(installer.Milliseconds(), 200u);
        EXPECT_TRUE(fs::exists(folder.Unpacked("Eins.dll")));
        EXPECT_EQ(folder.InstalledNames(), (std::vector<std::string>{"Patchrunner.exe", "Pictoharvest.exe", "temp_"}));
    }
    // Nothing was started, not even late.
    EXPECT_FALSE(WaitForMarker(folder, 500));
}

// An exclusively opened file, closed when the object goes.
class HeldOpen {
public:
    explicit HeldOpen(const fs::path& path)
        : file_(CreateFileA(path.string().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)) {}
    ~HeldOpen() {
        if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
    }
    bool held() const { return file_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE file_;
};

TEST(Patchrunner, FilesInUseAreScheduledAndTheQuestionIsAskedOnce) {
    ProgramFolder folder;
    CheckTestFolder(folder);
    PendingRenamesOf pending(folder);
    for (const char* name : {"Eins.dll", "Zwei.dat"}) {
        WriteText(folder.Installed(name), "old");
        WriteText(folder.Unpacked(name), "new");
    }
    WriteText(folder.Unpacked("Frei.dll"), "free");
    std::optional<Box> box;
    int boxes = 0;
    DWORD exitCode = STILL_ACTIVE;
    {
        HeldOpen one(folder.Installed("Eins.dll")), two(folder.Installed("Zwei.dat"));
        ASSERT_TRUE(one.held() && two.held());
        Installer installer(folder.Folder() + "Patchrunner.exe",
                            folder.Source() + ";" + folder.Folder() + ";Eins.dll;Frei.dll;Zwei.dat;");
        ASSERT_TRUE(installer.started());
        box = WaitForBox(installer, 10000);
        ASSERT_TRUE(box) << "no question";
        ++boxes;
        EXPECT_EQ(box->caption, "Pictoharvest");
        EXPECT_EQ(box->text, kQuestion);
        EXPECT_NE(GetDlgItem(box->window, IDYES), nullptr);
        EXPECT_EQ(GetDlgItem(box->window, IDOK), nullptr);
        EXPECT_TRUE(GetWindowLongPtrA(box->window, GWL_EXSTYLE) & WS_EX_TOPMOST) << "not system-modal";
        // The files are scheduled before the question is asked.
        EXPECT_EQ(pending.Pairs().size(), 2u);
        Press(*box, IDNO);
        // A second question would show up before the installer ends.
        while (auto again = WaitForBox(installer, 3000)) {
            ++boxes;
            Press(*again, IDNO);
        }
        exitCode = installer.Wait();
    }
    EXPECT_EQ(boxes, 1);
    EXPECT_EQ(exitCode, 0u);
    ExpectStartedPlainly(folder);

    const auto pairs = pending.Pairs();
    ASSERT_EQ(pairs.size(), 2u);
    const char* names[] = {"Eins.dll", "Zwei.dat"};
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(Comparable(pairs[i].first), Comparable(folder.Unpacked(names[i]).string()));
        // "!" marks a replacement of an existing file.
        ASSERT_FALSE(pairs[i].second.empty());
        EXPECT_EQ(pairs[i].second[0], '!');
        EXPECT_EQ(Comparable(pairs[i].second.substr(1)), Comparable(folder.Installed(names[i]).string()));
    }
    // The old files stay until the next start, which reads the new ones
    // from the work folder.
    EXPECT_EQ(ReadText(folder.Installed("Eins.dll")), "old");
    EXPECT_EQ(ReadText(folder.Installed("Zwei.dat")), "old");
    EXPECT_EQ(ReadText(folder.Installed("Frei.dll")), "free");
    EXPECT_EQ(ReadText(folder.Unpacked("Eins.dll")), "new");
    EXPECT_EQ(ReadText(folder.Unpacked("Zwei.dat")), "new");
}

TEST(Patchrunner, AFileNeitherCopiedNorScheduledPromisesNoRestart) {
    ProgramFolder folder;
    CheckTestFolder(folder);
    PendingRenamesOf pending(folder);
    WriteText(folder.Unpacked("Eins.dll"), "one");
    // A name too long for any path: the system neither copies nor schedules
    // it. (Wine schedules a missing source all the same.)
    const std::string tooLong(250, 'L');
    Installer installer(folder.Folder() + "Patchrunner.exe",
                        folder.Source() + ";" + folder.Folder() + ";" + tooLong + ".dll;Eins.dll;");
    ASSERT_TRUE(installer.started());
    const auto box = WaitForBox(installer, 10000);
    if (box) Press(*box, IDNO);
    EXPECT_FALSE(box) << "asked: " << box->text;
    EXPECT_EQ(installer.Wait(), 0u);
    ExpectStartedPlainly(folder);
    EXPECT_TRUE(pending.Pairs().empty());
    EXPECT_EQ(ReadText(folder.Installed("Eins.dll")), "one");
    // Kept, as with pending replacements: the update did not fully arrive.
    EXPECT_EQ(ReadText(folder.Unpacked("Eins.dll")), "one");
}

}  // namespace
}  // namespace ph
