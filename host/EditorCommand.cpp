#include "host/EditorCommand.h"

#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <exception>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <thread>

#include "host/DemoPattern.h"
#include "host/EditorSession.h"
#include "host/PngFile.h"
#include "host/VstHost.h"

namespace {

using Clock = std::chrono::steady_clock;
// The sequencer's pattern: 32 sixteenth-note steps.
constexpr int kPatternSteps = 32;
constexpr double kQuartersPerStep = 0.25;

// Ctrl+C or a kill ends the editor as closing its window does.
volatile std::sig_atomic_t interrupted = 0;
void interrupt(int) { interrupted = 1; }

// The audio thread plays blocks at the pace the sample rate sets, from
// construction to destruction.
class AudioLoop {
public:
  AudioLoop(VstHost& host, const EditorOptions& options)
      : thread_([this, &host, block = options.blockSize, rate = options.sampleRate] {
          const auto period = std::chrono::duration_cast<Clock::duration>(
              std::chrono::duration<double>(block / rate));
          auto due = Clock::now();
          while (!stop_) {
            host.processBlock(block);
            due += period;
            std::this_thread::sleep_until(due);
          }
        }) {}
  ~AudioLoop() {
    stop_ = true;
    thread_.join();
  }

private:
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

PatternImage startingPattern(const EditorOptions& options) {
  if (options.chunkFile.empty()) return demoPattern();
  std::ifstream in(options.chunkFile, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + options.chunkFile);
  return PatternImage(std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {}));
}

void loadPattern(VstHost& host, const EditorOptions& options) {
  PatternImage image = startingPattern(options);
  if (options.storeAs >= 0) {
    // What a right click on the pattern's button does: a copy, marked used.
    std::vector<unsigned char>& bytes = image.bytes();
    const auto current = bytes.begin() + PatternImage::kCurrent * PatternImage::kPatternSize;
    std::copy(current, current + PatternImage::kPatternSize,
              bytes.begin() + options.storeAs * PatternImage::kPatternSize);
    image.patternByte(options.storeAs, 1) = 1;
  }
  std::vector<unsigned char>& chunk = image.bytes();
  if (host.dispatch(effSetChunk, 0, static_cast<VstIntPtr>(chunk.size()), chunk.data()) != 1)
    throw std::runtime_error("the plug-in refused the chunk (" + std::to_string(chunk.size()) +
                             " bytes)");
}

// What the user made of the patterns, as a host would keep it in its project.
void saveChunk(VstHost& host, const std::string& path) {
  void* data = nullptr;
  const auto size = host.dispatch(effGetChunk, 0, 0, &data);
  std::ofstream out(path, std::ios::binary);
  if (size <= 0 || !data ||
      !out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size)))
    throw std::runtime_error("cannot save the chunk to " + path);
}

// Opens the editor in the window; later the window follows the editor's
// requests for a new size, unless told to refuse them.
void openResizableEditor(VstHost& host, HostWindow& window, const EditorOptions& options) {
  host.answers.sizeWindow = !options.refuseResize;
  host.resizeWindow = [&window](int width, int height) { window.resize(width, height); };
  openEditor(host, window);
}

}  // namespace

bool parseEditorOptions(bool screenshot, int argc, char** argv, EditorOptions& options,
                        std::string& error) {
  std::vector<std::string> positional;
  for (int i = 0; i < argc && error.empty(); ++i) {
    const std::string option = argv[i];
    const bool hasValue = i + 1 < argc;
    auto number = [&](double low, double high) {
      const double value = std::strtod(argv[++i], nullptr);
      if (!(value >= low && value <= high))
        error = option + " must lie between " + std::to_string(low) + " and " + std::to_string(high);
      return value;
    };
    if (option == "--chunk" && hasValue) options.chunkFile = argv[++i];
    else if (option == "--store" && hasValue) options.storeAs = static_cast<int>(number(0, 23));
    else if (option == "--tempo" && hasValue) options.tempo = number(1, 999);
    else if (option == "--rate" && hasValue) options.sampleRate = number(8000, 384000);
    else if (option == "--block" && hasValue) options.blockSize = static_cast<int>(number(16, 65536));
    else if (option == "--for" && hasValue && !screenshot) options.seconds = number(0.1, 1e6);
    else if (option == "--save-chunk" && hasValue && !screenshot) options.saveChunk = argv[++i];
    else if (option == "--at-step" && hasValue && screenshot) options.atStep = static_cast<int>(number(0, 31));
    else if (option == "--stop" && screenshot) options.thenStop = true;
    else if (option == "--refuse-resize") options.refuseResize = true;
    else if (option.rfind("--", 0) != 0) positional.push_back(option);
    else error = "unknown or incomplete option " + option;
  }
  if (!error.empty()) return false;
  if (positional.size() != (screenshot ? 2u : 1u)) {
    error = screenshot ? "give the plug-in and the PNG to write" : "give the plug-in";
    return false;
  }
  options.plugin = positional[0];
  if (screenshot) options.output = positional[1];
  if (options.thenStop && options.atStep < 0) {
    error = "--stop stops the transport that --at-step starts: give both";
    return false;
  }
  return true;
}

