#pragma once
// The images the icon browser shows: a 48 x 48 preview list, one entry per
// image with its captions and number, and the image count, all parallel.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "pictoharvest/icons/icon_read.h"
#include "winui/handles.h"

namespace ph {

struct ImageEntry {
    std::string caption;  // "Icon #0 (0)"
    std::string details;  // "48X48, XP"
    std::int32_t number = 0;
};

// Holds the icon it was last given and releases it when given the next.
class IconHolder {
public:
    void Assign(HICON icon) { icon_.reset(icon); }
    HICON handle() const { return icon_.get(); }
    bool empty() const { return !icon_; }

private:
    winui::OwnedIcon icon_;
};

// The one icon object of the process through which every preview is drawn.
IconHolder& SharedIcon();

class ImageCollection final : public IconImageSink {
public:
    static constexpr int kPreviewSize = 48;

    explicit ImageCollection(IconHolder& sharedIcon = SharedIcon());

    // Empties the preview list and the entries.
    void Clear();
    // Makes the image's icon and preview and appends them with its entry.
    void AppendImage(const IconImage& image, int position, int number) override;

    HIMAGELIST previews() const { return previews_.get(); }
    const std::vector<ImageEntry>& entries() const { return entries_; }
    int imageCount() const { return imageCount_; }

private:
    IconHolder& sharedIcon_;
    winui::OwnedImageList previews_;
    std::vector<ImageEntry> entries_;
    int imageCount_ = 0;
};

}  // namespace ph
