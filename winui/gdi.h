#pragma once
// Fonts and pictures made in code.
#include <windows.h>

#include <string>

#include "winui/handles.h"

namespace winui {

struct FontDesc {
    std::string face = "Tahoma";
    int height = -11;  // 8 point at 96 dots per inch
    bool bold = false;
    bool underline = false;
    BYTE charset = ANSI_CHARSET;
};

OwnedFont MakeFont(const FontDesc& desc);

// A 32-bit top-down DIB section made from premultiplied-free ARGB pixels
// (one 0xAARRGGBB value per pixel, rows from the top).
OwnedBitmap MakeArgbBitmap(int width, int height, const unsigned* pixels);

}  // namespace winui
