// A host session of random calls: any opcode from 0 to 80 with any index,
// value and option, a pointer to a zeroed buffer of ours (a string in front
// where the opcode reads one) or null, blocks of 0 to 40000 frames under odd
// transports, event lists, the editor opened and closed without a parent
// window, and the plug-in closed and opened again.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>

#include "engine/Pattern.h"
#include "tests/fuzz/EventList.h"
#include "tests/fuzz/HostChecks.h"

namespace {

// Larger than anything a call may read or write through its pointer, the
// chunk included.
constexpr std::size_t kBufferSize = 256 * 1024;

float oddFloat(FuzzInput& in) {
  static const float odd[] = {std::numeric_limits<float>::quiet_NaN(),
                              std::numeric_limits<float>::infinity(),
                              -std::numeric_limits<float>::infinity(),
                              0.0f,
                              -1.0f,
                              1e-30f,
                              44100.0f,
                              3e38f};
  const auto pick = in.range(0, sizeof odd / sizeof odd[0]);
  return pick < static_cast<std::int64_t>(sizeof odd / sizeof odd[0]) ? odd[pick]
                                                                      : in.raw<float>();
}

VstIntPtr anyValue(FuzzInput& in) {
  switch (in.range(0, 3)) {
    case 0: return static_cast<VstIntPtr>(in.range(-2, 40));
    case 1: return static_cast<VstIntPtr>(kChunkSize) + static_cast<VstIntPtr>(in.range(-2, 2));
    default: return in.raw<VstIntPtr>();
  }
}

// Making the editor window costs more than all the rest of a session: a
// session opens it at most twice and ignores further requests.
constexpr int kMostEditorOpens = 2;

void call(DirectHost& host, FuzzInput& in, unsigned char* buffer, int& editorOpens) {
  const auto opcode = static_cast<VstInt32>(in.range(0, 80));
  if (opcode == effClose) {
    host.reopen();
    return;
  }
  if (opcode == effEditOpen && ++editorOpens > kMostEditorOpens) return;
  AEffect* e = host.plugin().getAeffect();
  const VstInt32 index = in.range(0, 1) == 0 ? static_cast<VstInt32>(in.range(-1, 30))
                                             : in.raw<VstInt32>();
  VstIntPtr value = anyValue(in);
  const float opt = oddFloat(in);
  void* ptr = nullptr;
  if (in.range(0, 3) != 0) {
    std::memset(buffer, 0, kBufferSize);
    // Some text in front, for the opcodes that read a name or a question.
    const auto text = in.range(0, 80);
    for (std::int64_t i = 0; i < text; ++i) buffer[i] = in.byte();
    ptr = buffer;
  }
  // What a host passes must be what the opcode says it is: a parent window
  // would have to exist (the editor opens without one), a claimed chunk size
  // is the size of what it hands over, an arrangement is a pointer and an
  // event list a list.
  if (opcode == effEditOpen) ptr = nullptr;
  if (opcode == effSetChunk && ptr)
    value = std::clamp<VstIntPtr>(value, 0, static_cast<VstIntPtr>(kBufferSize));
  if (opcode == effSetSpeakerArrangement) value = reinterpret_cast<VstIntPtr>(ptr);
  if (opcode == effProcessEvents && ptr) {
    EventList list(in);
    e->dispatcher(e, opcode, index, value, list.get(), opt);
    return;
  }
  e->dispatcher(e, opcode, index, value, ptr, opt);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  DirectHost host(DirectHost::EditorKind::bridge);
  const auto buffer = std::make_unique<unsigned char[]>(kBufferSize);
  FuzzInput in(data, size);
  int editorOpens = 0;
  for (int step = 0; step < 48 && !in.empty(); ++step) {
    switch (in.range(0, 3)) {
      case 0:
      case 1: call(host, in, buffer.get(), editorOpens); break;
      case 2:
        host.time = oddTransport(in);
        host.hasTime = in.range(0, 7) != 0;
        playChecked(host, static_cast<VstInt32>(in.range(0, 40000)));
        break;
      default: {
        EventList list(in);
        AEffect* e = host.plugin().getAeffect();
        e->dispatcher(e, effProcessEvents, 0, 0, list.get(), 0.0f);
      }
    }
  }
  return 0;
}
