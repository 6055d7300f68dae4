// The VST 2 program file with an opaque chunk (.fxp), the form in which hosts
// exchange one plug-in's state: a 60-byte big-endian header, then the chunk.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace fxp {

constexpr std::size_t kHeaderSize = 60;
constexpr std::size_t kNameSize = 28;

// Offsets of the header's fields.
enum Field : std::size_t {
  kChunkMagicAt = 0,  // 'CcnK'
  kByteSizeAt = 4,    // the file's size less the 8 bytes before this field's end
  kFxMagicAt = 8,     // 'FPCh': a program whose state is an opaque chunk
  kVersionAt = 12,    // 1
  kFxIdAt = 16,       // the plug-in's unique ID
  kFxVersionAt = 20,  // the plug-in's version
  kNumParamsAt = 24,  // 0: a chunk program lists no parameters
  kNameAt = 28,       // zero-padded program name
  kChunkSizeAt = 56,
};

// The whole file for Quaverlin's chunk, named `name` (cut to 27 characters).
std::vector<std::uint8_t> encode(const std::vector<std::uint8_t>& chunk, const std::string& name);

// Takes Quaverlin's chunk out of a program file's bytes. Answers "" and fills
// `chunk`, or answers why the bytes are refused (leaving `chunk` alone).
std::string decode(const std::vector<std::uint8_t>& file, std::vector<std::uint8_t>& chunk);

std::uint32_t readBigEndian(const std::vector<std::uint8_t>& bytes, std::size_t at);

}  // namespace fxp
