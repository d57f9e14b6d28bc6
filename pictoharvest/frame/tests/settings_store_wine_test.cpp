// The settings store against the registry of the test prefix: every stored
// type read back as text, every type letter written, the WOW64 mirror.
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "pictoharvest/frame/app_state.h"
#include "pictoharvest/frame/main_window.h"
#include "winui/testing/scripted_prompts.h"

namespace ph {
namespace {

using Bytes = std::vector<BYTE>;

const char kTestKey[] = "Software\\PictoharvestTests\\Store";

// A key of the test's own, removed with everything below it at the end.
class ScopedTestKey {
public:
    ScopedTestKey(HKEY root, std::string path, REGSAM view = 0) : root_(root), path_(std::move(path)), view_(view) {
        RegDeleteKeyExA(root_, path_.c_str(), view_, 0);
        RegCreateKeyExA(root_, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view_, nullptr, &key_, nullptr);
    }
    ~ScopedTestKey() {
        RegCloseKey(key_);
        HKEY parent = nullptr;
        if (RegOpenKeyExA(root_, path_.c_str(), 0, KEY_ALL_ACCESS | view_, &parent) == ERROR_SUCCESS) {
            RegDeleteTreeA(parent, nullptr);
            RegCloseKey(parent);
        }
        RegDeleteKeyExA(root_, path_.c_str(), view_, 0);
    }
    HKEY get() const { return key_; }
    void Set(const char* name, DWORD type, const Bytes& data) const {
        RegSetValueExA(key_, name, 0, type, data.empty() ? nullptr : data.data(), static_cast<DWORD>(data.size()));
    }

private:
    HKEY root_;
    std::string path_;
    REGSAM view_;
    HKEY key_ = nullptr;
};

Bytes B(std::string_view text) { return Bytes(text.begin(), text.end()); }

struct Stored {
    bool present = false;
    DWORD type = 0;
    Bytes data;
};

Stored Query(HKEY root, const std::string& path, const char* name, REGSAM view = 0) {
    Stored stored;
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS) return stored;
    DWORD size = 0;
    if (RegQueryValueExA(key, name, nullptr, &stored.type, nullptr, &size) == ERROR_SUCCESS) {
        stored.data.resize(size);
        stored.present = RegQueryValueExA(key, name, nullptr, &stored.type, stored.data.data(), &size) == ERROR_SUCCESS;
    }
    RegCloseKey(key);
    return stored;
}

// A stored string value's text up to its NUL.
std::string StoredText(HKEY root, const std::string& path, const char* name, REGSAM view = 0) {
    const Stored stored = Query(root, path, name, view);
    std::string text(stored.data.begin(), stored.data.end());
    return text.substr(0, text.find('\0'));
}

// Parts of the parent keys a test made; removed only when left empty.
void RemoveIfEmpty(HKEY root, const char* path, REGSAM view = 0) { RegDeleteKeyExA(root, path, view, 0); }

class SettingsStore : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX controls{};
        controls.dwSize = sizeof(controls);
        controls.dwICC = ICC_WIN95_CLASSES | ICC_COOL_CLASSES | ICC_USEREX_CLASSES | ICC_STANDARD_CLASSES;
        InitCommonControlsEx(&controls);
        InitializeUnit();
    }
    void SetUp() override { form = std::make_unique<TForm1>(); }
    void TearDown() override {
        form.reset();
        IsWow64 = false;
        RemoveIfEmpty(HKEY_CURRENT_USER, "Software\\PictoharvestTests");
    }
    winui::testing::ScriptedPrompts prompts;
    std::unique_ptr<TForm1> form;
};

TEST_F(SettingsStore, ReadRegGivesTheTextFormOfWhatIsStored) {
    ScopedTestKey key(HKEY_CURRENT_USER, kTestKey);
    Bytes huge(4 << 20, 0x5A);
    std::string longText(70000, 'x');
    const struct {
        const char* name;
        DWORD type;
        Bytes data;
        std::string text;
    } cases[] = {
        {"sz", REG_SZ, B(std::string_view("plain\0", 6)), "plain"},
        {"sz no nul", REG_SZ, B("abc"), "abc"},
        {"sz empty", REG_SZ, {}, ""},
        {"sz long", REG_SZ, B(longText), longText},
        {"expand", REG_EXPAND_SZ, B(std::string_view("%WINDIR%\\x\0", 11)), "%WINDIR%\\x"},
        {"multi", REG_MULTI_SZ, B(std::string_view("a\0b\0c\0\0", 7)), "a b c"},
        {"multi first empty", REG_MULTI_SZ, B(std::string_view("\0\0", 2)), ""},
        {"multi no ends", REG_MULTI_SZ, B(std::string_view("one\0two", 7)), "one two"},
        {"binary", REG_BINARY, {0x0A, 0x1B, 0x2C}, "0A 1B 2C"},
        {"dword", REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF}, "-1"},
        {"dword short", REG_DWORD, {0x07}, ""},
        {"qword", REG_QWORD, {1, 0, 0, 0, 0, 0, 0, 0x80}, "01 00 00 00 00 00 00 80"},
        {"other type", 0x4711, {1, 2, 3}, ""},
    };
    for (const auto& c : cases) key.Set(c.name, c.type, c.data);
    key.Set("huge", REG_BINARY, huge);
    for (const auto& c : cases) EXPECT_EQ(form->ReadReg(1, kTestKey, c.name, "s"), c.text) << c.name;
    const std::string hugeText = form->ReadReg(1, kTestKey, "huge", "s");
    EXPECT_EQ(hugeText.size(), huge.size() * 3 - 1);
    EXPECT_EQ(hugeText.substr(hugeText.size() - 5), "5A 5A");

    EXPECT_EQ(form->ReadReg(1, kTestKey, "no such value", "s"), "");
    EXPECT_EQ(form->ReadReg(1, std::string(kTestKey) + "\\missing", "sz", "s"), "");
    EXPECT_EQ(form->ReadReg(6, kTestKey, "sz", "s"), "");
    EXPECT_EQ(form->ReadReg(-1, kTestKey, "sz", "s"), "");
    // The letter is not looked at.
    EXPECT_EQ(form->ReadReg(1, kTestKey, "binary", "x"), "0A 1B 2C");
}

