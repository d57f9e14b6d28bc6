#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "pictoharvest/browser/shell_services.h"
#include "test_support.h"

namespace ph {
namespace {

// Records which blocks the COM task allocator (the shell allocator) frees.
// COM keeps calling a spy for blocks allocated while it was registered, even
// after it is revoked, so the one recorder lives as long as the process.
class FreeRecorder final : public IMallocSpy {
public:
    std::vector<void*> freed;

    bool WasFreed(const void* block) const {
        return std::find(freed.begin(), freed.end(), block) != freed.end();
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        if (riid == IID_IUnknown || riid == IID_IMallocSpy) {
            *object = this;
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    SIZE_T STDMETHODCALLTYPE PreAlloc(SIZE_T size) override { return size; }
    void* STDMETHODCALLTYPE PostAlloc(void* block) override { return block; }
    void* STDMETHODCALLTYPE PreFree(void* block, BOOL) override {
        freed.push_back(block);
        return block;
    }
    void STDMETHODCALLTYPE PostFree(BOOL) override {}
    SIZE_T STDMETHODCALLTYPE PreRealloc(void* block, SIZE_T size, void** newBlock, BOOL) override {
        *newBlock = block;
        return size;
    }
    void* STDMETHODCALLTYPE PostRealloc(void* block, BOOL) override { return block; }
    void* STDMETHODCALLTYPE PreGetSize(void* block, BOOL) override { return block; }
    SIZE_T STDMETHODCALLTYPE PostGetSize(SIZE_T size, BOOL) override { return size; }
    void* STDMETHODCALLTYPE PreDidAlloc(void* block, BOOL) override { return block; }
    int STDMETHODCALLTYPE PostDidAlloc(void*, BOOL, int actual) override { return actual; }
    void STDMETHODCALLTYPE PreHeapMinimize() override {}
    void STDMETHODCALLTYPE PostHeapMinimize() override {}
};

std::vector<std::uint8_t> BytesOf(LPCITEMIDLIST list) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(list);
    return {bytes, bytes + IdListSize(list)};
}

// A list made by hand in the shell allocator, as the shell would hand it out.
IdList MakeList(const std::vector<std::uint8_t>& bytes) {
    void* block = CoTaskMemAlloc(bytes.size());
    std::memcpy(block, bytes.data(), bytes.size());
    return IdList(static_cast<LPITEMIDLIST>(block));
}

IdList ParseName(IShellFolder* desktop, const std::string& path) {
    std::wstring wide(path.begin(), path.end());
    IdList list;
    if (FAILED(desktop->ParseDisplayName(nullptr, nullptr, wide.data(), nullptr, list.Put(), nullptr)))
        list.Reset();
    return list;
}

struct Child {
    IdList list;
    std::string normal;
};

// Every child of folder, keyed by its parsing name.
std::map<std::string, Child> Children(IShellFolder* folder, SHCONTF flags = kEnumAllItems) {
    std::map<std::string, Child> children;
    ChildEnumerator enumerator(folder, nullptr, flags);
    EXPECT_TRUE(enumerator.ok());
    while (IdList child = enumerator.Next()) {
        const std::string parsing = DisplayNameOf(folder, child.Get(), SHGDN_FORPARSING);
        std::string normal = DisplayNameOf(folder, child.Get(), SHGDN_NORMAL);
        children[parsing] = {std::move(child), std::move(normal)};
    }
    return children;
}

class ShellServicesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { OleInitialize(nullptr); }
    static void TearDownTestSuite() { OleUninitialize(); }

    // Starts recording frees with the process-wide spy.
    static FreeRecorder& StartRecording() {
        static FreeRecorder recorder;
        static const HRESULT registered = CoRegisterMallocSpy(&recorder);
        EXPECT_EQ(registered, S_OK);
        recorder.freed.clear();
        return recorder;
    }

    void SetUp() override {
        root_ = temp_.path().string();
        CreateDirectoryA((root_ + "\\Alpha").c_str(), nullptr);
        CreateDirectoryA((root_ + "\\Alpha\\Inner").c_str(), nullptr);
        CreateDirectoryA((root_ + "\\Empty").c_str(), nullptr);
        testing::WriteBytes(root_ + "\\Empty\\leaf.txt", {'x'});
        testing::WriteBytes(root_ + "\\readme.txt", {'r'});
        testing::WriteBytes(root_ + "\\secret.dat", {'s'});
        SetFileAttributesA((root_ + "\\secret.dat").c_str(), FILE_ATTRIBUTE_HIDDEN);

        desktop_ = DesktopFolder();
        ASSERT_TRUE(desktop_);
        absolute_ = ParseName(desktop_.Get(), root_);
        ASSERT_TRUE(absolute_);
        folder_ = BindToFolder(desktop_.Get(), absolute_.Get());
        ASSERT_TRUE(folder_);
    }

