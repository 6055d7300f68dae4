#include "host/PlayCommand.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "host/DemoPattern.h"
#include "host/MidiRecording.h"
#include "host/VstHost.h"

namespace {

std::vector<unsigned char> readChunk(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

bool parsePlayOptions(int argc, char** argv, PlayOptions& options, std::string& error) {
  for (int i = 0; i < argc; ++i) {
    const std::string option = argv[i];
    const bool hasValue = i + 1 < argc;
    auto number = [&](double low, double high) {
      const double value = std::strtod(argv[++i], nullptr);
      if (!(value >= low && value <= high)) error = option + " must lie between " + std::to_string(low) +
                                                   " and " + std::to_string(high);
      return value;
    };
    if (option == "--tempo" && hasValue) options.tempo = number(1, 999);
    else if (option == "--bars" && hasValue) options.bars = static_cast<int>(number(1, 1000));
    else if (option == "--rate" && hasValue) options.sampleRate = number(8000, 384000);
    else if (option == "--block" && hasValue) options.blockSize = static_cast<int>(number(1, 65536));
    else if (option == "--chunk" && hasValue) options.chunkFile = argv[++i];
    else if (option == "--out" && hasValue) options.output = argv[++i];
    else if (option.rfind("--", 0) != 0 && options.plugin.empty()) options.plugin = option;
    else error = "unknown or incomplete option " + option;
    if (!error.empty()) return false;
  }
  if (options.plugin.empty()) error = "no plug-in given";
  return error.empty();
}

int play(const PlayOptions& options) {
  VstHost host(options.plugin);
  host.start(options.sampleRate, options.blockSize);
  host.transport.tempo = options.tempo;

  std::vector<unsigned char> chunk =
      options.chunkFile.empty() ? demoPattern().bytes() : readChunk(options.chunkFile);
  if (host.dispatch(effSetChunk, 0, static_cast<VstIntPtr>(chunk.size()), chunk.data()) != 1)
    throw std::runtime_error("the plug-in refused the chunk (" + std::to_string(chunk.size()) + " bytes)");

  // Play the bars, then one standing block for the stop note-offs.
  const double songFrames = options.bars * 4 * 60.0 * options.sampleRate / options.tempo;
  std::vector<double> blockStarts;
  while (host.transport.samplePos < songFrames) {
    blockStarts.push_back(host.transport.samplePos);
    host.processBlock(options.blockSize);
  }
  host.transport.playing = false;
  blockStarts.push_back(host.transport.samplePos);
  host.processBlock(options.blockSize);
  host.close();

  const std::vector<TimedEvent> events = onTimeline(host.received, blockStarts);
  std::printf("%s: %d bars at %.2f BPM, %.0f Hz, blocks of %d frames, %s\n", options.plugin.c_str(),
              options.bars, options.tempo, options.sampleRate, options.blockSize,
              options.chunkFile.empty() ? "demo pattern" : options.chunkFile.c_str());
  std::fputs(readableList(events, options.tempo, options.sampleRate).c_str(), stdout);

  const std::vector<std::uint8_t> file = midiFileOf(events, options.tempo, options.sampleRate);
  std::ofstream out(options.output, std::ios::binary);
  out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
  if (!out) throw std::runtime_error("cannot write " + options.output);
  std::printf("%zu events received; written to %s\n", events.size(), options.output.c_str());
  return 0;
}
