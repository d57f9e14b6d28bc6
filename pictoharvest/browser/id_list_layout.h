#pragma once
// Byte layout of shell item identifier lists: a run of items, each starting
// with its 16-bit little-endian byte count (the count includes those two
// bytes), ended by a zero count. Portable: no windows.h here.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace ph {

// Bytes of the terminating zero count; also the size of an empty list.
inline constexpr std::size_t kIdListTerminatorSize = 2;

enum class IdListWalk {
    Ok,
    Truncated,  // an item or the terminator would reach past the buffer
    BadItem,    // an item count of 1, which cannot hold its own count
};

struct IdListMeasure {
    IdListWalk result = IdListWalk::Ok;
    std::size_t size = 0;   // sum of the item counts + 2 (valid when result is Ok)
    std::size_t items = 0;  // number of items (valid when result is Ok)
};

// Walks the list at the start of bytes without ever reading past its end.
IdListMeasure MeasureIdList(std::span<const std::uint8_t> bytes);

// Size of a list handed out by the shell, whose memory we cannot bound: the
// walk stops at the first count below 2, which is treated as the terminator.
// A null list counts as empty.
std::size_t ShellIdListSize(const std::uint8_t* list);

// (sizeA - 2) + (sizeB - 2) + 2: the size of a joined with b.
std::size_t ConcatenatedIdListSize(std::size_t sizeA, std::size_t sizeB);

// Writes a's items, b's items and a zero terminator into out, which must be
// exactly ConcatenatedIdListSize(a.size(), b.size()) bytes; a and b are whole
// lists including their terminators, and an empty span stands for a missing
// list. Returns false (and writes nothing) when a size does not add up.
bool WriteConcatenatedIdList(std::span<const std::uint8_t> a, std::span<const std::uint8_t> b,
                             std::span<std::uint8_t> out);

// The same join into a new buffer; empty when the sizes do not add up.
std::vector<std::uint8_t> ConcatenateIdListBytes(std::span<const std::uint8_t> a,
                                                 std::span<const std::uint8_t> b);

}  // namespace ph
