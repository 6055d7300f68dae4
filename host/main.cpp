// quaverlin-host: loads a VST 2 plug-in and reports what it is, plays it, or
// shows its editor.
//   quaverlin-host info PLUGIN
//   quaverlin-host play [--tempo BPM] [--bars N] [--rate HZ] [--block FRAMES]
//                       [--loop START:END] [--locate AT:TO]... [--chunk FILE]
//                       [--out FILE.mid] PLUGIN
//   quaverlin-host editor [--chunk FILE] [--store N] [--tempo BPM] [--rate HZ]
//                         [--block FRAMES] [--for SECONDS] [--save-chunk FILE]
//                         [--refuse-resize] PLUGIN
//   quaverlin-host screenshot [--chunk FILE] [--store N] [--at-step N [--stop]]
//                             [--refuse-resize] PLUGIN OUT.png
//   quaverlin-host chunk demo [--straight] FILE
//   quaverlin-host chunk compare FILE FILE
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

#include "host/ChunkCommand.h"
#include "host/EditorCommand.h"
#include "host/PlayCommand.h"
#include "host/VstHost.h"

namespace {

std::string fourChars(VstInt32 code) {
  std::string text;
  for (int shift = 24; shift >= 0; shift -= 8) {
    const char c = static_cast<char>((code >> shift) & 0xFF);
    text += (c >= 32 && c < 127) ? c : '.';
  }
  return text;
}

int info(const std::string& path) {
  VstHost host(path);
  AEffect* effect = host.effect();
  std::printf("plug-in        %s\n", path.c_str());
  std::printf("name           %s\n", host.text(effGetEffectName).c_str());
  std::printf("vendor         %s\n", host.text(effGetVendorString).c_str());
  std::printf("product        %s\n", host.text(effGetProductString).c_str());
  std::printf("vendor version %ld\n", static_cast<long>(host.dispatch(effGetVendorVersion)));
  std::printf("unique id      %s (%d)\n", fourChars(effect->uniqueID).c_str(), effect->uniqueID);
  std::printf("VST version    %ld\n", static_cast<long>(host.dispatch(effGetVstVersion)));
  std::printf("category       %ld\n", static_cast<long>(host.dispatch(effGetPlugCategory)));
  std::printf("flags          %d\n", effect->flags);
  std::printf("inputs/outputs %d/%d\n", effect->numInputs, effect->numOutputs);
  std::printf("programs       %d\n", effect->numPrograms);
  std::printf("parameters     %d\n", effect->numParams);
  for (VstInt32 i = 0; i < effect->numPrograms && i < 4; ++i) {
    char name[kVstMaxProgNameLen + 1] = {};
    if (host.dispatch(effGetProgramNameIndexed, i, 0, name))
      std::printf("program %-6d %s\n", i, name);
  }
  for (const char* what : {"receiveVstMidiEvent", "sendVstMidiEvent", "receiveVstTimeInfo"}) {
    char question[64];
    std::snprintf(question, sizeof question, "%s", what);
    std::printf("canDo %-20s %ld\n", what, static_cast<long>(host.dispatch(effCanDo, 0, 0, question)));
  }
  host.close();
  return 0;
}

void usage() {
  std::fprintf(stderr,
               "usage: quaverlin-host info PLUGIN\n"
               "       quaverlin-host play [--tempo BPM] [--bars N] [--rate HZ] [--block FRAMES]\n"
               "                           [--loop START:END] [--locate AT:TO]... [--chunk FILE]\n"
               "                           [--out FILE.mid] PLUGIN\n"
               "  play gives the plug-in a demo pattern (or the chunk FILE), plays N bars (4)\n"
               "  at BPM (120), HZ (44100) in blocks of FRAMES (512), lists the MIDI it sent\n"
               "  and writes it to FILE.mid (quaverlin-play.mid) at the events' real times,\n"
               "  then sums up: notes started and ended, notes left sounding, events outside\n"
               "  their block or out of time order, whether the audio outputs came back silent.\n"
               "  Positions are bars from 1 (fractions allowed: 2.5 is the middle of bar 2).\n"
               "  --loop 1:4 plays bars 1 to 3 over and over (split exactly at the loop's end);\n"
               "  --locate 3:1.5 jumps, on reaching bar 3, to the middle of bar 1 (at the next\n"
               "  block, as a user's jump lands); give --locate again for more jumps.\n"
               "       quaverlin-host editor [--chunk FILE] [--store N] [--tempo BPM] [--rate HZ]\n"
               "                             [--block FRAMES] [--for SECONDS] [--save-chunk FILE]\n"
               "                             [--refuse-resize] PLUGIN\n"
               "  editor shows the plug-in's editor with the transport running in real time\n"
               "  until the window is closed (or SECONDS have passed); --store N also stores\n"
               "  the starting pattern as pattern N; --save-chunk writes the plug-in's chunk\n"
               "  to FILE once the editor is closed. The window follows the editor's requests\n"
               "  for a new size; --refuse-resize answers them with no.\n"
               "       quaverlin-host screenshot [--chunk FILE] [--store N] [--at-step N [--stop]]\n"
               "                                 [--tempo BPM] [--rate HZ] [--block FRAMES]\n"
               "                                 [--refuse-resize] PLUGIN OUT.png\n"
               "  screenshot writes the editor, as it appears after opening, to OUT.png;\n"
               "  --at-step N takes it while step N (0..31) plays, the playhead on it;\n"
               "  --stop then stops the transport before the picture is taken.\n"
               "       quaverlin-host chunk demo [--straight] FILE\n"
               "       quaverlin-host chunk compare FILE FILE\n"
               "  chunk demo writes the demo pattern as a chunk for --chunk (--straight: no\n"
               "  swing, every note on the grid); chunk compare tells whether two chunks hold\n"
               "  the same patterns, leaving out the marks the plug-in keeps while it plays.\n");
}

}  // namespace

int main(int argc, char** argv) {
  try {
    if (argc == 3 && std::strcmp(argv[1], "info") == 0) return info(argv[2]);
    if (argc >= 3 && std::strcmp(argv[1], "play") == 0) {
      PlayOptions options;
      std::string error;
      if (parsePlayOptions(argc - 2, argv + 2, options, error)) return play(options);
      std::fprintf(stderr, "quaverlin-host: %s\n", error.c_str());
    }
    if (argc >= 3 && std::strcmp(argv[1], "chunk") == 0) {
      const int status = chunkCommand(argc - 2, argv + 2);
      if (status != 2) return status;
    }
    const bool screenshot = argc >= 2 && std::strcmp(argv[1], "screenshot") == 0;
    if (argc >= 3 && (screenshot || std::strcmp(argv[1], "editor") == 0)) {
      EditorOptions options;
      std::string error;
      if (parseEditorOptions(screenshot, argc - 2, argv + 2, options, error))
        return screenshot ? takeScreenshot(options) : runEditor(options);
      std::fprintf(stderr, "quaverlin-host: %s\n", error.c_str());
    }
    usage();
    return 2;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "quaverlin-host: %s\n", error.what());
    return 1;
  }
}
