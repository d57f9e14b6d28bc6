// Icon files read from disk with previews, captions and messages, under Wine.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "icon_fixtures.h"
#include "pictoharvest/icons/icon_file_win32.h"
#include "pictoharvest/icons/image_collection.h"
#include "winui/handles.h"
#include "test_support.h"
#include "winui/testing/scripted_prompts.h"

namespace ph {
namespace {

using testing::IconFileEntry;
using testing::MakeDibImage;
using testing::MakeIconFile;
using testing::Rgb;
using winui::testing::ScriptedPrompts;

constexpr int kPreview = ImageCollection::kPreviewSize;
constexpr Rgb kUnpainted{255, 0, 255};

// The preview at index, drawn onto a magenta 32-bit DIB and read back.
std::vector<Rgb> PreviewPixels(HIMAGELIST list, int index) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = kPreview;
    info.bmiHeader.biHeight = -kPreview;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    winui::OwnedBitmap dib(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    winui::OwnedMemoryDc dc(CreateCompatibleDC(nullptr));
    std::vector<Rgb> pixels;
    if (!dib || !dc) return pixels;
    {
        winui::SelectedObject selected(dc.get(), dib.get());
        HBRUSH magenta = CreateSolidBrush(RGB(kUnpainted.r, kUnpainted.g, kUnpainted.b));
        RECT all{0, 0, kPreview, kPreview};
        FillRect(dc.get(), &all, magenta);
        DeleteObject(magenta);
        ImageList_Draw(list, index, dc.get(), 0, 0, ILD_NORMAL);
        GdiFlush();
    }
    const auto* p = static_cast<const std::uint8_t*>(bits);
    for (int i = 0; i < kPreview * kPreview; ++i) pixels.push_back({p[4 * i + 2], p[4 * i + 1], p[4 * i]});
    return pixels;
}

// Compares a preview with the fixture picture drawn at size x size in its
// top-left corner; returns a description of the first few differences.
std::string PreviewDifferences(HIMAGELIST list, int index, int size, int bitCount) {
    const auto pixels = PreviewPixels(list, index);
    if (pixels.size() != static_cast<std::size_t>(kPreview * kPreview)) return "no preview";
    std::string out;
    int wrong = 0;
    for (int y = 0; y < kPreview; ++y)
        for (int x = 0; x < kPreview; ++x) {
            const Rgb want = testing::FixturePixel(size, size, bitCount, x, y);
            const Rgb got = pixels[y * kPreview + x];
            if (got == want) continue;
            if (++wrong <= 4)
                out += "(" + std::to_string(x) + "," + std::to_string(y) + ") got " + std::to_string(got.r) + "," +
                       std::to_string(got.g) + "," + std::to_string(got.b) + " want " + std::to_string(want.r) + "," +
                       std::to_string(want.g) + "," + std::to_string(want.b) + "; ";
        }
    if (wrong) out += std::to_string(wrong) + " pixels differ";
    return out;
}

class IconFileWine : public ::testing::Test {
protected:
    void SetUp() override {
        owner_ = CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        ASSERT_TRUE(owner_);
    }
    void TearDown() override { DestroyWindow(owner_); }

    std::string Write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        const std::string path = dir_.File(name);
        testing::WriteBytes(path, bytes);
        return path;
    }
    // The texts of the boxes shown, each checked for owner, caption and flags.
    std::vector<std::string> Messages(const std::string& path) {
        std::vector<std::string> texts;
        for (const auto& shown : prompts_.shown()) {
            EXPECT_EQ(shown.kind, ScriptedPrompts::Kind::MessageBox);
            EXPECT_EQ(shown.owner, owner_);
            EXPECT_EQ(shown.caption, path);
            EXPECT_EQ(shown.flags, static_cast<UINT>(MB_OK));
            texts.push_back(shown.text);
        }
        return texts;
    }

