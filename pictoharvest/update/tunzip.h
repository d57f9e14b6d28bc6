#pragma once
// The archive reader: one per open archive. It walks the central directory
// forward from the current entry, checks each entry's local header, and
// writes entries through an UnzipOutput. Portable: no windows.h here.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "pictoharvest/update/unzip_output.h"
#include "pictoharvest/update/unzip_types.h"
#include "pictoharvest/update/zip_entry_data.h"
#include "pictoharvest/update/zip_format.h"
#include "pictoharvest/update/zip_input.h"

namespace ph::update {

class TUnzip {
public:
    // Null, with result, when the archive has no valid end record.
    static std::unique_ptr<TUnzip> Open(std::unique_ptr<ZipInput> input, std::unique_ptr<UnzipOutput> output,
                                        UnzipResult& result);

    // Index -1 gives the entry count in the index field.
    UnzipResult GetUnzipEntry(std::int32_t index, UnzipEntry& entry);
    // Writes the entry to name (relative to the current folder); a directory
    // entry creates its folder below the root instead.
    UnzipResult UnzipEntryToFile(std::int32_t index, const std::string& name);

    std::int32_t EntryCount() const { return entryCount_; }
    std::uint64_t BytesBefore() const { return bytesBefore_; }

private:
    TUnzip(std::unique_ptr<ZipInput> input, std::unique_ptr<UnzipOutput> output, const EndRecord& end);

    void ReadCurrent();
    void GoToFirst();
    bool GoToNext();
    UnzipResult GoTo(std::int32_t index);
    // The local header of the current entry, checked against its record.
    bool CheckLocalHeader(LocalHeader& header);
    std::uint64_t LocalOffset() const { return bytesBefore_ + current_.localOffset; }
    void EnsureFolderOnce(std::string_view folder);

    std::unique_ptr<ZipInput> input_;
    std::unique_ptr<UnzipOutput> output_;
    std::uint64_t bytesBefore_ = 0;
    std::int32_t entryCount_ = 0;
    std::uint32_t directoryOffset_ = 0;

    std::int32_t currentIndex_ = 0;
    std::uint64_t currentPosition_ = 0;
    CentralRecord current_;
    char currentName_[kUnzipNameSize] = {};
    bool currentOk_ = false;

    ZipEntryData data_;
    std::vector<std::uint8_t> extra_;
    std::unique_ptr<std::uint8_t[]> outBlock_;
    std::string lastFolder_;
    bool haveLastFolder_ = false;

    UnzipEntry cached_;
    std::int32_t cachedIndex_ = -1;
};

// The C-like face the program uses: a null handle is UnzipBadArguments.
UnzipResult GetUnzipEntry(TUnzip* handle, std::int32_t index, UnzipEntry& entry);
UnzipResult UnzipEntryToFile(TUnzip* handle, std::int32_t index, const std::string& name);
UnzipResult CloseUnzip(std::unique_ptr<TUnzip>& handle);

// Creates every level of path below the output's root, outermost first.
void EnsureFolder(UnzipOutput& output, std::string_view path);

}  // namespace ph::update
