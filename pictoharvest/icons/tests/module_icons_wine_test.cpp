// The icon groups of real modules built from resource scripts, of a 64-bit
// library and of Wine's own shell32.dll.
#include "pictoharvest/icons/module_icons.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "icon_fixtures.h"
#include "pictoharvest/icons/dib_geometry.h"
#include "pictoharvest/icons/group_caption.h"
#include "test_support.h"

namespace ph {
namespace {

std::string Fixture(const char* name) {
    std::string path = std::string(PH_MODULE_FIXTURES) + "/" + name;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

std::string SystemShell32() {
    char folder[MAX_PATH];
    GetSystemDirectoryA(folder, MAX_PATH);
    return std::string(folder) + "\\shell32.dll";
}

// Keeps what the image pane would show, and every message with its caption.
class Recorder : public IconImageSink, public IconReadReporter {
public:
    void AppendImage(const IconImage& image, int position, int number) override {
        lines.push_back(ImageCaption(position, number) + " | " +
                        ImageDetails(image.width, image.height, image.colourBits));
        bits.push_back(image.bits);
    }
    void Report(IconReadError error, std::string_view path) override {
        messages.push_back(std::string(IconReadMessage(error)) + " | " + std::string(path));
    }
    std::vector<std::string> lines;
    std::vector<std::vector<std::uint8_t>> bits;
    std::vector<std::string> messages;
};

// The icon drawn at its own size onto white, pixel by pixel.
std::vector<std::uint32_t> Drawn(HICON icon) {
    const int size = GetSystemMetrics(SM_CXICON);
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = size;
    format.bmiHeader.biHeight = -size;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    void* pixels = nullptr;
    winui::OwnedMemoryDc dc(CreateCompatibleDC(nullptr));
    winui::OwnedBitmap picture(CreateDIBSection(dc.get(), &format, DIB_RGB_COLORS, &pixels, nullptr, 0));
    winui::SelectedObject selected(dc.get(), picture.get());
    PatBlt(dc.get(), 0, 0, size, size, WHITENESS);
    DrawIconEx(dc.get(), 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL);
    GdiFlush();
    const auto* first = static_cast<const std::uint32_t*>(pixels);
    return {first, first + size * size};
}

TEST(ModuleIcons, ListsTwelveGroupsInResourceOrder) {
    const std::string path = Fixture("twelve_groups.dll");
    const auto groups = ListModuleGroups(path);
    ASSERT_TRUE(groups);
    ASSERT_EQ(groups->size(), 12u);
    EXPECT_EQ((*groups)[0].key, (ModuleGroupKey{-1, "FIXTURE_NAMED"}));
    for (int j = 1; j < 12; ++j) EXPECT_EQ((*groups)[j].key, (ModuleGroupKey{j, ""})) << j;
    const std::string base = ModuleBaseName(path);
    EXPECT_EQ(GroupCaption(base, 0), "twelve_groups 001");
    EXPECT_EQ(GroupCaption(base, 11), "twelve_groups 012");
    // Every group with an image gets an icon of its own size class.
    for (int j : {0, 1, 2, 3, 5, 7, 8, 11}) {
        ASSERT_TRUE((*groups)[j].largeIcon) << j;
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo((*groups)[j].largeIcon.get(), &info)) << j;
        BITMAP bitmap{};
        GetObjectA(info.hbmMask, sizeof bitmap, &bitmap);
        EXPECT_EQ(bitmap.bmWidth, GetSystemMetrics(SM_CXICON)) << j;
        if (info.hbmColor) DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
    }
    // Each group shows its own picture, the one made from its own images,
    // not a neighbour's.
    const OwnedDataModule module = LoadDataModule(path);
    for (int j : {0, 1, 2, 3, 5, 7, 8}) {
        const winui::OwnedIcon own = LargeGroupIcon(module.get(), (*groups)[j].key);
        ASSERT_TRUE(own) << j;
        EXPECT_EQ(Drawn((*groups)[j].largeIcon.get()), Drawn(own.get())) << j;
    }
}

// The icon a group gets when the system's count disagrees with the
// enumeration: made from the group's own image of the large icon size.
TEST(ModuleIcons, GroupIconFromItsOwnImages) {
    const OwnedDataModule module = LoadDataModule(Fixture("twelve_groups.dll"));
    ASSERT_TRUE(module);
    const struct {
        ModuleGroupKey group;
        bool hasIcon;
    } cases[] = {
        {{1, ""}, true}, {{-1, "FIXTURE_NAMED"}, true}, {{5, ""}, true}, {{7, ""}, true},
        {{4, ""}, false},   // idCount 0
        {{99, ""}, false},  // no such group
    };
    for (const auto& c : cases) {
        const winui::OwnedIcon icon = LargeGroupIcon(module.get(), c.group);
        EXPECT_EQ(static_cast<bool>(icon), c.hasIcon) << c.group.number << c.group.name;
        if (!icon) continue;
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon.get(), &info));
        BITMAP bitmap{};
        GetObjectA(info.hbmMask, sizeof bitmap, &bitmap);
        EXPECT_EQ(bitmap.bmWidth, GetSystemMetrics(SM_CXICON));
        if (info.hbmColor) DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
    }
}

