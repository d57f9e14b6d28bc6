// Parses icon files of 100, 200 and 400 images in memory and prints images
// per second; equal rates show that reading is linear in the image count.
#include <chrono>
#include <cstdio>
#include <vector>

#include "icon_fixtures.h"
#include "pictoharvest/icons/icon_file_reader.h"

namespace {

class CountingSink final : public ph::IconImageSink {
public:
    void AppendImage(const ph::IconImage& image, int, int) override { bytes += image.bits.size(); }
    std::size_t bytes = 0;
};

class SilentReporter final : public ph::IconReadReporter {
public:
    void Report(ph::IconReadError, std::string_view) override { ++errors; }
    int errors = 0;
};


}  // namespace

int main() {
    for (int images : {100, 200, 400}) {
        const auto file = ph::testing::MakeMixedIconFile(images);
        CountingSink sink;
        SilentReporter reporter;
        int rounds = 0;
        const auto start = std::chrono::steady_clock::now();
        std::chrono::duration<double> elapsed{};
        do {
            ph::MemoryByteSource source(file);
            ph::ReadIconFile(source, "bench.ico", sink, reporter);
            ++rounds;
            elapsed = std::chrono::steady_clock::now() - start;
        } while (elapsed.count() < 1.0);
        if (reporter.errors) std::printf("unexpected read errors: %d\n", reporter.errors);
        std::printf("bench_icon_file_native: %d images (%zu bytes): %.0f images/s\n", images, file.size(),
                    images * rounds / elapsed.count());
    }
    return 0;
}
