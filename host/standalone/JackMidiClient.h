// The plug-in as a JACK client: one MIDI output port, no audio ports. The
// process callback plays a block of the plug-in at JACK's buffer size and
// sample rate and writes its events into the port at their frames. The
// transport is JACK's; its bars, beats and tempo come from a timebase
// master, and without one the program is the master itself, at its own
// clock's tempo.
#pragma once

#include <jack/jack.h>

#include <atomic>
#include <chrono>
#include <cstddef>
#include <string>

#include "host/standalone/SongClock.h"
#include "host/standalone/StandaloneHost.h"

class JackMidiClient {
public:
  // Connects to the JACK server (the one JACK_DEFAULT_SERVER names, as
  // every JACK program does), makes the port and starts the plug-in at the
  // server's rate and buffer size. Throws HostError when there is no server.
  JackMidiClient(StandaloneHost& plugin, SongClock& clock, const std::string& clientName);
  ~JackMidiClient();
  JackMidiClient(const JackMidiClient&) = delete;
  JackMidiClient& operator=(const JackMidiClient&) = delete;

  void activate();
  // "client:port", as jack_connect and patchbays name it.
  std::string portName() const;
  // Connects the port to another program's MIDI input; false when JACK
  // would not (no such port).
  bool connectTo(const std::string& input);

  // Becomes the timebase master unless another program is; true while this
  // one is. Cheap to ask again: a master that went away is replaced.
  bool leadTimebase();
  void startTransport();
  void stopTransport();
  void toggleTransport();
  bool rolling() const;

  // The server shut down or threw the client out.
  bool serverGone() const { return serverGone_.load(); }
  // Ends the playing for good: the plug-in sees the transport stand, so its
  // stop note-offs go out through the port, then the client leaves the
  // graph. Waits for the server at most `patience`.
  void finish(std::chrono::milliseconds patience);

  // Events the port had no room for, and events the plug-in placed
  // outside their block, since the start.
  std::size_t lostEvents() const { return lost_.load(); }
  std::size_t movedEvents() const { return moved_.load(); }

private:
  static int process(jack_nframes_t frames, void* self);
  static int bufferSizeChanged(jack_nframes_t frames, void* self);
  static int sampleRateChanged(jack_nframes_t rate, void* self);
  static void timebase(jack_transport_state_t state, jack_nframes_t frames, jack_position_t* position,
                       int newPosition, void* self);
  static void shutDown(jack_status_t code, const char* reason, void* self);
  int play(jack_nframes_t frames);

  StandaloneHost& plugin_;
  SongClock& clock_;
  jack_client_t* client_ = nullptr;
  jack_port_t* port_ = nullptr;
  bool active_ = false;
  std::atomic<bool> serverGone_{false};
  std::atomic<bool> finishing_{false};
  std::atomic<int> blocksSinceFinish_{0};
  std::atomic<std::size_t> lost_{0};
  std::atomic<std::size_t> moved_{0};
  // The frame of the cycle for which this client, as timebase master, last
  // wrote the bars and beats: in that cycle its own clock is the truth.
  jack_nframes_t ledFrame_ = 0;
  bool led_ = false;
};
