#include "Wire.h"

#include <bit>

namespace quindra::net {

void WireWriter::u16(std::uint16_t v) {
    u8(static_cast<std::uint8_t>(v & 0xff));
    u8(static_cast<std::uint8_t>(v >> 8));
}

void WireWriter::u32(std::uint32_t v) {
    u16(static_cast<std::uint16_t>(v & 0xffff));
    u16(static_cast<std::uint16_t>(v >> 16));
}

void WireWriter::f32(float v) {
    u32(std::bit_cast<std::uint32_t>(v));
}

void WireWriter::text8(const std::string& v) {
    const std::size_t n = v.size() > 255 ? 255 : v.size();
    u8(static_cast<std::uint8_t>(n));
    bytes_.insert(bytes_.end(), v.begin(), v.begin() + static_cast<std::ptrdiff_t>(n));
}

bool WireReader::has(std::size_t n) {
    if (failed_ || bytes_.size() - at_ < n)
        failed_ = true;
    return !failed_;
}

std::uint8_t WireReader::u8() {
    return has(1) ? bytes_[at_++] : 0;
}

std::uint16_t WireReader::u16() {
    const std::uint16_t low = u8();
    const std::uint16_t high = u8();
    return static_cast<std::uint16_t>(low | (high << 8));
}

std::uint32_t WireReader::u32() {
    const std::uint32_t low = u16();
    const std::uint32_t high = u16();
    return low | (high << 16);
}

float WireReader::f32() {
    return std::bit_cast<float>(u32());
}

std::string WireReader::text8(std::size_t longest) {
    const std::size_t n = u8();
    if (n > longest || !has(n)) {
        failed_ = true;
        return {};
    }
    std::string text(bytes_.begin() + static_cast<std::ptrdiff_t>(at_),
                     bytes_.begin() + static_cast<std::ptrdiff_t>(at_ + n));
    at_ += n;
    return text;
}

} // namespace quindra::net
