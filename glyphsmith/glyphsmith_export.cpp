#include "glyphsmith/glyphsmith_export.h"

#include <windows.h>
#include <objidl.h>

#include <algorithm>
#include <cstring>
#include <memory>
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>

#include "pictoharvest/icons/icon_file_win32.h"
#include "pictoharvest/icons/colour_text.h"
#include "pictoharvest/icons/group_caption.h"
#include "pictoharvest/icons/icon_file_writer.h"
#include "pictoharvest/icons/module_icons.h"

namespace ph::glyphsmith {

namespace {

namespace gp = Gdiplus::DllExports;

class Collector : public IconImageSink, public IconReadReporter {
public:
    explicit Collector(GroupImages& out) : out_(out) {}
    void AppendImage(const IconImage& image, int, int number) override {
        out_.images.push_back(image);
        out_.numbers.push_back(number);
    }
    void Report(IconReadError error, std::string_view path) override {
        if (message.empty()) message = std::string(IconReadMessage(error)) + "\r\n" + std::string(path);
    }
    std::string message;

private:
    GroupImages& out_;
};

struct ComRelease {
    void operator()(IUnknown* object) const {
        if (object) object->Release();
    }
};
template <typename T>
using ComPtr = std::unique_ptr<T, ComRelease>;

// GDI+ for the span of one picture.
class GdiplusSession {
public:
    GdiplusSession() {
        Gdiplus::GdiplusStartupInput input;
        ok_ = Gdiplus::GdiplusStartup(&token_, &input, nullptr) == Gdiplus::Ok;
    }
    ~GdiplusSession() {
        if (ok_) Gdiplus::GdiplusShutdown(token_);
    }
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;
    bool ok() const { return ok_; }

private:
    ULONG_PTR token_ = 0;
    bool ok_ = false;
};

struct ImageDisposer {
    void operator()(Gdiplus::GpImage* image) const {
        if (image) gp::GdipDisposeImage(image);
    }
};
using OwnedGpBitmap = std::unique_ptr<Gdiplus::GpBitmap, ImageDisposer>;

// A PNG-form image through GDI+'s decoder.
bool DecodePng(std::span<const std::uint8_t> bits, Picture& picture) {
    GdiplusSession session;
    if (!session.ok()) return false;
    IStream* raw = nullptr;
    if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &raw))) return false;
    ComPtr<IStream> stream(raw);
    ULONG written = 0;
    if (FAILED(stream->Write(bits.data(), static_cast<ULONG>(bits.size()), &written)) || written != bits.size())
        return false;
    LARGE_INTEGER start{};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    Gdiplus::GpBitmap* decoded = nullptr;
    if (gp::GdipCreateBitmapFromStream(stream.get(), &decoded) != Gdiplus::Ok) return false;
    OwnedGpBitmap bitmap(decoded);
    UINT width = 0, height = 0;
    gp::GdipGetImageWidth(bitmap.get(), &width);
    gp::GdipGetImageHeight(bitmap.get(), &height);
    if (width == 0 || height == 0 || width > 4096 || height > 4096) return false;
    Gdiplus::GpRect rect(0, 0, static_cast<INT>(width), static_cast<INT>(height));
    Gdiplus::BitmapData data{};
    if (gp::GdipBitmapLockBits(bitmap.get(), &rect, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &data) !=
        Gdiplus::Ok)
        return false;
    picture.width = static_cast<int>(width);
    picture.height = static_cast<int>(height);
    picture.pixels.resize(std::size_t{width} * height);
    for (UINT y = 0; y < height; ++y) {
        const auto* row = static_cast<const std::uint8_t*>(data.Scan0) + static_cast<std::ptrdiff_t>(y) * data.Stride;
        std::memcpy(&picture.pixels[std::size_t{y} * width], row, std::size_t{width} * 4);
    }
    gp::GdipBitmapUnlockBits(bitmap.get(), &data);
    return true;
}

