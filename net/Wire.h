#pragma once
// Bytes on the wire: little-endian integers and single-precision floats, written to a
// growing buffer and read back from a span that is never read past its end.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace quindra::net {

class WireWriter {
  public:
    void u8(std::uint8_t v) { bytes_.push_back(v); }
    void u16(std::uint16_t v);
    void u32(std::uint32_t v);
    void i32(std::int32_t v) { u32(static_cast<std::uint32_t>(v)); }
    void f32(float v);
    // A short text: its length in one byte, then its bytes.
    void text8(const std::string& v);
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }
    std::vector<std::uint8_t> take() { return std::move(bytes_); }

  private:
    std::vector<std::uint8_t> bytes_;
};

// Every read past the end yields zero and marks the reader failed, so a decoder reads a
// whole message and checks once.
class WireReader {
  public:
    explicit WireReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::uint8_t u8();
    std::uint16_t u16();
    std::uint32_t u32();
    std::int32_t i32() { return static_cast<std::int32_t>(u32()); }
    float f32();
    std::string text8(std::size_t longest);

    bool failed() const { return failed_; }
    // True when every byte was read and none was missing.
    bool complete() const { return !failed_ && at_ == bytes_.size(); }

  private:
    bool has(std::size_t n);

    std::span<const std::uint8_t> bytes_;
    std::size_t at_ = 0;
    bool failed_ = false;
};

} // namespace quindra::net
