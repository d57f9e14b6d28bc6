// Any bytes as an icon file: the reader must neither crash nor read outside
// the data, and every image it hands out must hold its bitmaps.
#include <cstdint>
#include <cstdlib>

#include "pictoharvest/icons/icon_file_reader.h"

namespace {

class CheckingSink final : public ph::IconImageSink {
public:
    void AppendImage(const ph::IconImage& image, int, int) override {
        if (image.xorOffset > image.andOffset && !image.isPng) std::abort();
        if (image.andOffset > image.bits.size()) std::abort();
        volatile std::uint8_t touch = 0;
        if (image.andOffset < image.bits.size()) touch = image.bits[image.andOffset];
        (void)touch;
    }
};

class SilentReporter final : public ph::IconReadReporter {
public:
    void Report(ph::IconReadError, std::string_view) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ph::MemoryByteSource source({data, size});
    CheckingSink sink;
    SilentReporter reporter;
    ph::ReadIconFile(source, "fuzz.ico", sink, reporter);
    return 0;
}