// Idles the editor as hosts do until the time is up, the user closes the
// window or the program is interrupted.
void idleUntilClosed(VstHost& host, HostWindow& window, const EditorOptions& options) {
  std::signal(SIGINT, interrupt);
  std::signal(SIGTERM, interrupt);
  const auto start = Clock::now();
  idleEditor(host, window, [&] {
    return !interrupted && (options.seconds <= 0 ||
                            Clock::now() - start < std::chrono::duration<double>(options.seconds));
  });
}

namespace {

// Plays blocks, as the audio thread would have, from two steps before the
// step until the last block played ends inside it; the picture is then taken
// with no further block, so that step stays the playing one.
void playIntoStep(VstHost& host, const EditorOptions& options) {
  Transport& transport = host.transport;
  const double blockQuarters = options.blockSize / options.sampleRate * options.tempo / 60.0;
  if (blockQuarters > kQuartersPerStep / 2)
    throw std::runtime_error("--at-step needs blocks shorter than half a step at this tempo");
  // In the pattern's second pass, so that even step 0 has steps before it.
  const double stepStart = (kPatternSteps + options.atStep) * kQuartersPerStep;
  transport.playing = true;
  transport.locate(stepStart - 2 * kQuartersPerStep);
  while (transport.ppqPos() < stepStart + kQuartersPerStep / 4) host.processBlock(options.blockSize);
}

}  // namespace

int runEditor(const EditorOptions& options) {
  VstHost host(options.plugin);
  host.start(options.sampleRate, options.blockSize);
  host.transport.tempo = options.tempo;
  loadPattern(host, options);
  std::unique_ptr<HostWindow> window = HostWindow::create("Quaverlin editor");
  // However the run ends, the editor closes before its window goes, and
  // what the user made is saved.
  std::exception_ptr failure;
  try {
    AudioLoop audio(host, options);
    openResizableEditor(host, *window, options);
    idleUntilClosed(host, *window, options);
  } catch (...) {
    failure = std::current_exception();
  }
  host.dispatch(effEditClose);
  host.resizeWindow = nullptr;
  window.reset();
  std::printf("%d blocks played, %zu MIDI events received\n", host.blocksProcessed(),
              host.received.size());
  if (!options.saveChunk.empty()) saveChunk(host, options.saveChunk);
  host.close();
  if (failure) std::rethrow_exception(failure);
  return 0;
}

int takeScreenshot(const EditorOptions& options) {
  VstHost host(options.plugin);
  host.start(options.sampleRate, options.blockSize);
  host.transport.tempo = options.tempo;
  host.transport.playing = false;
  loadPattern(host, options);
  std::unique_ptr<HostWindow> window = HostWindow::create("Quaverlin screenshot");
  openResizableEditor(host, *window, options);
  if (options.atStep >= 0) playIntoStep(host, options);
  if (options.thenStop) {
    host.transport.playing = false;
    host.processBlock(options.blockSize);
  }
  // A few idle rounds: the editor refreshes from the state and the window
  // system catches up with the painting.
  for (int round = 0; round < 10; ++round) {
    host.dispatch(effEditIdle);
    window->pump(kEditorIdlePeriod);
  }
  const Picture picture = window->capture();
  host.dispatch(effEditClose);
  host.resizeWindow = nullptr;
  host.close();
  writePng(options.output, picture);
  std::printf("%dx%d editor written to %s\n", picture.width, picture.height, options.output.c_str());
  return 0;
}
