#pragma once
// The parts of reading a shell name (a STRRET) that are plain byte logic.
// Portable: no windows.h here.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace ph {

// The kinds a STRRET says its text comes in.
enum class StrRetKind : std::uint32_t {
    WideText = 0,  // STRRET_WSTR: a UTF-16 string from the shell allocator
    Offset = 1,    // STRRET_OFFSET: an offset into the child list
    Inline = 2,    // STRRET_CSTR: the text stored in the STRRET itself
};

// Bytes of the inline text buffer of a STRRET.
inline constexpr std::size_t kStrRetInlineSize = 260;

// The zero-terminated text that starts at offset in bytes. It never reads
// past bytes: an offset outside gives empty text, a text without its zero
// ends with the buffer.
std::string ZeroTerminatedText(std::span<const std::uint8_t> bytes, std::size_t offset);

}  // namespace ph
