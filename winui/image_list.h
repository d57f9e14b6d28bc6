#pragma once
// Image lists. An owned list is destroyed with its object; a shared one
// (the shell's system image lists) is only looked at and never destroyed,
// since the system and other lists keep using it.
#include <windows.h>
#include <commctrl.h>

namespace winui {

class ImageList {
public:
    ImageList() = default;
    ~ImageList() { Reset(); }
    ImageList(const ImageList&) = delete;
    ImageList& operator=(const ImageList&) = delete;

    // A new list owned by this object.
    bool Create(int width, int height, UINT flags = ILC_COLOR32 | ILC_MASK, int initial = 4,
                int grow = 4);
    // Takes a list made elsewhere; `shared` lists are never destroyed here.
    void Assign(HIMAGELIST list, bool shared);
    void Reset();

    HIMAGELIST Handle() const { return list_; }
    bool Shared() const { return shared_; }
    int Count() const { return list_ ? ImageList_GetImageCount(list_) : 0; }
    void Clear() {
        if (list_ && !shared_) ImageList_RemoveAll(list_);
    }
    int AddIcon(HICON icon) { return list_ ? ImageList_AddIcon(list_, icon) : -1; }
    int AddBitmap(HBITMAP image, HBITMAP mask = nullptr) {
        return list_ ? ImageList_Add(list_, image, mask) : -1;
    }

private:
    HIMAGELIST list_ = nullptr;
    bool shared_ = false;
};

}  // namespace winui
