// quaverlin.exe: the sequencer without a DAW, playing into a Windows MIDI
// output on its own clock. See usage() for the command line.
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <exception>

#include "host/standalone/MidiPortChoice.h"
#include "host/standalone/PatternStore.h"
#include "host/standalone/ProgramLocation.h"
#include "host/standalone/StandaloneOptions.h"
#include "host/standalone/StartingPatterns.h"
#include "host/standalone/TimerPlayer.h"
#include "host/standalone/UserInterface.h"
#include "host/standalone/WinmmMidiOutput.h"

namespace {

// Blocks of 128 frames at 44100 Hz: the timer wakes every 2.9 ms, finer
// than a MIDI cable carries one note.
constexpr double kSampleRate = 44100.0;
constexpr VstInt32 kBlockFrames = 128;

void usage(std::FILE* out) {
  std::fprintf(out,
               "usage: quaverlin.exe [options]\n"
               "  Plays the sequencer's patterns into a Windows MIDI output at its own tempo.\n"
               "  --list          print the MIDI outputs, numbered, and end\n"
               "  --out PORT      the MIDI output: its number, its name or a part of its name\n"
               "                  no other output has (default: output 0)\n%s",
               standaloneOptionsHelp());
}

int listOutputs() {
  const std::vector<std::string> names = winmmOutputNames();
  if (names.empty()) std::printf("this system has no MIDI output\n");
  for (std::size_t i = 0; i < names.size(); ++i) std::printf("%zu  %s\n", i, names[i].c_str());
  return 0;
}

// Closing the console window ends the program as Ctrl+C does; Windows
// gives the handler a few seconds, in which the stop and the save happen.
std::atomic<bool> consoleClosing{false};
HANDLE finished = nullptr;

BOOL WINAPI consoleEvent(DWORD event) {
  if (event != CTRL_CLOSE_EVENT && event != CTRL_LOGOFF_EVENT && event != CTRL_SHUTDOWN_EVENT) return FALSE;
  consoleClosing = true;
  WaitForSingleObject(finished, 4000);
  return TRUE;
}

int run(const StandaloneOptions& options, const std::string& port) {
  std::string error;
  const auto device = chooseMidiPort(winmmOutputNames(), port, error);
  if (!device) {
    std::fprintf(stderr, "quaverlin: %s\n", error.c_str());
    return 1;
  }
  WinmmMidiOutput output(static_cast<unsigned>(*device));
  StandaloneHost plugin(options.plugin.empty() ? pluginBesideProgram() : options.plugin);
  PatternStore store(options.chunkFile);
  SongClock clock(options.tempo, options.play);
  loadStartingPatterns(plugin, store);
  TimerPlayer player(plugin, clock, output, kSampleRate, kBlockFrames);
  player.start();
  std::printf("MIDI out: %s, %g BPM%s\n", winmmOutputNames()[*device].c_str(), clock.tempo(),
              options.play ? ", playing" : "");
  std::fflush(stdout);

  AudioControls audio;
  audio.togglePlaying = [&] { clock.togglePlaying(); };
  audio.running = [] { return !consoleClosing.load(); };
  runSession(plugin, options.editor, store, audio, [&] {
    player.finish(std::chrono::milliseconds(500));
    return AudioEnd{player.lostEvents(), player.movedEvents()};
  });
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  StandaloneOptions options;
  if (const auto ended = readCommandLine(argc, argv, {{"--out"}, {"--list"}}, options, usage))
    return *ended;
  std::string port = "0";
  for (const auto& [name, value] : options.platform) {
    if (name == "--list") return listOutputs();
    port = value;
  }
  finished = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  SetConsoleCtrlHandler(&consoleEvent, TRUE);
  int status = 1;
  try {
    status = run(options, port);
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "quaverlin: %s\n", failure.what());
  }
  std::fflush(stdout);
  SetEvent(finished);
  return status;
}
