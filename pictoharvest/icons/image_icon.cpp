#include "pictoharvest/icons/image_icon.h"

#include "winui/handles.h"

namespace ph {
namespace {

constexpr DWORD kIconFormatVersion = 0x00030000;

// A copy of one of the icon's bitmaps, stretched from the given source
// rectangle to the target rectangle.
winui::OwnedBitmap Stretch(HDC source, HDC target, HBITMAP from, int fromWidth, int fromHeight, int toWidth, int toHeight) {
    BITMAP info{};
    if (!from || !GetObjectA(from, sizeof info, &info)) return {};
    winui::OwnedBitmap result(CreateBitmap(toWidth, toHeight, info.bmPlanes, info.bmBitsPixel, nullptr));
    if (!result) return {};
    winui::SelectedObject fromSelected(source, from);
    winui::SelectedObject toSelected(target, result.get());
    StretchBlt(target, 0, 0, toWidth, toHeight, source, 0, 0, fromWidth, fromHeight, SRCCOPY);
    return result;
}

}  // namespace

HICON CreateImageIcon(const IconImage* image, ReportedGeometry& reported) {
    reported = {};
    if (!image || image->bits.empty()) return nullptr;
    const auto geometry = ReportImageGeometry(image->bits);
    if (!geometry) return nullptr;
    reported = *geometry;

    // The system only reads the bits; its prototype just lacks the const.
    const auto bits = const_cast<PBYTE>(image->bits.data());
    const auto size = static_cast<DWORD>(image->bits.size());
    HICON icon = CreateIconFromResourceEx(bits, size, TRUE, kIconFormatVersion, reported.width, reported.height, 0);
    // 16-bit images that the first attempt refused get no second one.
    if (!icon && reported.bitCount != 16) icon = CreateIconFromResource(bits, size, TRUE, kIconFormatVersion);
    return icon;
}

HICON ShrinkIcon(HICON icon, int sourceSize, int targetSize) {
    ICONINFO parts{};
    if (!icon || !GetIconInfo(icon, &parts)) return nullptr;
    winui::OwnedBitmap colour(parts.hbmColor);
    winui::OwnedBitmap mask(parts.hbmMask);

    winui::WindowDc screen;
    winui::OwnedMemoryDc source(CreateCompatibleDC(screen.get()));
    winui::OwnedMemoryDc target(CreateCompatibleDC(screen.get()));
    if (!source || !target) return nullptr;

    winui::OwnedBitmap newColour;
    winui::OwnedBitmap newMask;
    if (colour) {
        newColour = Stretch(source.get(), target.get(), colour.get(), sourceSize, sourceSize, targetSize, targetSize);
        newMask = Stretch(source.get(), target.get(), mask.get(), sourceSize, sourceSize, targetSize, targetSize);
        if (!newColour || !newMask) return nullptr;
    } else {
        // A monochrome icon keeps mask and picture in one bitmap of double
        // height, the mask on top.
        newMask = Stretch(source.get(), target.get(), mask.get(), sourceSize, 2 * sourceSize, targetSize,
                          2 * targetSize);
        if (!newMask) return nullptr;
    }

    ICONINFO made{};
    made.fIcon = TRUE;
    made.hbmMask = newMask.get();
    made.hbmColor = newColour.get();
    return CreateIconIndirect(&made);
}

}  // namespace ph
