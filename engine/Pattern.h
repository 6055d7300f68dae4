// The pattern records. They are a stored format: the 26 slots are the chunk a
// host keeps in its projects, so every offset and size below is fixed and the
// image is byte-identical on every target (all of them little-endian).
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

static_assert(std::endian::native == std::endian::little, "the chunk is the records' own bytes");

// Cell and sounding states are kept as the MIDI status bytes they stand for.
constexpr std::uint8_t kNoteOn = 0x90;
constexpr std::uint8_t kNoteOff = 0x80;

constexpr int kSteps = 32;
constexpr int kRows = 12;
constexpr int kStoredPatterns = 24;
constexpr int kCurrentSlot = 24;
constexpr int kQueuedSlot = 25;
constexpr int kPatternSlots = 26;

// One cell of the grid.
struct PatternStep {
  std::uint8_t mode;      // 1 and 3 strike again after a sounding step; anything else ties
  std::uint8_t state;     // kNoteOn: a note plays at this step; kNoteOff: not set
  std::uint8_t sounding;  // stored format only: kept as loaded, cleared, reset
  std::uint8_t velocity;
  std::int16_t shift;     // timing shift in samples, positive is later
  std::uint8_t padding[2];
  std::int32_t onset;     // stored format only: kept as loaded, cleared, reset
};

// One note lane.
struct PatternRow {
  std::uint8_t note;
  std::uint8_t channel;
  // Stored format only, like a step's `sounding` and `onset`: the step clock
  // keeps what sounds in its own state and never writes the records.
  std::uint8_t soundingNote;
  std::uint8_t soundingChannel;
  PatternStep steps[kSteps];
};

struct Pattern {
  PatternRow rows[kRows];
  std::uint8_t reserved;
  std::uint8_t used;             // display only: the stored pattern holds cells
  std::uint8_t defaultVelocity;  // the velocity the editor gives new cells
  std::uint8_t triggerBypass;    // nonzero: incoming MIDI recalls nothing
};

static_assert(sizeof(PatternStep) == 12);
static_assert(offsetof(PatternStep, velocity) == 3);
static_assert(offsetof(PatternStep, shift) == 4);
static_assert(offsetof(PatternStep, onset) == 8);
static_assert(sizeof(PatternRow) == 388);
static_assert(offsetof(PatternRow, steps) == 4);
static_assert(sizeof(Pattern) == 4660);
static_assert(offsetof(Pattern, reserved) == 4656);
static_assert(offsetof(Pattern, triggerBypass) == 4659);

constexpr std::size_t kChunkSize = kPatternSlots * sizeof(Pattern);
static_assert(kChunkSize == 121160);

// Every field to its default, as a new instance has it.
void resetPattern(Pattern& pattern);
// Empties the grid and forgets the sounding marks; keeps row notes and
// channels, cell modes and the four trailing bytes.
void clearPattern(Pattern& pattern);
