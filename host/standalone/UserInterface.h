// What the standalone programs do on their main thread while the audio
// runs elsewhere: the editor in a window of its own (or no window), the
// keys of the window, Ctrl+C, and saving the patterns.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "host/standalone/PatternStore.h"
#include "host/standalone/StandaloneHost.h"

struct AudioControls {
  std::function<void()> togglePlaying;  // space in the window
  std::function<bool()> running;        // false ends the program (the audio went away)
  std::function<void()> everySecond;    // housekeeping on this thread
};

// Returns once the window is closed, the program is interrupted (SIGINT,
// SIGTERM) or the audio stops running. Throws HostError when there is no
// window system to open the editor in.
void runUserInterface(StandaloneHost& plugin, bool withEditor, PatternStore& store,
                      const AudioControls& audio);

// Writes the patterns to the store and tells the user how it went.
void savePatterns(StandaloneHost& plugin, PatternStore& store);

// What the audio side reports once it has stopped the notes: events that
// did not go out as the plug-in timed them (`lost` found no room, `moved`
// lay outside their block).
struct AudioEnd {
  std::size_t lost = 0;
  std::size_t moved = 0;
};

// The whole session on the main thread: the user interface until it ends,
// then, however it ended (an exception included, which goes on after),
// the audio stopped by `stopAudio`, the user told of events that went
// astray, the patterns kept when that is due, and the plug-in closed.
void runSession(StandaloneHost& plugin, bool withEditor, PatternStore& store,
                const AudioControls& audio, const std::function<AudioEnd()>& stopAudio);
