#include "pictoharvest/update/tunzip.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace ph::update {
namespace {

constexpr std::size_t kNameCut = kUnzipNameSize - 1;

std::string_view FolderPart(std::string_view name) {
    const std::size_t separator = name.find_last_of("/\\");
    return separator == std::string_view::npos ? std::string_view{} : name.substr(0, separator);
}

}  // namespace

const char* UnzipResultName(UnzipResult result) {
    switch (result) {
    case UnzipOk: return "UnzipOk";
    case UnzipCannotOpen: return "UnzipCannotOpen";
    case UnzipWriteFailed: return "UnzipWriteFailed";
    case UnzipCorrupt: return "UnzipCorrupt";
    case UnzipReadFailed: return "UnzipReadFailed";
    case UnzipBadArguments: return "UnzipBadArguments";
    }
    return "Unknown";
}

std::unique_ptr<TUnzip> TUnzip::Open(std::unique_ptr<ZipInput> input, std::unique_ptr<UnzipOutput> output,
                                     UnzipResult& result) {
    result = UnzipCorrupt;
    if (!input || !output) return nullptr;
    const auto position = FindEndRecord(*input);
    EndRecord end;
    if (!position || !ReadEndRecord(*input, *position, end)) return nullptr;
    result = UnzipOk;
    return std::unique_ptr<TUnzip>(new TUnzip(std::move(input), std::move(output), end));
}

TUnzip::TUnzip(std::unique_ptr<ZipInput> input, std::unique_ptr<UnzipOutput> output, const EndRecord& end)
    : input_(std::move(input)),
      output_(std::move(output)),
      bytesBefore_(end.position - (std::uint64_t{end.directoryOffset} + end.directorySize)),
      entryCount_(end.entryCount),
      directoryOffset_(end.directoryOffset),
      outBlock_(std::make_unique<std::uint8_t[]>(kUnzipBlockSize)) {
    GoToFirst();
}

// The record and its name (cut to 259 bytes) in one read.
void TUnzip::ReadCurrent() {
    std::array<std::uint8_t, kCentralRecordSize + kNameCut> bytes;
    std::size_t got = 0;
    currentOk_ = false;
    currentName_[0] = '\0';
    if (!input_->ReadAt(bytesBefore_ + currentPosition_, bytes.data(), bytes.size(), got) ||
        got < kCentralRecordSize)
        return;
    if (!ParseCentralRecord(std::span(bytes.data(), kCentralRecordSize), current_)) return;
    const std::size_t nameLength = std::min<std::size_t>(current_.nameLength, kNameCut);
    if (got < kCentralRecordSize + nameLength) return;
    std::memcpy(currentName_, bytes.data() + kCentralRecordSize, nameLength);
    currentName_[nameLength] = '\0';
    currentOk_ = true;
}

void TUnzip::GoToFirst() {
    currentIndex_ = 0;
    currentPosition_ = directoryOffset_;
    ReadCurrent();
}

bool TUnzip::GoToNext() {
    if (!currentOk_ || currentIndex_ + 1 >= entryCount_) return false;
    currentPosition_ += kCentralRecordSize + std::uint64_t{current_.nameLength} + current_.extraLength +
                        current_.commentLength;
    ++currentIndex_;
    ReadCurrent();
    return true;
}

UnzipResult TUnzip::GoTo(std::int32_t index) {
    if (index < currentIndex_) GoToFirst();
    while (currentIndex_ < index)
        if (!GoToNext()) return UnzipCorrupt;
    return currentOk_ ? UnzipOk : UnzipCorrupt;
}

bool TUnzip::CheckLocalHeader(LocalHeader& header) {
    std::array<std::uint8_t, kLocalHeaderSize> bytes;
    return input_->ReadExact(LocalOffset(), bytes.data(), bytes.size()) && ParseLocalHeader(bytes, header) &&
           LocalHeaderAgrees(header, current_);
}

