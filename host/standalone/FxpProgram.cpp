#include "host/standalone/FxpProgram.h"

#include <algorithm>

#include "frame/DAEffect.h"
#include "host/PatternImage.h"

namespace fxp {
namespace {

constexpr std::uint32_t kChunkMagic = static_cast<std::uint32_t>(fourCharCode('C', 'c', 'n', 'K'));
constexpr std::uint32_t kChunkProgram = static_cast<std::uint32_t>(fourCharCode('F', 'P', 'C', 'h'));
constexpr std::uint32_t kParameterProgram = static_cast<std::uint32_t>(fourCharCode('F', 'x', 'C', 'k'));
constexpr std::uint32_t kChunkBank = static_cast<std::uint32_t>(fourCharCode('F', 'B', 'C', 'h'));
constexpr std::uint32_t kParameterBank = static_cast<std::uint32_t>(fourCharCode('F', 'x', 'B', 'k'));
constexpr std::uint32_t kQuaverlinId = static_cast<std::uint32_t>(fourCharCode('Q', 'V', 'L', 'N'));
constexpr std::uint32_t kFormatVersion = 1;
constexpr std::uint32_t kQuaverlinVersion = 1;
// The bytes counted before byteSize starts counting: the magic and byteSize.
constexpr std::size_t kUncounted = 8;

void putBigEndian(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
  for (std::size_t i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (24 - 8 * i));
}

// A four-character code as a user can read it in a message.
std::string codeText(std::uint32_t code) {
  std::string text;
  for (int shift = 24; shift >= 0; shift -= 8) {
    const auto c = static_cast<char>((code >> shift) & 0xFF);
    text += (c >= 32 && c < 127) ? c : '?';
  }
  return "'" + text + "'";
}

std::string kindError(std::uint32_t fxMagic) {
  if (fxMagic == kParameterProgram)
    return "a program of parameter values (FxCk), not one with a chunk (FPCh): it is not Quaverlin's";
  if (fxMagic == kChunkBank || fxMagic == kParameterBank)
    return "a bank (" + codeText(fxMagic) + "), not a single program (FPCh): save one program from the host";
  return "not a VST 2 program: its kind is " + codeText(fxMagic) + ", not 'FPCh'";
}

}  // namespace

std::uint32_t readBigEndian(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) value = (value << 8) | bytes[at + i];
  return value;
}

std::vector<std::uint8_t> encode(const std::vector<std::uint8_t>& chunk, const std::string& name) {
  std::vector<std::uint8_t> file(kHeaderSize + chunk.size(), 0);
  putBigEndian(file, kChunkMagicAt, kChunkMagic);
  putBigEndian(file, kByteSizeAt, static_cast<std::uint32_t>(file.size() - kUncounted));
  putBigEndian(file, kFxMagicAt, kChunkProgram);
  putBigEndian(file, kVersionAt, kFormatVersion);
  putBigEndian(file, kFxIdAt, kQuaverlinId);
  putBigEndian(file, kFxVersionAt, kQuaverlinVersion);
  putBigEndian(file, kNumParamsAt, 0);
  // The name field keeps its terminating zero.
  std::copy_n(name.begin(), std::min(name.size(), kNameSize - 1), file.begin() + kNameAt);
  putBigEndian(file, kChunkSizeAt, static_cast<std::uint32_t>(chunk.size()));
  std::copy(chunk.begin(), chunk.end(), file.begin() + kHeaderSize);
  return file;
}

std::string decode(const std::vector<std::uint8_t>& file, std::vector<std::uint8_t>& chunk) {
  if (file.size() < kHeaderSize)
    return "too short for a VST program file: " + std::to_string(file.size()) + " bytes, the header alone has " +
           std::to_string(kHeaderSize);
  if (readBigEndian(file, kChunkMagicAt) != kChunkMagic)
    return "not a VST program file: it begins with " + codeText(readBigEndian(file, kChunkMagicAt)) +
           ", not 'CcnK'";
  const std::uint32_t fxMagic = readBigEndian(file, kFxMagicAt);
  if (fxMagic != kChunkProgram) return kindError(fxMagic);
  const std::uint32_t byteSize = readBigEndian(file, kByteSizeAt);
  if (byteSize != file.size() - kUncounted)
    return "damaged: its header counts " + std::to_string(byteSize) + " bytes after the size field, the file has " +
           std::to_string(file.size() - kUncounted);
  if (readBigEndian(file, kVersionAt) != kFormatVersion)
    return "of an unknown format version " + std::to_string(readBigEndian(file, kVersionAt)) + " (not 1)";
  const std::uint32_t fxId = readBigEndian(file, kFxIdAt);
  if (fxId != kQuaverlinId)
    return "for another plug-in: its ID is " + codeText(fxId) + ", Quaverlin's is " + codeText(kQuaverlinId);
  const std::uint32_t chunkSize = readBigEndian(file, kChunkSizeAt);
  if (chunkSize != PatternImage::kSize)
    return "not Quaverlin's patterns: its chunk has " + std::to_string(chunkSize) + " bytes, not " +
           std::to_string(PatternImage::kSize);
  if (file.size() != kHeaderSize + chunkSize)
    return "damaged: the chunk's " + std::to_string(chunkSize) + " bytes do not fill the file's " +
           std::to_string(file.size() - kHeaderSize) + " after the header";
  chunk.assign(file.begin() + kHeaderSize, file.end());
  return "";
}

}  // namespace fxp
