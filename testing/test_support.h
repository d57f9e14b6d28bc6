#pragma once
// Small helpers for tests on both platforms.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace ph::testing {

// A fresh folder under the system's temporary folder, removed with its
// contents when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    // path() / name as a narrow string (what the ...A functions take).
    std::string File(const std::string& name) const;

private:
    std::filesystem::path path_;
};

void WriteBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);
std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path);

// Little-endian builder for fixtures.
class Bytes {
public:
    Bytes& U8(std::uint8_t v);
    Bytes& U16(std::uint16_t v);
    Bytes& U32(std::uint32_t v);
    Bytes& I32(std::int32_t v) { return U32(static_cast<std::uint32_t>(v)); }
    Bytes& Append(const std::vector<std::uint8_t>& more);
    Bytes& Fill(std::size_t count, std::uint8_t value = 0);
    std::size_t size() const { return data_.size(); }
    const std::vector<std::uint8_t>& data() const { return data_; }
    operator const std::vector<std::uint8_t>&() const { return data_; }

private:
    std::vector<std::uint8_t> data_;
};

}  // namespace ph::testing