    testing::TempDir temp_;
    std::string root_;
    ComPtr<IShellFolder> desktop_;
    IdList absolute_;
    ComPtr<IShellFolder> folder_;
};

TEST_F(ShellServicesTest, EnumeratesFoldersFilesAndHiddenItemsWithTheirNames) {
    const auto children = Children(folder_.Get());
    std::vector<std::string> names;
    for (const auto& [parsing, child] : children) names.push_back(parsing + " | " + child.normal);
    const std::vector<std::string> expected = {
        root_ + "\\Alpha | Alpha",
        root_ + "\\Empty | Empty",
        root_ + "\\readme.txt | readme.txt",
        root_ + "\\secret.dat | secret.dat",
    };
    EXPECT_EQ(names, expected);

    // Without the hidden flag the shell leaves the hidden file out, so 0xE0 is what brings it.
    const auto visible = Children(folder_.Get(), SHCONTF_FOLDERS | SHCONTF_NONFOLDERS);
    EXPECT_EQ(visible.count(root_ + "\\secret.dat"), 0u);
    EXPECT_EQ(visible.size(), 3u);
}

TEST_F(ShellServicesTest, HasSubFoldersFollowsFolderBitAndShellAnswer) {
    const auto children = Children(folder_.Get());
    const auto& alpha = children.at(root_ + "\\Alpha").list;
    const auto& empty = children.at(root_ + "\\Empty").list;
    const auto& readme = children.at(root_ + "\\readme.txt").list;
    EXPECT_TRUE(HasSubFolders(folder_.Get(), alpha.Get()));
    EXPECT_FALSE(HasSubFolders(folder_.Get(), readme.Get()));
    // For a folder the shell's own bit decides; Wine sets it on every
    // file-system folder, Windows only where there is one.
    const bool shellSays = (AttributesOf(folder_.Get(), empty.Get(), SFGAO_HASSUBFOLDER) & SFGAO_HASSUBFOLDER) != 0;
    EXPECT_EQ(HasSubFolders(folder_.Get(), empty.Get()), shellSays);
    EXPECT_FALSE(HasSubFolders(folder_.Get(), nullptr));
    EXPECT_FALSE(HasSubFolders(nullptr, alpha.Get()));
}

TEST_F(ShellServicesTest, DesktopListsTheComputerAsAVirtualFolder) {
    const auto children = Children(desktop_.Get());
    const auto find = [&](const char* parsing) {
        return std::find_if(children.begin(), children.end(),
                            [&](const auto& entry) { return lstrcmpiA(entry.first.c_str(), parsing) == 0; });
    };
    const auto computer = find("::{20D04FE0-3AEA-1069-A2D8-08002B30309D}");
    ASSERT_NE(computer, children.end());
    EXPECT_EQ(computer->second.normal, "My Computer");
    EXPECT_TRUE(HasSubFolders(desktop_.Get(), computer->second.list.Get()));
    // The recycle bin is a folder whose shell answer is "no sub-folders".
    const auto bin = find("::{645FF040-5081-101B-9F08-00AA002F954E}");
    ASSERT_NE(bin, children.end());
    ASSERT_NE(AttributesOf(desktop_.Get(), bin->second.list.Get(), SFGAO_FOLDER) & SFGAO_FOLDER, 0u);
    EXPECT_FALSE(HasSubFolders(desktop_.Get(), bin->second.list.Get()));

    // The desktop's own list is empty; its parsing name is the desktop directory.
    const IdList desktopList = SpecialFolderIdList(nullptr, CSIDL_DESKTOP);
    ASSERT_TRUE(desktopList);
    EXPECT_TRUE(desktopList.IsEmpty());
    char desktopPath[MAX_PATH] = {};
    ASSERT_TRUE(SHGetSpecialFolderPathA(nullptr, desktopPath, CSIDL_DESKTOPDIRECTORY, FALSE));
    EXPECT_EQ(DisplayNameOf(desktop_.Get(), desktopList.Get(), SHGDN_FORPARSING), desktopPath);
    EXPECT_EQ(PathFromIdList(desktopList.Get()), desktopPath);
    // An empty list is never bound.
    EXPECT_FALSE(BindToFolder(desktop_.Get(), desktopList.Get()));
}

TEST_F(ShellServicesTest, BoundSubFolderListsItsOwnChildren) {
    const IdList alpha = ParseName(desktop_.Get(), root_ + "\\Alpha");
    ASSERT_TRUE(alpha);
    const ComPtr<IShellFolder> folder = BindToFolder(desktop_.Get(), alpha.Get());
    ASSERT_TRUE(folder);
    const auto children = Children(folder.Get());
    ASSERT_EQ(children.size(), 1u);
    EXPECT_EQ(children.begin()->first, root_ + "\\Alpha\\Inner");
}

TEST_F(ShellServicesTest, ConcatenatedRealListsNameTheChildAndAreFreed) {
    FreeRecorder& recorder = StartRecording();
    const void* block = nullptr;
    {
        auto children = Children(folder_.Get());
        const auto& readme = children.at(root_ + "\\readme.txt");
        const IdList joined = ConcatIdLists(absolute_.Get(), readme.list.Get());
        ASSERT_TRUE(joined);
        block = joined.Get();
        recorder.freed.clear();  // the block may sit where an earlier one was freed
        EXPECT_EQ(joined.Size(), (absolute_.Size() - 2) + (readme.list.Size() - 2) + 2);
        std::vector<std::uint8_t> expected = BytesOf(absolute_.Get());
        expected.resize(expected.size() - 2);
        const auto child = BytesOf(readme.list.Get());
        expected.insert(expected.end(), child.begin(), child.end());
        EXPECT_EQ(BytesOf(joined.Get()), expected);
        EXPECT_EQ(PathFromIdList(joined.Get()), root_ + "\\readme.txt");
        EXPECT_EQ(DisplayNameOf(desktop_.Get(), joined.Get(), SHGDN_FORPARSING), root_ + "\\readme.txt");
        EXPECT_FALSE(recorder.WasFreed(block));
    }
    EXPECT_TRUE(recorder.WasFreed(block));
}

TEST_F(ShellServicesTest, ConcatenationOfMadeListsGivesExactBytes) {
    const IdList a = MakeList({4, 0, 'a', 'b', 3, 0, 'c', 0, 0});
    const IdList b = MakeList({5, 0, 'x', 'y', 'z', 0, 0});
    const IdList empty = MakeList({0, 0});
    const struct {
        const char* name;
        LPCITEMIDLIST first;
        LPCITEMIDLIST second;
        std::vector<std::uint8_t> expected;
    } cases[] = {
        {"a b", a.Get(), b.Get(), {4, 0, 'a', 'b', 3, 0, 'c', 5, 0, 'x', 'y', 'z', 0, 0}},
        {"b a", b.Get(), a.Get(), {5, 0, 'x', 'y', 'z', 4, 0, 'a', 'b', 3, 0, 'c', 0, 0}},
        {"missing a", nullptr, b.Get(), {5, 0, 'x', 'y', 'z', 0, 0}},
        {"missing b", a.Get(), nullptr, {4, 0, 'a', 'b', 3, 0, 'c', 0, 0}},
        {"both missing", nullptr, nullptr, {0, 0}},
        {"empty and empty", empty.Get(), empty.Get(), {0, 0}},
    };
    for (const auto& c : cases) {
        const IdList joined = ConcatIdLists(c.first, c.second);
        ASSERT_TRUE(joined) << c.name;
        EXPECT_NE(joined.Get(), c.first) << c.name;
        EXPECT_EQ(BytesOf(joined.Get()), c.expected) << c.name;
    }
    const IdList copy = CloneIdList(a.Get());
    ASSERT_TRUE(copy);
    EXPECT_NE(copy.Get(), a.Get());
    EXPECT_EQ(BytesOf(copy.Get()), BytesOf(a.Get()));
}

TEST_F(ShellServicesTest, StrRetKindsGiveTheirTexts) {
    const IdList list = MakeList({12, 0, 'x', 'x', 'N', 'a', 'm', 'e', 0, 'q', 'q', 'q', 0, 0});
    const struct {
        const char* name;
        UINT kind;
        UINT offset;
        std::string inlineText;
        std::string expected;
    } cases[] = {
        {"offset into the list", STRRET_OFFSET, 4, "", "Name"},
        {"offset to the next text", STRRET_OFFSET, 9, "", "qqq"},
        {"offset on the terminator", STRRET_OFFSET, 12, "", ""},
        {"offset past the list", STRRET_OFFSET, 400, "", ""},
        {"inline text", STRRET_CSTR, 0, "Inline name", "Inline name"},
        {"inline text filling the buffer", STRRET_CSTR, 0, std::string(260, 'w'), std::string(260, 'w')},
        {"unknown kind", 7, 0, "ignored", ""},
    };
    for (const auto& c : cases) {
        STRRET value{};
        value.uType = c.kind;
        if (c.kind == STRRET_OFFSET) value.uOffset = c.offset;
        else std::memcpy(value.cStr, c.inlineText.data(), std::min<std::size_t>(c.inlineText.size(), 260));
        EXPECT_EQ(StrRetToText(value, list.Get()), c.expected) << c.name;
    }
}

TEST_F(ShellServicesTest, WideStrRetIsConvertedToTheSystemCodePageAndFreed) {
    FreeRecorder& recorder = StartRecording();
    const wchar_t text[] = L"Gr\u00f6\u00dfe \u20ac";
    auto* wide = static_cast<wchar_t*>(CoTaskMemAlloc(sizeof text));
    std::memcpy(wide, text, sizeof text);
    STRRET value{};
    value.uType = STRRET_WSTR;
    value.pOleStr = wide;
    EXPECT_EQ(GetACP(), 1252u);
    EXPECT_EQ(StrRetToText(value, nullptr), "Gr\xF6\xDF" "e \x80");
    EXPECT_EQ(value.pOleStr, nullptr);
    EXPECT_TRUE(recorder.WasFreed(wide));
}

}  // namespace
}  // namespace ph
