// effSetChunk with any bytes of any size, then blocks, an editor refresh and
// chunk reads. A chunk of the wrong size, or one refused, changes nothing;
// one accepted reads back the same after a second load.
//
// Input: a header byte, then the chunk, then the blocks. Header 0: a raw
// chunk of up to 65535 bytes follows, its length first. Any other header h:
// the default chunk made (128 - h) bytes shorter or longer, then patched at
// up to 255 places (three offset bytes, one value byte each).
#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/Pattern.h"
#include "editor/APluginEditor.h"
#include "tests/fuzz/HostChecks.h"

namespace {

using Bytes = std::vector<unsigned char>;

Bytes chunkFrom(FuzzInput& in, const Bytes& defaultChunk) {
  const std::uint8_t header = in.byte();
  Bytes chunk;
  if (header == 0) {
    const auto size = static_cast<std::size_t>(in.range(0, 65535));
    for (std::size_t i = 0; i < size; ++i) chunk.push_back(in.byte());
    return chunk;
  }
  chunk = defaultChunk;
  chunk.resize(static_cast<std::size_t>(static_cast<std::ptrdiff_t>(kChunkSize) + header - 128));
  const auto patches = in.byte();
  for (int i = 0; i < patches; ++i) {
    const auto at = static_cast<std::size_t>(in.range(0, 0xFFFFFF)) % chunk.size();
    chunk[at] = in.byte();
  }
  return chunk;
}

VstIntPtr dispatch(DirectHost& host, VstInt32 opcode, VstIntPtr value = 0, void* ptr = nullptr) {
  AEffect* e = host.plugin().getAeffect();
  return e->dispatcher(e, opcode, 0, value, ptr, 0.0f);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // One instance with its editor open serves every input: opening the editor
  // costs far more than a run. Each run starts from the default patterns.
  static DirectHost host(DirectHost::EditorKind::bridge);
  static const Bytes defaultChunk = host.image();
  // The editor's window without a window system: refreshed like an open one.
  static const bool opened =
      static_cast<APluginEditor*>(host.plugin().getEditor())->openHeadless() == 1;
  if (!opened) fuzzFailure("the editor does not open headless");
  host.plugin().resetPatterns();
  host.time = playingAt(0.0);
  host.hasTime = true;

  FuzzInput in(data, size);
  Bytes chunk = chunkFrom(in, defaultChunk);
  const Bytes before = host.image();
  const bool accepted =
      dispatch(host, effSetChunk, static_cast<VstIntPtr>(chunk.size()), chunk.data()) == 1;
  const Bytes after = host.image();
  if (accepted && chunk.size() != kChunkSize) fuzzFailure("a chunk of the wrong size was loaded");
  if (!accepted && after != before) fuzzFailure("a refused chunk changed the patterns");
  if (accepted && (!host.load(after) || host.image() != after))
    fuzzFailure("a loaded chunk does not read back the same");

  const auto blocks = in.range(1, 8);
  for (std::int64_t b = 0; b < blocks; ++b) {
    host.time = in.range(0, 3) == 0
                    ? oddTransport(in)
                    : playingAt(static_cast<double>(in.range(0, 4096)) / 8.0,
                                static_cast<double>(in.range(20, 400)),
                                static_cast<double>(in.range(8000, 192000)));
    playChecked(host, static_cast<VstInt32>(in.range(0, 4096)));
    dispatch(host, effEditIdle);
  }
  void* read = nullptr;
  if (dispatch(host, effGetChunk, 0, &read) != static_cast<VstIntPtr>(kChunkSize) || !read)
    fuzzFailure("the chunk cannot be read");
  return 0;
}