TEST_F(SettingsStore, WriteInRegStoresEachTypeLetterAndCreatesTheKey) {
    char separator[4] = {};
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, sizeof separator);
    ScopedTestKey key(HKEY_CURRENT_USER, kTestKey);
    const std::string path = std::string(kTestKey) + "\\new\\deeper";
    const struct {
        const char* name;
        std::string data;
        const char* letter;
        bool present;
        DWORD type;
        Bytes bytes;
    } cases[] = {
        {"s", "Größe", "s", true, REG_SZ, B("Gr\xF6\xDF" "e")},
        {"e", std::string("%TEMP%\0tail", 11), "e", true, REG_EXPAND_SZ, B(std::string_view("%TEMP%\0", 7))},
        {"m", std::string("a\0b\0", 4), "m", true, REG_MULTI_SZ, B(std::string_view("a\0b\0\0", 5))},
        {"i", "-1", "i", true, REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF}},
        {"i frac", std::string("300") + separator[0] + "9", "i", true, REG_DWORD, {0x2C, 0x01, 0, 0}},
        {"b", "0A 1B 2C", "b", true, REG_BINARY, {0x0A, 0x1B, 0x2C}},
        {"b space", "0A 1B 2C ", "b", true, REG_BINARY, {0x0A, 0x1B, 0x2C}},
        {"upper", "x", "S", false, 0, {}},
        {"unknown", "x", "q", false, 0, {}},
    };
    for (const auto& c : cases) form->WriteInReg(1, path, c.name, c.data, c.letter);
    for (const auto& c : cases) {
        const Stored stored = Query(HKEY_CURRENT_USER, path, c.name);
        ASSERT_EQ(stored.present, c.present) << c.name;
        if (!c.present) continue;
        EXPECT_EQ(stored.type, c.type) << c.name;
        Bytes want = c.bytes;
        if (c.type == REG_SZ) want.push_back(0);
        EXPECT_EQ(stored.data, want) << c.name;
    }
    // Text that does not read as a number or as bytes leaves the value as it was.
    form->WriteInReg(1, path, "i", "abc", "i");
    form->WriteInReg(1, path, "b", "0A ZZ", "b");
    EXPECT_EQ(Query(HKEY_CURRENT_USER, path, "i").data, (Bytes{0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(Query(HKEY_CURRENT_USER, path, "b").data, (Bytes{0x0A, 0x1B, 0x2C}));
    // A binary value read as text writes back the same bytes.
    Bytes all(256);
    for (int i = 0; i < 256; ++i) all[i] = static_cast<BYTE>(255 - i);
    {
        ScopedTestKey source(HKEY_CURRENT_USER, std::string(kTestKey) + "\\source");
        source.Set("all", REG_BINARY, all);
        form->WriteInReg(1, path, "copy", form->ReadReg(1, std::string(kTestKey) + "\\source", "all", "s"), "b");
    }
    EXPECT_EQ(Query(HKEY_CURRENT_USER, path, "copy").data, all);
    EXPECT_EQ(Query(HKEY_CURRENT_USER, path, "copy").type, static_cast<DWORD>(REG_BINARY));
    // A root outside 0..5 writes nothing.
    form->WriteInReg(6, path, "root6", "x", "s");
    form->WriteInReg(-1, path, "rootm1", "x", "s");
    EXPECT_FALSE(Query(HKEY_CURRENT_USER, path, "root6").present);
    EXPECT_FALSE(Query(HKEY_CURRENT_USER, path, "rootm1").present);
}

// This build is 64-bit, so the process is not under WOW64; setting the flag
// shows what the 32-bit program does there.
TEST_F(SettingsStore, UnderWow64WritesGoToThe64BitViewAndAreMirroredToThe32BitBranch) {
    const char kMachinePath[] = "SOFTWARE\\PictoharvestTests\\Tools";
    const char kMirrorPath[] = "SOFTWARE\\Wow6432Node\\PictoharvestTests\\Tools";
    {
        ScopedTestKey native(HKEY_LOCAL_MACHINE, kMachinePath, KEY_WOW64_64KEY);
        ScopedTestKey mirror(HKEY_LOCAL_MACHINE, kMirrorPath, KEY_WOW64_64KEY);
        ASSERT_NE(native.get(), nullptr) << "no write access to HKLM in this prefix";

        IsWow64 = true;
        form->WriteReg(2, kMachinePath, "v", "both", "s");
        EXPECT_EQ(StoredText(HKEY_LOCAL_MACHINE, kMachinePath, "v", KEY_WOW64_64KEY), "both");
        EXPECT_EQ(StoredText(HKEY_LOCAL_MACHINE, kMirrorPath, "v", KEY_WOW64_64KEY), "both");
        // Reads: the plain path sees the 64-bit view, the branch named in any
        // letter case is read as it is.
        mirror.Set("w", REG_SZ, B(std::string_view("32-bit\0", 7)));
        native.Set("w", REG_SZ, B(std::string_view("64-bit\0", 7)));
        EXPECT_EQ(form->ReadReg(2, kMachinePath, "w", "s"), "64-bit");
        EXPECT_EQ(form->ReadReg(2, "software\\wow6432NODE\\PictoharvestTests\\Tools", "w", "s"), "32-bit");

        // WriteInReg alone, another root, or no WOW64: one write only.
        form->WriteInReg(2, kMachinePath, "single", "x", "s");
        IsWow64 = false;
        form->WriteReg(2, kMachinePath, "plain", "x", "s");
        EXPECT_TRUE(Query(HKEY_LOCAL_MACHINE, kMachinePath, "single", KEY_WOW64_64KEY).present);
        EXPECT_TRUE(Query(HKEY_LOCAL_MACHINE, kMachinePath, "plain", KEY_WOW64_64KEY).present);
        EXPECT_FALSE(Query(HKEY_LOCAL_MACHINE, kMirrorPath, "single", KEY_WOW64_64KEY).present);
        EXPECT_FALSE(Query(HKEY_LOCAL_MACHINE, kMirrorPath, "plain", KEY_WOW64_64KEY).present);
    }
    {
        // The user hive is never mirrored.
        ScopedTestKey user(HKEY_CURRENT_USER, "Software\\PictoharvestTests\\Tools");
        IsWow64 = true;
        form->WriteReg(1, "Software\\PictoharvestTests\\Tools", "v", "x", "s");
        EXPECT_TRUE(Query(HKEY_CURRENT_USER, "Software\\PictoharvestTests\\Tools", "v").present);
        EXPECT_FALSE(Query(HKEY_CURRENT_USER, "Software\\Wow6432Node\\PictoharvestTests\\Tools", "v").present);
        EXPECT_FALSE(Query(HKEY_LOCAL_MACHINE, "SOFTWARE\\Wow6432Node\\PictoharvestTests\\Tools", "v").present);
    }
    {
        // A path of SOFTWARE alone keeps its name below the 32-bit branch.
        HKEY existing = nullptr;
        const bool hadMirror = RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Wow6432Node\\SOFTWARE", 0,
                                             KEY_READ | KEY_WOW64_64KEY, &existing) == ERROR_SUCCESS;
        if (existing) RegCloseKey(existing);
        IsWow64 = true;
        form->WriteReg(2, "SOFTWARE", "PictoharvestTestValue", "top", "s");
        EXPECT_EQ(StoredText(HKEY_LOCAL_MACHINE, "SOFTWARE", "PictoharvestTestValue", KEY_WOW64_64KEY), "top");
        EXPECT_EQ(StoredText(HKEY_LOCAL_MACHINE, "SOFTWARE\\Wow6432Node\\SOFTWARE", "PictoharvestTestValue",
                             KEY_WOW64_64KEY),
                  "top");
        for (const char* path : {"SOFTWARE", "SOFTWARE\\Wow6432Node\\SOFTWARE"}) {
            HKEY key = nullptr;
            if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_SET_VALUE | KEY_WOW64_64KEY, &key) == ERROR_SUCCESS) {
                RegDeleteValueA(key, "PictoharvestTestValue");
                RegCloseKey(key);
            }
        }
        if (!hadMirror) RemoveIfEmpty(HKEY_LOCAL_MACHINE, "SOFTWARE\\Wow6432Node\\SOFTWARE", KEY_WOW64_64KEY);
    }
    RemoveIfEmpty(HKEY_LOCAL_MACHINE, "SOFTWARE\\PictoharvestTests", KEY_WOW64_64KEY);
    RemoveIfEmpty(HKEY_LOCAL_MACHINE, "SOFTWARE\\Wow6432Node\\PictoharvestTests", KEY_WOW64_64KEY);
}

}  // namespace
}  // namespace ph
