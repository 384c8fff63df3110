#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string_view>

namespace tesmora {

// A fixed-width text field up to its terminating zero (all of it when it has
// none): the recorder's texts never run past their field.
inline std::string_view TextUpToZero(const char* text, std::size_t size) {
  return {text, static_cast<std::size_t>(std::find(text, text + size, '\0') - text)};
}

// Little-endian reads from a byte buffer. Reading past the end gives zeros
// and never touches memory outside the buffer: a short or damaged test file
// decodes to empty values instead of crashing.
class ByteReader {
 public:
  explicit ByteReader(std::span<const std::uint8_t> bytes, std::size_t position = 0)
      : bytes_(bytes), position_(position) {}

  std::size_t position() const { return position_; }
  void Seek(std::size_t position) { position_ = position; }
  void Skip(std::size_t count) { position_ += count; }
  bool AtEnd() const { return position_ >= bytes_.size(); }

  std::uint8_t U8() {
    const std::uint8_t value = position_ < bytes_.size() ? bytes_[position_] : 0;
    ++position_;
    return value;
  }
  std::uint16_t U16() {
    const std::uint8_t low = U8();
    return static_cast<std::uint16_t>(low | (U8() << 8));
  }
  float F32() { return FromBytes<float, std::uint32_t>(); }
  double F64() { return FromBytes<double, std::uint64_t>(); }
  void Read(void* target, std::size_t count) {
    auto* out = static_cast<std::uint8_t*>(target);
    for (std::size_t i = 0; i < count; ++i) out[i] = U8();
  }

 private:
  template <typename Float, typename Bits>
  Float FromBytes() {
    Bits bits = 0;
    for (std::size_t i = 0; i < sizeof(Bits); ++i) bits |= static_cast<Bits>(U8()) << (8 * i);
    Float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
  }

  std::span<const std::uint8_t> bytes_;
  std::size_t position_;
};

}  // namespace tesmora
