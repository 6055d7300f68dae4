// quaverlin-host editor / screenshot: the plug-in's editor in a window of
// the host, with the transport running in real time, or written to a PNG.
#pragma once

#include <string>

struct EditorOptions {
  std::string plugin;
  std::string chunkFile;  // empty: the demo pattern
  int storeAs = -1;       // also store the current pattern as this pattern (0..23)
  double tempo = 120.0;
  double sampleRate = 44100.0;
  int blockSize = 512;
  double seconds = 0;     // editor: close by itself after this long; 0 waits for the user
  std::string saveChunk;  // editor: where to write the plug-in's chunk once it is closed
  std::string output;     // screenshot: the PNG to write
  int atStep = -1;        // screenshot: taken while this step (0..31) plays; -1 with the transport standing
  bool thenStop = false;  // screenshot: the transport stops after that step, before the picture
  bool refuseResize = false;  // answer the editor's requests for a new size with no
};

// "editor [options] PLUGIN" or "screenshot [options] PLUGIN OUT.png";
// false with a message on bad input.
bool parseEditorOptions(bool screenshot, int argc, char** argv, EditorOptions& options,
                        std::string& error);

int runEditor(const EditorOptions& options);
int takeScreenshot(const EditorOptions& options);
