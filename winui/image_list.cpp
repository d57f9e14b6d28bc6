#include "winui/image_list.h"

namespace winui {

bool ImageList::Create(int width, int height, UINT flags, int initial, int grow) {
    Reset();
    list_ = ImageList_Create(width, height, flags, initial, grow);
    shared_ = false;
    return list_ != nullptr;
}

void ImageList::Assign(HIMAGELIST list, bool shared) {
    Reset();
    list_ = list;
    shared_ = shared;
}

void ImageList::Reset() {
    if (list_ && !shared_) ImageList_Destroy(list_);
    list_ = nullptr;
    shared_ = false;
}

}  // namespace winui
