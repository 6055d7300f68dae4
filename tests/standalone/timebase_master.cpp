// A JACK timebase master as DAWs are: bars, beats and whole ticks (1920 to
// the beat) worked out from the frame count at a fixed tempo in 4/4, no
// fine ticks. Runs until SIGTERM or SIGINT.
//   timebase_master BPM
#include <jack/jack.h>
#include <jack/transport.h>

#include <signal.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

double tempo = 120.0;

void timebase(jack_transport_state_t, jack_nframes_t, jack_position_t* position, int, void*) {
  constexpr double kTicksPerBeat = 1920.0;
  const double beats = position->frame / static_cast<double>(position->frame_rate) * tempo / 60.0;
  const double bars = std::floor(beats / 4.0);
  const double beat = std::floor(beats - bars * 4.0);
  position->valid = JackPositionBBT;
  position->bar = static_cast<std::int32_t>(bars) + 1;
  position->beat = static_cast<std::int32_t>(beat) + 1;
  position->tick = static_cast<std::int32_t>((beats - bars * 4.0 - beat) * kTicksPerBeat);
  position->bar_start_tick = bars * 4.0 * kTicksPerBeat;
  position->beats_per_bar = 4.0f;
  position->beat_type = 4.0f;
  position->ticks_per_beat = kTicksPerBeat;
  position->beats_per_minute = tempo;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  // Blocked here, so JACK's threads inherit the mask and the signal waits for sigwait.
  sigset_t endings;
  sigemptyset(&endings);
  sigaddset(&endings, SIGTERM);
  sigaddset(&endings, SIGINT);
  pthread_sigmask(SIG_BLOCK, &endings, nullptr);
  tempo = std::strtod(argv[1], nullptr);
  jack_client_t* client = jack_client_open("timebase_master", JackNoStartServer, nullptr);
  if (!client) return 1;
  if (jack_set_timebase_callback(client, 0, &timebase, nullptr) != 0 || jack_activate(client) != 0) return 1;
  std::printf("leading at %g BPM\n", tempo);
  std::fflush(stdout);
  int ending = 0;
  sigwait(&endings, &ending);
  jack_deactivate(client);
  jack_client_close(client);
  return 0;
}