// Anything else the system can make an icon of: drawn with DrawIconEx.
bool DrawWithSystem(const IconImage& image, std::uint32_t background, Picture& picture) {
    if (image.width <= 0 || image.height <= 0 || image.width > 4096 || image.height > 4096) return false;
    winui::OwnedIcon icon(CreateIconFromResourceEx(const_cast<PBYTE>(image.bits.data()), static_cast<DWORD>(image.bits.size()),
                                            TRUE, 0x00030000, image.width, image.height, 0));
    if (!icon) return false;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = image.width;
    info.bmiHeader.biHeight = -image.height;  // rows from the top
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* pixels = nullptr;
    winui::OwnedBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0));
    winui::OwnedMemoryDc dc(CreateCompatibleDC(nullptr));
    if (!bitmap || !dc || !pixels) return false;
    {
        winui::SelectedObject selected(dc.get(), bitmap.get());
        const RECT all{0, 0, image.width, image.height};
        HBRUSH brush = CreateSolidBrush(background & 0xFFFFFF);
        FillRect(dc.get(), &all, brush);
        DeleteObject(brush);
        if (!DrawIconEx(dc.get(), 0, 0, icon.get(), image.width, image.height, 0, nullptr, DI_NORMAL)) return false;
        GdiFlush();
    }
    picture.width = image.width;
    picture.height = image.height;
    picture.pixels.assign(static_cast<const std::uint32_t*>(pixels),
                          static_cast<const std::uint32_t*>(pixels) + std::size_t(image.width) * image.height);
    for (auto& pixel : picture.pixels) pixel |= 0xFF000000u;
    return true;
}

std::string Folder(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
}

}  // namespace

std::string GroupText(const ModuleGroupKey& group) {
    return group.IsNamed() ? group.name : std::to_string(group.number);
}

Outcome ReadGroup(const std::string& source, const ModuleGroupKey& group, const Texts& texts, GroupImages& out,
                  bool& groupFound) {
    out = {};
    groupFound = true;
    Collector collector(out);
    if (IsIconFilePath(source)) {
        ReadIconFile(source, collector, collector);
    } else {
        const auto result = ReadModuleGroup(source, group, collector, collector);
        if (result == ModuleReadResult::GroupMissing) {
            groupFound = false;
            return {Failure::Group, texts.GroupMissing(GroupText(group), source)};
        }
    }
    if (!collector.message.empty()) return {Failure::Source, collector.message};
    return {};
}

