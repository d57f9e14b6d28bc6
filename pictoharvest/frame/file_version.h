#pragma once
// Reading one string field of a file's version resource. The header is
// portable; GetFileVersionField itself is Win32 (library frame_version), the
// byte and text rules beside it are portable (library frame_version_core).
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace ph {

// Copies the field's text of path's version resource into destination, cut
// to capacity - 1 bytes and always zero-terminated. Returns the length of
// the whole text, or 0 (with an empty destination) when the file has no
// version resource, no translation table or no such field.
unsigned GetFileVersionField(const char* path, const char* field, unsigned capacity, char* destination);

// One entry of "\VarFileInfo\Translation".
struct VersionTranslation {
    std::uint16_t language = 0;
    std::uint16_t codePage = 0;
};

// The first entry of a translation table's bytes; none when it is shorter
// than one entry.
std::optional<VersionTranslation> FirstVersionTranslation(std::span<const std::uint8_t> table);

// "\StringFileInfo\" + eight lower-case hex digits (language, then code
// page) + "\" + field.
std::string VersionFieldKey(VersionTranslation translation, std::string_view field);

// Writes text into destination the way GetFileVersionField hands it out:
// whole when it fits before the last byte, else its first capacity - 1
// bytes; the last byte is always zero. Nothing is written when capacity is 0.
void CopyVersionText(std::string_view text, unsigned capacity, char* destination);

}  // namespace ph