    testing::TempDir dir_;
    ScriptedPrompts prompts_;
    HWND owner_ = nullptr;
    ImageCollection collection_;
};

TEST_F(IconFileWine, EverySizeAndDepthWithCaptionsAndPreviews) {
    const int sizes[] = {16, 32, 48, 256};
    const int depths[] = {1, 4, 8, 24, 32};
    const char* labels[] = {"2 Farben", "16 Farben", "256 Farben", "XP", "XP"};
    std::vector<IconFileEntry> entries;
    for (int size : sizes)
        for (int depth : depths) entries.push_back({MakeDibImage(size, size, depth)});
    const std::string path = Write("all.ico", MakeIconFile(entries));

    ReadIconFile(path, collection_, owner_);

    EXPECT_TRUE(Messages(path).empty());
    ASSERT_EQ(collection_.imageCount(), 20);
    ASSERT_EQ(collection_.entries().size(), 20u);
    ASSERT_EQ(ImageList_GetImageCount(collection_.previews()), 20);
    int cx = 0, cy = 0;
    ImageList_GetIconSize(collection_.previews(), &cx, &cy);
    EXPECT_EQ(cx, 48);
    EXPECT_EQ(cy, 48);
    for (int k = 0; k < 20; ++k) {
        const int size = sizes[k / 5];
        const int depth = depths[k % 5];
        SCOPED_TRACE(::testing::Message() << size << " px at " << depth << " bits");
        const ImageEntry& entry = collection_.entries()[k];
        EXPECT_EQ(entry.caption, "Icon #" + std::to_string(k) + " (" + std::to_string(k) + ")");
        EXPECT_EQ(entry.details, std::to_string(size) + "X" + std::to_string(size) + ", " + labels[k % 5]);
        EXPECT_EQ(entry.number, k);
        // Up to 48 px the image sits top-left at its own size on white; a
        // 256 px image is shrunk to fill the 48 x 48 preview.
        EXPECT_EQ(PreviewDifferences(collection_.previews(), k, size > 48 ? 48 : size, depth), "");
    }

    collection_.Clear();
    EXPECT_EQ(collection_.imageCount(), 0);
    EXPECT_TRUE(collection_.entries().empty());
    EXPECT_EQ(ImageList_GetImageCount(collection_.previews()), 0);
}

TEST_F(IconFileWine, PngImageOf256Pixels) {
    const std::string path =
        Write("png.ico", MakeIconFile({{MakeDibImage(32, 32, 8)}, {testing::MakePngImage(256, 256)}}));
    ReadIconFile(path, collection_, owner_);
    EXPECT_TRUE(Messages(path).empty());
    ASSERT_EQ(collection_.imageCount(), 2);
    EXPECT_EQ(collection_.entries()[0].details, "32X32, 256 Farben");
    EXPECT_EQ(collection_.entries()[1].caption, "Icon #1 (1)");
    EXPECT_EQ(collection_.entries()[1].details, "256X256, XP");
    EXPECT_EQ(PreviewDifferences(collection_.previews(), 1, 48, 32), "");
}

TEST_F(IconFileWine, MessagesOfBrokenFiles) {
    const auto a = MakeDibImage(16, 16, 4);
    const auto b = MakeDibImage(32, 32, 24);
    auto cut = [](std::vector<std::uint8_t> bytes, std::size_t size) {
        bytes.resize(size);
        return bytes;
    };
    const auto good = MakeIconFile({{a}, {b}});
    struct Case {
        const char* name;
        std::vector<std::uint8_t> file;
        const char* message;
        int images;
    } cases[] = {
        {"type 2", MakeIconFile({{a}}, 2), "Error Reading File Header", 0},
        {"shorter than 6 bytes", cut(good, 5), "Error Reading File Header", 0},
        {"count beyond the file", cut(good, 6 + 16 + 3), "Error Reading File", 0},
        {"second image past the end", cut(good, good.size() - 10), "Error Reading File", 1},
        {"offset 0x80000000", MakeIconFile({{a}, {b, {}, {}, {}, {}, 0x80000000u}}), "Error Seeking in File", 1},
        {"offset past the end below 0x80000000", MakeIconFile({{a}, {b, {}, {}, {}, {}, 0x7FFFFFF0u}}),
         "Error Reading File", 1},
        {"image too short for its header", MakeIconFile({{a, {}, {}, {}, 20u}}), "Error Converting to Internal Format",
         0},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = Write("broken" + std::to_string(n++) + ".ico", c.file);
        prompts_.Clear();
        collection_.Clear();
        ReadIconFile(path, collection_, owner_);
        EXPECT_EQ(Messages(path), std::vector<std::string>{c.message});
        EXPECT_EQ(collection_.imageCount(), c.images);
        EXPECT_EQ(ImageList_GetImageCount(collection_.previews()), c.images);
        if (c.images) {
            EXPECT_EQ(PreviewDifferences(collection_.previews(), 0, 16, 4), "");
        }
    }
}

TEST_F(IconFileWine, TheImageHeaderWinsOverTheDirectoryEntry) {
    // The entry says 16 x 16 at 1 bit; the image is 32 x 32 at 8 bits.
    const std::string path = Write("liar.ico", MakeIconFile({{MakeDibImage(32, 32, 8), 16, 16, 1}}));
    ReadIconFile(path, collection_, owner_);
    EXPECT_TRUE(Messages(path).empty());
    ASSERT_EQ(collection_.imageCount(), 1);
    EXPECT_EQ(collection_.entries()[0].details, "32X32, 256 Farben");
    EXPECT_EQ(PreviewDifferences(collection_.previews(), 0, 32, 8), "");
}

TEST_F(IconFileWine, AFileHeldOpenOrMissingCannotBeOpened) {
    const std::string path = Write("held.ico", MakeIconFile({{MakeDibImage(16, 16, 8)}}));
    {
        // Another opener that shares everything still keeps out a reader
        // that wants the file to itself.
        winui::OwnedFile other(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(other);
        ReadIconFile(path, collection_, owner_);
        EXPECT_EQ(Messages(path), std::vector<std::string>{"Error Opening File for Reading"});
        EXPECT_EQ(collection_.imageCount(), 0);
    }
    prompts_.Clear();
    ReadIconFile(path, collection_, owner_);  // closed again: readable
    EXPECT_TRUE(Messages(path).empty());
    EXPECT_EQ(collection_.imageCount(), 1);

    prompts_.Clear();
    const std::string missing = dir_.File("missing.ico");
    ReadIconFile(missing, collection_, owner_);
    EXPECT_EQ(Messages(missing), std::vector<std::string>{"Error Opening File for Reading"});
}

TEST_F(IconFileWine, ARefusedImageGetsAWhitePreviewAndItsEntry) {
    // An unknown compression: the reader accepts the layout, the system
    // refuses the image.
    auto refused = MakeDibImage(16, 16, 4);
    refused[16] = 99;
    IconHolder holder;
    ImageCollection collection(holder);
    const std::string path = Write("refused.ico", MakeIconFile({{MakeDibImage(16, 16, 8)}, {refused}}));
    ReadIconFile(path, collection, owner_);
    EXPECT_TRUE(Messages(path).empty());
    ASSERT_EQ(collection.imageCount(), 2);
    EXPECT_EQ(collection.entries()[1].details, "16X16, 16 Farben");
    EXPECT_TRUE(holder.empty());
    const auto pixels = PreviewPixels(collection.previews(), 1);
    ASSERT_EQ(pixels.size(), 48u * 48u);
    for (const Rgb& p : pixels) ASSERT_EQ(p, testing::kWhite);
}

TEST_F(IconFileWine, TheSharedIconReleasesTheIconItHeld) {
    IconHolder holder;
    ImageCollection collection(holder);
    collection.AppendImage([] {
        IconImage image;
        image.bits = MakeDibImage(16, 16, 32);
        return image;
    }(), 0, 0);
    const HICON first = holder.handle();
    ICONINFO parts{};
    ASSERT_TRUE(GetIconInfo(first, &parts));
    DeleteObject(parts.hbmColor);
    DeleteObject(parts.hbmMask);

    IconImage second;
    second.bits = MakeDibImage(32, 32, 8);
    collection.AppendImage(second, 1, 7);
    EXPECT_NE(holder.handle(), first);
    EXPECT_FALSE(GetIconInfo(first, &parts));
    EXPECT_EQ(collection.entries()[1].caption, "Icon #1 (7)");
}

// Width and height of an icon, from its mask (twice as high when the icon
// is monochrome and has no colour bitmap).
SIZE IconSize(HICON icon) {
    ICONINFO parts{};
    if (!GetIconInfo(icon, &parts)) return {};
    winui::OwnedBitmap colour(parts.hbmColor);
    winui::OwnedBitmap mask(parts.hbmMask);
    BITMAP info{};
    GetObjectA(mask.get(), sizeof info, &info);
    return {info.bmWidth, colour ? info.bmHeight : info.bmHeight / 2};
}

TEST_F(IconFileWine, OnlyImagesWiderThan48AreShrunk) {
    const struct {
        int size, bits, drawn;
    } cases[] = {{16, 8, 16}, {48, 32, 48}, {49, 32, 48}, {49, 1, 48}, {256, 24, 48}, {64, 1, 48}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.size << " px at " << c.bits << " bits");
        IconHolder holder;
        ImageCollection collection(holder);
        IconImage image;
        image.bits = MakeDibImage(c.size, c.size, c.bits);
        collection.AppendImage(image, 0, 0);
        ASSERT_FALSE(holder.empty());
        const SIZE drawn = IconSize(holder.handle());
        EXPECT_EQ(drawn.cx, c.drawn);
        EXPECT_EQ(drawn.cy, c.drawn);
        EXPECT_EQ(collection.entries()[0].details.substr(0, collection.entries()[0].details.find(',')),
                  std::to_string(c.size) + "X" + std::to_string(c.size));
    }
}

}  // namespace
}  // namespace ph
