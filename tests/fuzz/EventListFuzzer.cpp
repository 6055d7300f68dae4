// effProcessEvents with any event list (see EventList.h), interleaved with
// blocks: recalls and controllers arrive between and inside blocks while the
// editor is open, and whatever is recalled plays as valid MIDI.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "host/DemoPattern.h"
#include "tests/fuzz/EventList.h"
#include "editor/APluginEditor.h"
#include "tests/fuzz/HostChecks.h"

namespace {

// The demo pattern current and in every other stored slot, so that recalls
// bring notes and empty slots alike.
std::vector<unsigned char> patternsToRecall() {
  PatternImage image = demoPattern();
  std::vector<unsigned char>& bytes = image.bytes();
  const unsigned char* current = &bytes[PatternImage::kCurrent * PatternImage::kPatternSize];
  for (int slot = 0; slot < PatternImage::kCurrent; slot += 2)
    std::memcpy(&bytes[static_cast<std::size_t>(slot) * PatternImage::kPatternSize], current,
                PatternImage::kPatternSize);
  return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static DirectHost host(DirectHost::EditorKind::bridge);
  static const std::vector<unsigned char> patterns = patternsToRecall();
  static AEffect* const effect = host.plugin().getAeffect();
  // The editor's window without a window system: refreshed like an open one.
  static const bool opened =
      static_cast<APluginEditor*>(host.plugin().getEditor())->openHeadless() == 1;
  if (!opened) fuzzFailure("the editor does not open headless");
  if (!host.load(patterns)) fuzzFailure("the patterns to recall do not load");

  FuzzInput in(data, size);
  double ppq = static_cast<double>(in.range(0, 64));
  for (int step = 0; step < 32 && !in.empty(); ++step) {
    if (in.range(0, 2) != 0) {
      EventList list(in);
      effect->dispatcher(effect, effProcessEvents, 0, 0, list.get(), 0.0f);
    } else {
      const auto frames = static_cast<VstInt32>(in.range(0, 8192));
      host.time = playingAt(ppq);
      playChecked(host, frames);
      ppq += frames * 2.0 / 44100.0;
    }
  }
  effect->dispatcher(effect, effEditIdle, 0, 0, nullptr, 0.0f);
  return 0;
}
