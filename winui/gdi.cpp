#include "winui/gdi.h"


namespace winui {

OwnedFont MakeFont(const FontDesc& desc) {
    LOGFONTA font{};
    font.lfHeight = desc.height;
    font.lfWeight = desc.bold ? FW_BOLD : FW_NORMAL;
    font.lfUnderline = desc.underline ? TRUE : FALSE;
    font.lfCharSet = desc.charset;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    lstrcpynA(font.lfFaceName, desc.face.c_str(), LF_FACESIZE);
    return OwnedFont(CreateFontIndirectA(&font));
}

OwnedBitmap MakeArgbBitmap(int width, int height, const unsigned* pixels) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) return OwnedBitmap();
    // Image lists with 32-bit colour expect premultiplied alpha.
    auto* out = static_cast<unsigned*>(bits);
    for (int i = 0; i < width * height; ++i) {
        const unsigned p = pixels[i];
        const unsigned a = p >> 24;
        const unsigned r = ((p >> 16) & 0xFF) * a / 255;
        const unsigned g = ((p >> 8) & 0xFF) * a / 255;
        const unsigned b = (p & 0xFF) * a / 255;
        out[i] = (a << 24) | (r << 16) | (g << 8) | b;
    }
    GdiFlush();
    return OwnedBitmap(bitmap);
}

}  // namespace winui
