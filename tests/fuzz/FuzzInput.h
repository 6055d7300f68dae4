// The fuzz input read as a stream of choices. Once the bytes run out every
// read answers zero, so each input, however short, is one complete run.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

class FuzzInput {
public:
  FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  bool empty() const { return at_ >= size_; }
  std::size_t remaining() const { return empty() ? 0 : size_ - at_; }

  std::uint8_t byte() { return empty() ? 0 : data_[at_++]; }

  template <typename T>
  T raw() {
    unsigned char bytes[sizeof(T)] = {};
    for (unsigned char& b : bytes) b = byte();
    T value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
  }

  // A value in [low, high], both included, read from as few bytes as the
  // span needs.
  std::int64_t range(std::int64_t low, std::int64_t high) {
    const std::uint64_t span = static_cast<std::uint64_t>(high) - static_cast<std::uint64_t>(low);
    std::uint64_t r = 0;
    for (std::uint64_t left = span; left != 0; left >>= 8) r = r << 8 | byte();
    if (span != UINT64_MAX) r %= span + 1;
    return static_cast<std::int64_t>(static_cast<std::uint64_t>(low) + r);
  }

private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};