UnzipResult TUnzip::GetUnzipEntry(std::int32_t index, UnzipEntry& entry) {
    if (index < -1 || index >= entryCount_) return UnzipBadArguments;
    data_.Close();
    if (index != -1 && index == cachedIndex_) {
        entry = cached_;
        return UnzipOk;
    }
    if (index == -1) {
        entry = UnzipEntry{};
        entry.index = entryCount_;
        return UnzipOk;
    }
    if (const UnzipResult walked = GoTo(index); walked != UnzipOk) return walked;
    LocalHeader local;
    if (!CheckLocalHeader(local)) return UnzipCorrupt;
    extra_.resize(local.extraLength);
    if (!input_->ReadExact(LocalOffset() + kLocalHeaderSize + local.nameLength, extra_.data(), extra_.size()))
        return UnzipReadFailed;

    UnzipEntry filled;
    filled.index = index;
    std::memcpy(filled.name, currentName_, sizeof filled.name);
    filled.compressedSize = static_cast<std::int32_t>(current_.compressedSize);
    filled.uncompressedSize = static_cast<std::int32_t>(current_.uncompressedSize);
    filled.attributes = MapAttributes(current_.externalAttributes);
    const std::uint64_t dosTime = DosTimeToFileTime(current_.dosTime);
    filled.accessTime = filled.creationTime = filled.modificationTime = dosTime;
    ApplyTimestampBlock(extra_, filled);

    cached_ = filled;
    cachedIndex_ = index;
    entry = filled;
    return UnzipOk;
}

void TUnzip::EnsureFolderOnce(std::string_view folder) {
    // Entries of one folder usually follow each other: its levels were made
    // for the entry before.
    if (haveLastFolder_ && folder == lastFolder_) return;
    EnsureFolder(*output_, folder);
    lastFolder_.assign(folder);
    haveLastFolder_ = true;
}

UnzipResult TUnzip::UnzipEntryToFile(std::int32_t index, const std::string& name) {
    data_.Close();
    if (index < 0 || index >= entryCount_) return UnzipBadArguments;
    UnzipEntry entry;
    if (const UnzipResult got = GetUnzipEntry(index, entry); got != UnzipOk) return got;

    if (entry.attributes & kAttributeDirectory) {
        if (!IsSafeEntryName(entry.name)) return UnzipCannotOpen;
        EnsureFolder(*output_, entry.name);
        haveLastFolder_ = false;
        return UnzipOk;
    }
    // Names that would leave the destination are skipped whole.
    if (!IsSafeEntryName(name)) return UnzipCannotOpen;
    if (const std::string_view folder = FolderPart(name); !folder.empty()) EnsureFolderOnce(folder);
    std::unique_ptr<UnzipOutputFile> file = output_->CreateOutputFile(name, entry.attributes);
    if (!file) return UnzipCannotOpen;

    // The walk stands on this entry since GetUnzipEntry, unless it was cached.
    bool failed = GoTo(index) != UnzipOk;
    LocalHeader local;
    if (!failed && CheckLocalHeader(local))
        data_.Open(*input_, bytesBefore_, current_,
                   std::uint64_t{current_.localOffset} + kLocalHeaderSize + local.nameLength + local.extraLength);
    while (!failed) {
        const long got = data_.Read(outBlock_.get(), kUnzipBlockSize);
        if (got < 0) failed = true;
        if (got <= 0) break;
        if (!file->Write(outBlock_.get(), static_cast<std::size_t>(got))) failed = true;
    }
    // A damaged entry must not leave a file that looks complete.
    if (failed || !data_.Finish()) {
        data_.Close();
        file->Discard();
        return UnzipWriteFailed;
    }
    file->SetTimes(entry);
    file.reset();
    data_.Close();
    return UnzipOk;
}

UnzipResult GetUnzipEntry(TUnzip* handle, std::int32_t index, UnzipEntry& entry) {
    return handle ? handle->GetUnzipEntry(index, entry) : UnzipBadArguments;
}

UnzipResult UnzipEntryToFile(TUnzip* handle, std::int32_t index, const std::string& name) {
    return handle ? handle->UnzipEntryToFile(index, name) : UnzipBadArguments;
}

UnzipResult CloseUnzip(std::unique_ptr<TUnzip>& handle) {
    if (!handle) return UnzipBadArguments;
    handle.reset();
    return UnzipOk;
}

void EnsureFolder(UnzipOutput& output, std::string_view path) {
    if (path.empty()) return;
    if (const std::string_view parent = FolderPart(path); !parent.empty()) EnsureFolder(output, parent);
    output.CreateFolder(std::string(path));
}

}  // namespace ph::update
