#include "pictoharvest/icons/image_collection.h"

#include <stdexcept>

#include "pictoharvest/icons/dib_geometry.h"
#include "pictoharvest/icons/image_icon.h"

namespace ph {

IconHolder& SharedIcon() {
    static IconHolder holder;
    return holder;
}

ImageCollection::ImageCollection(IconHolder& sharedIcon)
    : sharedIcon_(sharedIcon), previews_(ImageList_Create(kPreviewSize, kPreviewSize, ILC_COLOR24, 0, 16)) {
    if (!previews_) throw std::runtime_error("cannot create the preview image list");
}

void ImageCollection::Clear() {
    ImageList_RemoveAll(previews_.get());
    entries_.clear();
    imageCount_ = 0;
}

void ImageCollection::AppendImage(const IconImage& image, int position, int number) {
    ReportedGeometry reported;
    sharedIcon_.Assign(CreateImageIcon(&image, reported));

    // A device-independent picture: drawing into it needs no round trip to
    // the display.
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = kPreviewSize;
    format.bmiHeader.biHeight = kPreviewSize;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 24;
    void* pixels = nullptr;
    winui::OwnedMemoryDc dc(CreateCompatibleDC(nullptr));
    winui::OwnedBitmap picture(CreateDIBSection(dc.get(), &format, DIB_RGB_COLORS, &pixels, nullptr, 0));
    {
        winui::SelectedObject selected(dc.get(), picture.get());
        PatBlt(dc.get(), 0, 0, kPreviewSize, kPreviewSize, WHITENESS);
        if (!sharedIcon_.empty() && reported.width > kPreviewSize)
            sharedIcon_.Assign(ShrinkIcon(sharedIcon_.handle(), reported.width, kPreviewSize));
        // Own size, with the mask: transparent parts stay white.
        if (!sharedIcon_.empty()) DrawIconEx(dc.get(), 0, 0, sharedIcon_.handle(), 0, 0, 0, nullptr, DI_NORMAL);
    }
    // The previews must stay parallel to the entries: when no picture could
    // be made or added, an empty slot stands in for it.
    if (!picture || ImageList_Add(previews_.get(), picture.get(), nullptr) < 0)
        ImageList_SetImageCount(previews_.get(), static_cast<UINT>(imageCount_ + 1));

    entries_.push_back({ImageCaption(position, number), ImageDetails(reported.width, reported.height, reported.bitCount),
                        number});
    ++imageCount_;
}

}  // namespace ph
