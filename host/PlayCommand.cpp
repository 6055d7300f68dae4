#include "host/PlayCommand.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "host/DemoPattern.h"
#include "host/MidiRecording.h"
#include "host/MidiSummary.h"
#include "host/VstHost.h"

namespace {

std::vector<unsigned char> readChunk(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

double quartersOfBar(double bar) { return (bar - 1.0) * 4.0; }

// "3:5.5" as two bars, both 1 or later.
bool parseBarRange(const char* text, BarRange& range) {
  char* end = nullptr;
  range.from = std::strtod(text, &end);
  if (*end != ':') return false;
  const char* second = end + 1;
  range.to = std::strtod(second, &end);
  return end != second && *end == 0 && range.from >= 1 && range.to >= 1 && range.from <= 100000 &&
         range.to <= 100000;
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
    else if (option == "--loop" && hasValue) {
      options.loop = parseBarRange(argv[++i], options.loopBars) && options.loopBars.to > options.loopBars.from;
      if (!options.loop) error = "--loop takes START:END in bars from 1, END after START";
    } else if (option == "--locate" && hasValue) {
      BarRange jump{};
      if (parseBarRange(argv[++i], jump)) options.locates.push_back(jump);
      else error = "--locate takes AT:TO in bars from 1";
    }
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

  if (options.loop) {
    host.transport.loopStart = quartersOfBar(options.loopBars.from);
    host.transport.loopEnd = quartersOfBar(options.loopBars.to);
  }

  // Play the bars, then one standing block for the stop note-offs.
  const double songFrames = options.bars * 4 * 60.0 * options.sampleRate / options.tempo;
  std::vector<bool> located(options.locates.size(), false);
  double played = 0;
  while (played < songFrames) {
    // A user's jump lands between blocks, as it does in hosts.
    for (std::size_t i = 0; i < options.locates.size(); ++i)
      if (!located[i] && host.transport.ppqPos() >= quartersOfBar(options.locates[i].from)) {
        located[i] = true;
        host.transport.locate(quartersOfBar(options.locates[i].to));
      }
    host.processBlock(options.blockSize);
    played += options.blockSize;
  }
  host.transport.playing = false;
  host.processBlock(options.blockSize);
  host.close();

  const std::vector<TimedEvent> events = onTimeline(host.received, host.blocks);
  std::printf("%s: %d bars at %.2f BPM, %.0f Hz, blocks of %d frames, %s\n", options.plugin.c_str(),
              options.bars, options.tempo, options.sampleRate, options.blockSize,
              options.chunkFile.empty() ? "demo pattern" : options.chunkFile.c_str());
  if (options.loop) std::printf("looping bars %g to %g\n", options.loopBars.from, options.loopBars.to);
  for (const BarRange& jump : options.locates) std::printf("at bar %g jumping to bar %g\n", jump.from, jump.to);
  std::fputs(readableList(events).c_str(), stdout);

  const std::vector<std::uint8_t> file = midiFileOf(events, options.tempo, options.sampleRate);
  std::ofstream out(options.output, std::ios::binary);
  out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
  if (!out) throw std::runtime_error("cannot write " + options.output);
  std::printf("%zu events received; written to %s\n", events.size(), options.output.c_str());
  std::fputs(describe(summarize(host.received, host.blocks)).c_str(), stdout);
  return 0;
}
