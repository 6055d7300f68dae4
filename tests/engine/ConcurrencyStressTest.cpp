// The editor, the host's MIDI delivery and the audio thread all at once on
// one instance. Run under ThreadSanitizer it shows the one exclusion keeps
// them apart; anywhere it shows that the audio thread goes on playing valid
// MIDI while the others hammer the patterns.
#include <gtest/gtest.h>

#include <atomic>
#include <random>
#include <thread>

#include "tests/engine/DirectHost.h"

TEST(Concurrency, EditorMidiAndAudioThreadsShareThePatternsSafely) {
  DirectHost host;
  std::atomic<bool> done{false};
  constexpr int kBlocks = 20000;

  std::thread audio([&] {
    double ppqPos = 0.0;
    for (int b = 0; b < kBlocks; ++b) {
      host.time = playingAt(ppqPos);
      host.time.flags = (b % 500) < 480 ? host.time.flags : 0;  // stops now and then
      host.play(256);
      if (host.time.flags) ppqPos += 256.0 / 22050.0;
    }
    done = true;
  });

  std::thread midi([&] {
    std::mt19937 random(1);
    while (!done) {
      VstMidiEvent event{};
      event.type = kVstMidiType;
      event.byteSize = 24;
      event.midiData[0] = 0x90;
      event.midiData[1] = static_cast<unsigned char>(48 + random() % 24);
      event.midiData[2] = 100;
      VstEvents list{1, 0, {reinterpret_cast<VstEvent*>(&event), nullptr}};
      host.plugin().processEvents(&list);
      std::this_thread::yield();
    }
  });

  std::thread editor([&] {
    std::mt19937 random(2);
    APlugin& plugin = host.plugin();
    auto any = [&](int n) { return static_cast<VstInt32>(random() % static_cast<unsigned>(n)); };
    while (!done) {
      const VstInt32 step = any(32);
      const VstInt32 row = any(12);
      switch (any(10)) {
        case 0: plugin.setPatternValue(step, row, static_cast<VstInt16>(random() % 2 ? 0x90 : 0x80), StepState); break;
        case 1: plugin.setPatternValue(step, row, static_cast<VstInt16>(any(3000) - 1500), StepShift); break;
        case 2: plugin.setPatternValue(step, row, static_cast<VstInt16>(1 + any(3)), StepMode); break;
        case 3: plugin.setPatternValue(0, row, static_cast<VstInt16>(any(16)), RowChannel); break;
        case 4: plugin.setPatternValue(1, 0, static_cast<VstInt16>(any(24)), PatternStoreRecall); break;
        case 5: plugin.setPatternValue(0, 0, static_cast<VstInt16>(any(24)), PatternStoreRecall); break;
        case 6: plugin.setPatternValue(0, 0, 0, PatternClear); break;
        case 7: {
          std::vector<unsigned char> image = host.image();
          host.load(image);
          break;
        }
        default: (void)plugin.getPatternValue(step, row, any(12)); break;
      }
    }
  });

  audio.join();
  midi.join();
  editor.join();
  std::size_t events = 0;
  for (const SentList& list : host.lists)
    for (const VstMidiEvent& e : list.events) {
      ++events;
      ASSERT_TRUE((e.midiData[0] & 0xE0) == 0x80);
      ASSERT_LT(e.midiData[1], 128);
      ASSERT_LT(e.midiData[2], 128);
    }
  EXPECT_GT(events, 0u);
}