TEST(ModuleIcons, ReadsEachGroupAsThePaneShowsIt) {
    const std::string path = Fixture("twelve_groups.dll");
    const struct {
        ModuleGroupKey group;
        ModuleReadResult result;
        std::vector<std::string> lines;
        std::vector<std::string> messages;
    } cases[] = {
        {{1, ""}, ModuleReadResult::Complete,
         {"Icon #0 (101) | 16X16, 16 Farben", "Icon #1 (102) | 32X32, 256 Farben", "Icon #2 (103) | 48X48, XP"}, {}},
        {{2, ""}, ModuleReadResult::ImageMissing, {"Icon #0 (101) | 16X16, 16 Farben"}, {}},
        {{3, ""}, ModuleReadResult::Complete, {"Icon #0 (102) | 32X32, 256 Farben", "Icon #1 (102) | 32X32, 256 Farben"}, {}},
        {{4, ""}, ModuleReadResult::Complete, {}, {}},
        {{5, ""}, ModuleReadResult::Complete, {"Icon #0 (103) | 48X48, XP", "Icon #1 (101) | 16X16, 16 Farben"}, {}},
        {{6, ""}, ModuleReadResult::Failed, {"Icon #0 (101) | 16X16, 16 Farben"},
         {"Error Converting to Internal Format | " + path}},
        {{7, ""}, ModuleReadResult::Complete, {"Icon #0 (105) | 64X64, XP", "Icon #1 (101) | 16X16, 16 Farben"}, {}},
        {{-1, "FIXTURE_NAMED"}, ModuleReadResult::Complete,
         {"Icon #0 (102) | 32X32, 256 Farben", "Icon #1 (106) | 32X32, 2 Farben"}, {}},
        {{99, ""}, ModuleReadResult::GroupMissing, {}, {}},
    };
    for (const auto& c : cases) {
        Recorder recorder;
        const std::string what = c.group.IsNamed() ? c.group.name : std::to_string(c.group.number);
        EXPECT_EQ(ReadModuleGroup(path, c.group, recorder, recorder), c.result) << what;
        EXPECT_EQ(recorder.lines, c.lines) << what;
        EXPECT_EQ(recorder.messages, c.messages) << what;
    }
}

TEST(ModuleIcons, ImageDataIsTheResourceByteForByte) {
    Recorder recorder;
    ASSERT_EQ(ReadModuleGroup(Fixture("twelve_groups.dll"), {7, ""}, recorder, recorder), ModuleReadResult::Complete);
    ASSERT_EQ(recorder.bits.size(), 2u);
    EXPECT_EQ(recorder.bits[0], testing::MakePngImage(64, 64));
    EXPECT_EQ(recorder.bits[1], testing::MakeDibImage(16, 16, 4));
}

TEST(ModuleIcons, ProgramWithoutGroupsListsNone) {
    const auto groups = ListModuleGroups(Fixture("no_groups.exe"));
    ASSERT_TRUE(groups);
    EXPECT_TRUE(groups->empty());
}

TEST(ModuleIcons, FilesThatAreNoModules) {
    testing::TempDir dir;
    testing::WriteBytes(dir.path() / "notes.txt", {'j', 'u', 's', 't', ' ', 't', 'e', 'x', 't'});
    for (const std::string& path : {dir.File("notes.txt"), dir.File("missing.dll")}) {
        EXPECT_FALSE(ListModuleGroups(path)) << path;
        Recorder recorder;
        EXPECT_EQ(ReadModuleGroup(path, {1, ""}, recorder, recorder), ModuleReadResult::NotLoaded) << path;
        EXPECT_EQ(recorder.messages, std::vector<std::string>{"Error Loading File - Choose a 32bit DLL or EXE | " + path});
        EXPECT_TRUE(recorder.lines.empty());
    }
}

TEST(ModuleIcons, SixtyFourBitLibraryReadsAsData) {
    const std::string path = Fixture("wide64.dll");
    const auto groups = ListModuleGroups(path);
    ASSERT_TRUE(groups);
    ASSERT_EQ(groups->size(), 2u);
    EXPECT_EQ((*groups)[0].key.number, 1);
    EXPECT_EQ((*groups)[1].key.number, 2);
    EXPECT_TRUE((*groups)[0].largeIcon);
    EXPECT_TRUE((*groups)[1].largeIcon);
    Recorder recorder;
    EXPECT_EQ(ReadModuleGroup(path, {1, ""}, recorder, recorder), ModuleReadResult::Complete);
    EXPECT_EQ(recorder.lines, (std::vector<std::string>{"Icon #0 (101) | 16X16, 16 Farben",
                                                        "Icon #1 (102) | 32X32, 256 Farben",
                                                        "Icon #2 (103) | 48X48, XP"}));
}

TEST(ModuleIcons, WineShell32) {
    const std::string path = SystemShell32();
    const auto groups = ListModuleGroups(path);
    ASSERT_TRUE(groups);
    ASSERT_EQ(groups->size(), 184u);
    EXPECT_EQ((*groups)[0].key.name, "IDI_SHELL_OPTIONS");
    std::size_t images = 0;
    for (const auto& group : *groups) {
        EXPECT_TRUE(group.largeIcon) << group.key.number << group.key.name;
        Recorder recorder;
        EXPECT_EQ(ReadModuleGroup(path, group.key, recorder, recorder), ModuleReadResult::Complete);
        EXPECT_TRUE(recorder.messages.empty());
        images += recorder.lines.size();
    }
    EXPECT_EQ(images, 1840u);
}

}  // namespace
}  // namespace ph
