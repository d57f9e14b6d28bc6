#include "pictoharvest/browser/id_list_layout.h"

#include <algorithm>
#include <cstring>

namespace ph {
namespace {

// Reads little-endian 16-bit values and remembers when a read went past the
// end, so a walk is a plain loop with one check.
class ByteCursor {
public:
    explicit ByteCursor(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::uint16_t U16() {
        if (failed_ || bytes_.size() - position_ < 2) {
            failed_ = true;
            return 0;
        }
        const std::uint16_t value =
            static_cast<std::uint16_t>(bytes_[position_] | (bytes_[position_ + 1] << 8));
        position_ += 2;
        return value;
    }

    void Skip(std::size_t count) {
        if (failed_ || bytes_.size() - position_ < count) {
            failed_ = true;
            return;
        }
        position_ += count;
    }

    bool failed() const { return failed_; }
    std::size_t position() const { return position_; }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t position_ = 0;
    bool failed_ = false;
};

}  // namespace

IdListMeasure MeasureIdList(std::span<const std::uint8_t> bytes) {
    ByteCursor cursor(bytes);
    IdListMeasure measure;
    for (;;) {
        const std::uint16_t count = cursor.U16();
        if (cursor.failed()) return {IdListWalk::Truncated, 0, 0};
        if (count == 0) break;
        if (count == 1) return {IdListWalk::BadItem, 0, 0};
        cursor.Skip(count - 2u);
        if (cursor.failed()) return {IdListWalk::Truncated, 0, 0};
        ++measure.items;
    }
    measure.size = cursor.position();
    return measure;
}

std::size_t ShellIdListSize(const std::uint8_t* list) {
    if (!list) return kIdListTerminatorSize;
    std::size_t size = 0;
    for (;;) {
        std::uint8_t countBytes[2];
        std::memcpy(countBytes, list + size, sizeof countBytes);
        const std::size_t count = countBytes[0] | (countBytes[1] << 8);
        if (count < 2) break;
        size += count;
    }
    return size + kIdListTerminatorSize;
}

std::size_t ConcatenatedIdListSize(std::size_t sizeA, std::size_t sizeB) {
    return (sizeA - kIdListTerminatorSize) + (sizeB - kIdListTerminatorSize) + kIdListTerminatorSize;
}

bool WriteConcatenatedIdList(std::span<const std::uint8_t> a, std::span<const std::uint8_t> b,
                             std::span<std::uint8_t> out) {
    const std::size_t sizeA = a.empty() ? kIdListTerminatorSize : a.size();
    const std::size_t sizeB = b.empty() ? kIdListTerminatorSize : b.size();
    if (sizeA < kIdListTerminatorSize || sizeB < kIdListTerminatorSize) return false;
    if (out.size() != ConcatenatedIdListSize(sizeA, sizeB)) return false;
    std::fill(out.begin(), out.end(), std::uint8_t{0});
    const std::size_t itemsA = sizeA - kIdListTerminatorSize;
    const std::size_t itemsB = sizeB - kIdListTerminatorSize;
    if (itemsA) std::copy_n(a.begin(), itemsA, out.begin());
    if (itemsB) std::copy_n(b.begin(), itemsB, out.begin() + static_cast<std::ptrdiff_t>(itemsA));
    return true;
}

std::vector<std::uint8_t> ConcatenateIdListBytes(std::span<const std::uint8_t> a,
                                                 std::span<const std::uint8_t> b) {
    const std::size_t sizeA = a.empty() ? kIdListTerminatorSize : a.size();
    const std::size_t sizeB = b.empty() ? kIdListTerminatorSize : b.size();
    if (sizeA < kIdListTerminatorSize || sizeB < kIdListTerminatorSize) return {};
    std::vector<std::uint8_t> out(ConcatenatedIdListSize(sizeA, sizeB));
    if (!WriteConcatenatedIdList(a, b, out)) return {};
    return out;
}

}  // namespace ph
