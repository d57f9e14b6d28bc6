#pragma once
// Owning holders of GDI objects and icons: each frees its handle once.
#include <windows.h>

#include <string>
#include <utility>

namespace winui {

template <class Handle, BOOL(WINAPI* Free)(Handle)>
class OwnedHandle {
public:
    OwnedHandle() = default;
    explicit OwnedHandle(Handle handle) : handle_(handle) {}
    ~OwnedHandle() { Reset(); }
    OwnedHandle(OwnedHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    OwnedHandle& operator=(OwnedHandle&& other) noexcept {
        if (this != &other) Reset(std::exchange(other.handle_, nullptr));
        return *this;
    }
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;

    Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    void Reset(Handle handle = nullptr) {
        if (handle_) Free(handle_);
        handle_ = handle;
    }
    Handle Release() { return std::exchange(handle_, nullptr); }

private:
    Handle handle_ = nullptr;
};

inline BOOL WINAPI DeleteFontObject(HFONT font) { return DeleteObject(font); }
inline BOOL WINAPI DeleteBitmapObject(HBITMAP bitmap) { return DeleteObject(bitmap); }
inline BOOL WINAPI DeleteBrushObject(HBRUSH brush) { return DeleteObject(brush); }
inline BOOL WINAPI DestroyMenuHandle(HMENU menu) { return DestroyMenu(menu); }

using FontHandle = OwnedHandle<HFONT, DeleteFontObject>;
using BitmapHandle = OwnedHandle<HBITMAP, DeleteBitmapObject>;
using BrushHandle = OwnedHandle<HBRUSH, DeleteBrushObject>;
using MenuHandle = OwnedHandle<HMENU, DestroyMenuHandle>;

struct FontDesc {
    std::string face = "Tahoma";
    int height = -11;  // 8 point at 96 dots per inch
    bool bold = false;
    bool underline = false;
    BYTE charset = ANSI_CHARSET;
};

FontHandle MakeFont(const FontDesc& desc);

// A 32-bit top-down DIB section made from premultiplied-free ARGB pixels
// (one 0xAARRGGBB value per pixel, rows from the top).
BitmapHandle MakeArgbBitmap(int width, int height, const unsigned* pixels);

}  // namespace winui
