// Reads icon files of 100, 200 and 400 images from disk into the image
// collection, previews included, and prints images per second; equal rates
// show that reading is linear in the image count.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <vector>

#include "icon_fixtures.h"
#include "pictoharvest/icons/icon_file_win32.h"
#include "pictoharvest/icons/image_collection.h"
#include "test_support.h"

namespace {

class CountingReporter final : public ph::IconReadReporter {
public:
    void Report(ph::IconReadError, std::string_view) override { ++errors; }
    int errors = 0;
};


}  // namespace

int main() {
    ph::testing::TempDir dir;
    ph::ImageCollection collection;
    for (int images : {100, 200, 400}) {
        const std::string path = dir.File("bench" + std::to_string(images) + ".ico");
        ph::testing::WriteBytes(path, ph::testing::MakeMixedIconFile(images));
        CountingReporter reporter;
        int rounds = 0;
        const auto start = std::chrono::steady_clock::now();
        std::chrono::duration<double> elapsed{};
        do {
            collection.Clear();
            ph::ReadIconFile(path, collection, reporter);
            ++rounds;
            elapsed = std::chrono::steady_clock::now() - start;
        } while (elapsed.count() < 1.0);
        if (reporter.errors || collection.imageCount() != images)
            std::printf("unexpected: %d errors, %d images\n", reporter.errors, collection.imageCount());
        std::printf("bench_icon_file_wine: %d images with previews: %.0f images/s\n", images,
                    images * rounds / elapsed.count());
    }
    return 0;
}
