// phunzip ARCHIVE DESTFOLDER: unpacks the archive exactly as the update
// does and prints one line per entry: index, name, result. Exits 0 when the
// archive was opened and walked.
//
// With more pairs (phunzip A1 D1 A2 D2 ...) each archive is unpacked in
// turn and its lines end with "end 0" or "end 1", its own exit status; the
// program exits 0 when every one was unpacked. Tests use this to spare a
// process start per archive.
#include <cstdio>
#include <filesystem>
#include <string>

#include "pictoharvest/update/unzip_datei.h"

namespace {

bool Unpack(const char* archive, const char* destination) {
    // The archive is opened after entering the destination folder.
    std::error_code error;
    const std::string full = std::filesystem::absolute(archive, error).string();
    const bool done = ph::update::UnzipDatei(
        destination, error ? archive : full, [](std::int32_t index, const char* name, ph::update::UnzipResult result) {
            std::printf("%d ", static_cast<int>(index));
            // One line per entry, whatever bytes the name holds.
            for (const char* c = name; *c; ++c) std::putchar(static_cast<unsigned char>(*c) < 0x20 ? '?' : *c);
            std::printf(" %s\n", ph::update::UnzipResultName(result));
        });
    if (!done) std::fprintf(stderr, "phunzip: cannot unpack %s into %s\n", archive, destination);
    return done;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3 || argc % 2 == 0) {
        std::fputs("usage: phunzip ARCHIVE DESTFOLDER [ARCHIVE DESTFOLDER]...\n", stderr);
        return 2;
    }
    if (argc == 3) return Unpack(argv[1], argv[2]) ? 0 : 1;
    bool all = true;
    for (int i = 1; i + 1 < argc; i += 2) {
        const bool done = Unpack(argv[i], argv[i + 1]);
        std::printf("end %d\n", done ? 0 : 1);
        std::fflush(stdout);
        all = all && done;
    }
    return all ? 0 : 1;
}
