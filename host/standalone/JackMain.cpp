// quaverlin: the sequencer without a DAW, as a JACK client with one MIDI
// output port. See usage() for the command line.
#include <cstdio>
#include <exception>

#include "host/standalone/JackMidiClient.h"
#include "host/standalone/PatternStore.h"
#include "host/standalone/ProgramLocation.h"
#include "host/standalone/StartingPatterns.h"
#include "host/standalone/StandaloneOptions.h"
#include "host/standalone/UserInterface.h"

namespace {

constexpr const char* kClientName = "Quaverlin";

void usage(std::FILE* out) {
  std::fprintf(out,
               "usage: quaverlin [options]\n"
               "  Plays the sequencer's patterns into a JACK MIDI port (Quaverlin:midi_out):\n"
               "  connect it to a synth with jack_connect or a patchbay. It follows JACK's\n"
               "  transport; when no other program leads it (a timebase master), quaverlin\n"
               "  does, at its own tempo.\n%s",
               standaloneOptionsHelp());
  std::fprintf(out, "  --connect PORT  connect the MIDI output to PORT (a synth's MIDI input, as\n"
                    "                  jack_lsp names it) before anything plays; repeatable\n");
}

int run(const StandaloneOptions& options) {
  StandaloneHost plugin(options.plugin.empty() ? pluginBesideProgram() : options.plugin);
  PatternStore store(options.chunkFile);
  SongClock clock(options.tempo);
  JackMidiClient jack(plugin, clock, kClientName);
  loadStartingPatterns(plugin, store);
  jack.activate();

  bool leading = jack.leadTimebase();
  const auto tellLead = [&] {
    if (leading) std::printf("quaverlin leads JACK's transport at %g BPM\n", clock.tempo());
    else std::printf("quaverlin follows JACK's timebase master\n");
    std::fflush(stdout);
  };
  tellLead();
  std::printf("MIDI out: %s\n", jack.portName().c_str());
  for (const auto& [option, input] : options.platform)
    if (option == "--connect" && !jack.connectTo(input))
      std::fprintf(stderr, "quaverlin: cannot connect to %s\n", input.c_str());
  std::fflush(stdout);
  if (options.play) jack.startTransport();

  AudioControls audio;
  audio.togglePlaying = [&] { jack.toggleTransport(); };
  audio.running = [&] { return !jack.serverGone(); };
  audio.everySecond = [&] {
    if (jack.leadTimebase() != leading) {
      leading = !leading;
      tellLead();
    }
  };
  runSession(plugin, options.editor, store, audio, [&] {
    if (jack.serverGone()) std::fprintf(stderr, "quaverlin: the JACK server went away\n");
    jack.finish(std::chrono::milliseconds(500));
    return AudioEnd{jack.lostEvents(), jack.movedEvents()};
  });
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  StandaloneOptions options;
  if (const auto ended = readCommandLine(argc, argv, {{"--connect"}, {}}, options, usage))
    return *ended;
  try {
    return run(options);
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "quaverlin: %s\n", failure.what());
    return 1;
  }
}
