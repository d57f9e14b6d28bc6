// Any bytes as an icon file: the reader must neither crash nor read outside
// the data, and every image it hands out must hold its bitmaps.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "icon_fixtures.h"
#include "pictoharvest/icons/icon_file_reader.h"
#include "test_support.h"

namespace {

class CheckingSink final : public ph::IconImageSink {
public:
    void AppendImage(const ph::IconImage& image, int, int) override {
        if (image.isPng) return;
        if (image.xorOffset > image.andOffset) std::abort();
        // The whole mask, one bit a pixel in rows padded to 4 bytes, lies
        // inside the bits.
        const std::uint64_t maskRow = (static_cast<std::uint64_t>(image.width) + 31) / 32 * 4;
        const std::uint64_t maskEnd = image.andOffset + maskRow * static_cast<std::uint64_t>(image.height);
        if (maskEnd > image.bits.size()) std::abort();
        volatile std::uint8_t touch = 0;
        if (maskEnd > 0) touch = image.bits[maskEnd - 1];
        (void)touch;
    }
};

class SilentReporter final : public ph::IconReadReporter {
public:
    void Report(ph::IconReadError, std::string_view) override {}
};

}  // namespace

// An empty corpus folder gets a few good files to start from, so the runs
// reach the image checks at once instead of first finding a valid header.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    namespace fs = std::filesystem;
    for (int i = 1; i < *argc; ++i) {
        const std::string arg = (*argv)[i];
        if (arg.empty() || arg[0] == '-') continue;
        std::error_code ec;
        if (!fs::is_directory(arg, ec) || !fs::is_empty(arg, ec)) break;
        using namespace ph::testing;
        WriteBytes(fs::path(arg) / "seed-dib.ico", MakeIconFile({{MakeDibImage(16, 16, 4)}, {MakeDibImage(8, 8, 32)}}));
        WriteBytes(fs::path(arg) / "seed-png.ico", MakeIconFile({{MakePngImage(4, 4)}, {MakeDibImage(4, 4, 1)}}));
        break;
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ph::MemoryByteSource source({data, size});
    CheckingSink sink;
    SilentReporter reporter;
    ph::ReadIconFile(source, "fuzz.ico", sink, reporter);
    return 0;
}
