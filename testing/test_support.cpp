#include "test_support.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <stdexcept>

namespace ph::testing {
namespace fs = std::filesystem;

TempDir::TempDir() {
    static std::atomic<unsigned> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path candidate = fs::temp_directory_path() /
                             ("ph-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
        std::error_code ec;
        if (fs::create_directory(candidate, ec)) {
            path_ = candidate;
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

TempDir::~TempDir() {
    std::error_code ec;
    fs::remove_all(path_, ec);
}

std::string TempDir::File(const std::string& name) const { return (path_ / name).string(); }

void WriteBytes(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

std::vector<std::uint8_t> ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path.string());
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

Bytes& Bytes::U8(std::uint8_t v) {
    data_.push_back(v);
    return *this;
}
Bytes& Bytes::U16(std::uint16_t v) { return U8(v & 0xFF).U8(v >> 8); }
Bytes& Bytes::U32(std::uint32_t v) { return U16(v & 0xFFFF).U16(v >> 16); }
Bytes& Bytes::Append(const std::vector<std::uint8_t>& more) {
    data_.insert(data_.end(), more.begin(), more.end());
    return *this;
}
Bytes& Bytes::Fill(std::size_t count, std::uint8_t value) {
    data_.insert(data_.end(), count, value);
    return *this;
}

}  // namespace ph::testing
