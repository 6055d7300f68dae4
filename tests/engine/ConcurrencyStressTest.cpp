// The editor, the host's MIDI delivery and the audio thread all at once.
// Run under ThreadSanitizer it shows that the editor's side and the audio
// side share nothing but atomics; anywhere it shows that the audio thread
// goes on playing valid MIDI while the others hammer the patterns, and that
// both copies of the patterns come out equal once the threads stop.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <memory>
#include <random>
#include <thread>

#include "engine/AudioPatterns.h"
#include "engine/EditorPatterns.h"
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

TEST(Concurrency, BothCopiesOfThePatternsComeOutEqualAfterEveryRace) {
  auto channel = std::make_unique<PatternChannel>();
  EditorPatterns editor(*channel);
  AudioPatterns audio(*channel);
  std::atomic<bool> done{false};

  std::thread audioThread([&] {
    for (int b = 0; b < 20000; ++b) {
      audio.beginBlock();
      if (b % 3 == 0 && audio.waiting()) audio.takeOver();
      (void)audio.playing().rows[b % 12].steps[b % 32].state;
      audio.endBlock((b % 500) < 450);
    }
    done = true;
  });
  std::thread midi([&] {
    for (unsigned i = 0; !done; ++i) {
      channel->postMidiRecall(static_cast<int>(i % 24));
      std::this_thread::yield();
    }
  });
  std::thread editorThread([&] {
    std::vector<unsigned char> image(kChunkSize);
    for (unsigned i = 0; !done; ++i) {
      const auto step = static_cast<VstInt32>(i * 7 % 32);
      switch (i % 6) {
        case 0: editor.setValue(step, static_cast<VstInt32>(i % 12), 0x90, StepState); break;
        case 1: editor.setValue(1, 0, static_cast<VstInt16>(i % 24), PatternStoreRecall); break;
        case 2: editor.setValue(0, 0, static_cast<VstInt16>(i % 24), PatternStoreRecall); break;
        case 3: editor.setValue(step, 0, static_cast<VstInt16>(i), StepShift); break;
        case 4:
          editor.saveImage(image.data());
          editor.loadImage(image.data(), image.size());
          break;
        default: (void)editor.getValue(step, 3, StepState); break;
      }
    }
  });
  audioThread.join();
  midi.join();
  editorThread.join();

  for (int i = 0; i < 64; ++i) {
    (void)editor.getValue(0, 0, StepState);
    audio.beginBlock();
  }
  std::vector<unsigned char> model(kChunkSize);
  std::vector<unsigned char> copy(kChunkSize);
  editor.saveImage(model.data());
  audio.replica().memory.savePatternImage(copy.data());
  EXPECT_TRUE(model == copy);
  const Pattern current = editor.currentPattern();
  EXPECT_EQ(std::memcmp(&current, &audio.playing(), sizeof current), 0);
}
