// phunzip ARCHIVE DESTFOLDER: unpacks the archive exactly as the update
// does and prints one line per entry: index, name, result.
#include <cstdio>
#include <filesystem>
#include <string>

#include "pictoharvest/update/unzip_datei.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: phunzip ARCHIVE DESTFOLDER\n", stderr);
        return 2;
    }
    // The archive is opened after entering the destination folder.
    std::error_code error;
    const std::string archive = std::filesystem::absolute(argv[1], error).string();
    const bool done = ph::update::UnzipDatei(argv[2], error ? argv[1] : archive, [](std::int32_t index, const char* name,
                                                                   ph::update::UnzipResult result) {
        std::printf("%d ", static_cast<int>(index));
        // One line per entry, whatever bytes the name holds.
        for (const char* c = name; *c; ++c) std::putchar(static_cast<unsigned char>(*c) < 0x20 ? '?' : *c);
        std::printf(" %s\n", ph::update::UnzipResultName(result));
    });
    if (!done) std::fprintf(stderr, "phunzip: cannot unpack %s into %s\n", argv[1], argv[2]);
    return done ? 0 : 1;
}