Outcome WriteFileWhole(const std::string& destination, std::span<const std::uint8_t> bytes, const Texts& texts) {
    const Outcome failed{Failure::Destination, texts.CannotWrite(destination)};
    char temporary[MAX_PATH];
    // GetTempFileNameA makes the file, under a name no other process holds.
    if (!GetTempFileNameA(Folder(destination).c_str(), "gly", 0, temporary)) return failed;
    bool ok = false;
    {
        winui::OwnedFile file(CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD written = 0;
        ok = file && WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
             written == bytes.size();
        if (ok) ok = CloseHandle(file.release()) != 0;
    }
    if (ok) ok = MoveFileExA(temporary, destination.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
    if (!ok) {
        DeleteFileA(temporary);
        return failed;
    }
    return {};
}

std::uint32_t PictureBackground() {
    constexpr std::uint32_t kWhite = 0xFFFFFF;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Pictoharvest\\Options", 0, KEY_READ, &key) != ERROR_SUCCESS)
        return kWhite;
    char text[64] = {};
    DWORD size = sizeof text - 1;
    DWORD type = 0;
    const LONG status = RegQueryValueExA(key, "BackColorBMP", nullptr, &type, reinterpret_cast<BYTE*>(text), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return kWhite;
    text[std::min<DWORD>(size, sizeof text - 1)] = 0;
    const auto colour = ParseColourText(text);
    if (!colour) return kWhite;
    const std::uint32_t top = *colour >> 24;
    if (top == 0xFF || top == 0x80) return GetSysColor(static_cast<int>(*colour & 0xFF)) & 0xFFFFFF;
    if (*colour == 0x1FFFFFFF || *colour == 0x20000000) return kWhite;  // clNone, clDefault
    return *colour & 0xFFFFFF;
}

bool DrawPicture(const IconImage& image, std::uint32_t background, Picture& picture) {
    if (image.isPng) {
        Picture decoded;
        if (!DecodePng(image.bits, decoded)) return false;
        picture = OnBackground(decoded, background);
        return true;
    }
    if (auto decoded = DecodeIconDib(image.bits)) {
        picture = OnBackground(*decoded, background);
        return true;
    }
    return DrawWithSystem(image, background, picture);
}

bool EncodeJpeg(const Picture& picture, std::vector<std::uint8_t>& out) {
    GdiplusSession session;
    if (!session.ok() || picture.width <= 0 || picture.height <= 0) return false;
    const INT stride = (picture.width * 3 + 3) / 4 * 4;
    std::vector<BYTE> rows(static_cast<std::size_t>(stride) * picture.height);
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x) {
            const std::uint32_t pixel = picture.pixels[static_cast<std::size_t>(y) * picture.width + x];
            BYTE* at = &rows[static_cast<std::size_t>(y) * stride + 3 * x];
            at[0] = static_cast<BYTE>(pixel), at[1] = static_cast<BYTE>(pixel >> 8), at[2] = static_cast<BYTE>(pixel >> 16);
        }
    Gdiplus::GpBitmap* made = nullptr;
    if (gp::GdipCreateBitmapFromScan0(picture.width, picture.height, stride, PixelFormat24bppRGB, rows.data(), &made) !=
        Gdiplus::Ok)
        return false;
    OwnedGpBitmap bitmap(made);

    UINT count = 0, size = 0;
    if (gp::GdipGetImageEncodersSize(&count, &size) != Gdiplus::Ok || size == 0) return false;
    std::vector<std::uint8_t> buffer(size);
    auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (gp::GdipGetImageEncoders(count, size, encoders) != Gdiplus::Ok) return false;
    const CLSID* jpeg = nullptr;
    for (UINT i = 0; i < count; ++i)
        if (encoders[i].MimeType && lstrcmpiW(encoders[i].MimeType, L"image/jpeg") == 0) jpeg = &encoders[i].Clsid;
    if (!jpeg) return false;

    IStream* raw = nullptr;
    if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &raw))) return false;
    ComPtr<IStream> stream(raw);
    if (gp::GdipSaveImageToStream(bitmap.get(), stream.get(), jpeg, nullptr) != Gdiplus::Ok) return false;
    STATSTG stat{};
    if (FAILED(stream->Stat(&stat, STATFLAG_NONAME))) return false;
    out.resize(static_cast<std::size_t>(stat.cbSize.QuadPart));
    LARGE_INTEGER start{};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    ULONG read = 0;
    return SUCCEEDED(stream->Read(out.data(), static_cast<ULONG>(out.size()), &read)) && read == out.size();
}

Outcome RunExport(const ExportCommand& command, const Texts& texts) {
    GroupImages group;
    bool groupFound = true;
    const Outcome read = ReadGroup(command.source, command.group, texts, group, groupFound);
    if (!groupFound) return read;
    for (int position : command.positions) {
        if (position < static_cast<int>(group.images.size())) continue;
        // A read that stopped on a message says more than the position does.
        if (!read) return read;
        return {Failure::Position, texts.PositionMissing(GroupText(command.group), position, command.source)};
    }

    std::vector<std::uint8_t> bytes;
    if (command.kind == ExportKind::Icon) {
        std::vector<IconImage> chosen;
        chosen.reserve(command.positions.size());
        for (int position : command.positions) chosen.push_back(group.images[position]);
        bytes = BuildIconFile(chosen);
    } else {
        const int position = command.positions.front();
        Picture picture;
        if (!DrawPicture(group.images[position], PictureBackground(), picture))
            return {Failure::Picture, texts.PictureFailed(position, command.source)};
        if (command.kind == ExportKind::Bitmap) bytes = BuildBmp24(picture);
        else if (!EncodeJpeg(picture, bytes)) return {Failure::Picture, texts.PictureFailed(position, command.source)};
    }
    return WriteFileWhole(command.destination, bytes, texts);
}

}  // namespace ph::glyphsmith
