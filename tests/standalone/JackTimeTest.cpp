// What a timebase master writes in JACK's bars, beats and ticks is the
// position, bar start and tempo a VST plug-in expects in quarter notes,
// and what quaverlin writes as master reads back to the same time.
#include <gtest/gtest.h>

#include <cmath>

#include "host/standalone/JackTime.h"

namespace {

jack_position_t barBeatTick(int bar, int beat, int tick, float beatsPerBar, float beatType, double bpm) {
  jack_position_t position{};
  position.valid = JackPositionBBT;
  position.frame = 123456;
  position.frame_rate = 48000;
  position.bar = bar;
  position.beat = beat;
  position.tick = tick;
  position.beats_per_bar = beatsPerBar;
  position.beat_type = beatType;
  position.ticks_per_beat = 1920.0;
  position.beats_per_minute = bpm;
  return position;
}

}  // namespace

// Bars count from 1, beats too; an eighth-note beat is half a quarter note.
TEST(JackTime, BarsBeatsAndTicksBecomeQuarterNotes) {
  const struct {
    jack_position_t position;
    double ppqPos, barStartPos, tempo;
  } cases[] = {
      {barBeatTick(1, 1, 0, 4, 4, 120), 0.0, 0.0, 120.0},
      {barBeatTick(3, 2, 960, 4, 4, 120), 9.5, 8.0, 120.0},
      {barBeatTick(2, 4, 480, 6, 8, 180), 3.0 + 1.5 + 0.125, 3.0, 90.0},
      {barBeatTick(5, 3, 0, 3, 4, 100), 14.0, 12.0, 100.0},
  };
  for (const auto& c : cases) {
    const VstTimeInfo time = timeFromBarBeatTick(c.position, true);
    EXPECT_DOUBLE_EQ(time.ppqPos, c.ppqPos);
    EXPECT_DOUBLE_EQ(time.barStartPos, c.barStartPos);
    EXPECT_DOUBLE_EQ(time.tempo, c.tempo);
    EXPECT_EQ(time.samplePos, 123456.0);
    EXPECT_EQ(time.sampleRate, 48000.0);
    EXPECT_TRUE(time.flags & kVstTransportPlaying);
  }
  EXPECT_FALSE(timeFromBarBeatTick(barBeatTick(1, 1, 0, 4, 4, 120), false).flags & kVstTransportPlaying);
}

// Whole ticks are 12.5 frames at 48 kHz and 120 BPM: the fine ticks, and the offset of the bars and beats, place it to the frame.
TEST(JackTime, FineTicksAndTheBarBeatTickOffsetAreHonoured) {
  jack_position_t position = barBeatTick(1, 2, 100, 4, 4, 120);
  position.valid = static_cast<jack_position_bits_t>(JackPositionBBT | JackTickDouble);
  position.tick_double = 100.25;
  EXPECT_DOUBLE_EQ(timeFromBarBeatTick(position, true).ppqPos, 1.0 + 100.25 / 1920.0);
  position.valid = static_cast<jack_position_bits_t>(JackPositionBBT | JackBBTFrameOffset);
  position.bbt_offset = 240;  // the ticks lie 240 frames, 1/100 of a quarter note, before the cycle
  EXPECT_DOUBLE_EQ(timeFromBarBeatTick(position, true).ppqPos, 1.0 + 100.0 / 1920.0 + 0.01);
}

// No BBT bit, or a bar of no beats, a beat of no length or no tempo: nothing to follow.
TEST(JackTime, OnlyACompleteBarBeatTickCanBeFollowed) {
  EXPECT_TRUE(hasBarBeatTick(barBeatTick(1, 1, 0, 4, 4, 120)));
  jack_position_t unmarked = barBeatTick(1, 1, 0, 4, 4, 120);
  unmarked.valid = jack_position_bits_t{};
  EXPECT_FALSE(hasBarBeatTick(unmarked));
  EXPECT_FALSE(hasBarBeatTick(barBeatTick(1, 1, 0, 0, 4, 120)));
  EXPECT_FALSE(hasBarBeatTick(barBeatTick(1, 1, 0, 4, 0, 120)));
  EXPECT_FALSE(hasBarBeatTick(barBeatTick(1, 1, 0, 4, 4, 0)));
  EXPECT_FALSE(hasBarBeatTick(barBeatTick(0, 1, 0, 4, 4, 120)));
}

// What quaverlin writes as master is read back, by itself or any follower, as the same time.
TEST(JackTime, WhatTheMasterWritesReadsBackToTheSameTime) {
  for (const double ppq : {0.0, 0.25, 3.999, 4.0, 9.5, 31.75, 1000.125}) {
    VstTimeInfo time{};
    time.ppqPos = ppq;
    time.tempo = 133.0;
    jack_position_t position{};
    position.frame_rate = 48000;
    writeBarBeatTick(time, position);
    ASSERT_TRUE(hasBarBeatTick(position));
    const VstTimeInfo back = timeFromBarBeatTick(position, true);
    EXPECT_NEAR(back.ppqPos, ppq, 1e-9);
    EXPECT_DOUBLE_EQ(back.barStartPos, std::floor(ppq / 4) * 4);
    EXPECT_DOUBLE_EQ(back.tempo, 133.0);
  }
}
