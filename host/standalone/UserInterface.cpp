#include "host/standalone/UserInterface.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <exception>
#include <thread>

#include "host/EditorSession.h"

namespace {

using Clock = std::chrono::steady_clock;

volatile std::sig_atomic_t interrupted = 0;
void interrupt(int) { interrupted = 1; }

}  // namespace

void savePatterns(StandaloneHost& plugin, PatternStore& store) {
  const std::string error = store.save(plugin.chunk());
  if (error.empty()) std::printf("patterns saved to %s\n", store.path().c_str());
  else std::fprintf(stderr, "quaverlin: %s\n", error.c_str());
  std::fflush(stdout);
}

void runUserInterface(StandaloneHost& plugin, bool withEditor, PatternStore& store,
                      const AudioControls& audio) {
  std::signal(SIGINT, interrupt);
  std::signal(SIGTERM, interrupt);
  auto nextSecond = Clock::now() + std::chrono::seconds(1);
  const auto keepGoing = [&] {
    if (Clock::now() >= nextSecond) {
      nextSecond += std::chrono::seconds(1);
      if (audio.everySecond) audio.everySecond();
    }
    return !interrupted && audio.running();
  };
  if (!withEditor) {
    while (keepGoing()) std::this_thread::sleep_for(std::chrono::milliseconds(20));
    return;
  }
  std::unique_ptr<HostWindow> window;
  try {
    window = HostWindow::create("Quaverlin");
  } catch (const HostError& error) {
    throw HostError(std::string(error.what()) + "; --no-editor runs without a window");
  }
  const auto onKey = [&](TypedKey key) {
    if (key.character == ' ' && !key.control) audio.togglePlaying();
    else if (key.character == 's' && key.control) savePatterns(plugin, store);
  };
  plugin.resizeWindow = [&window](int width, int height) { window->resize(width, height); };
  // However the loop ends, the editor closes before its window goes.
  try {
    openEditor(plugin, *window);
    idleEditor(plugin, *window, keepGoing, onKey);
  } catch (...) {
    plugin.dispatch(effEditClose);
    plugin.resizeWindow = nullptr;
    throw;
  }
  plugin.dispatch(effEditClose);
  plugin.resizeWindow = nullptr;
}

void runSession(StandaloneHost& plugin, bool withEditor, PatternStore& store,
                const AudioControls& audio, const std::function<AudioEnd()>& stopAudio) {
  std::exception_ptr failure;
  try {
    runUserInterface(plugin, withEditor, store, audio);
  } catch (...) {
    failure = std::current_exception();
  }
  const AudioEnd end = stopAudio();
  if (end.lost > 0)
    std::fprintf(stderr, "quaverlin: %zu MIDI events found no room to go out\n", end.lost);
  if (end.moved > 0)
    std::fprintf(stderr, "quaverlin: %zu MIDI events the plug-in timed outside their block went out at its edge\n",
                 end.moved);
  if (store.savesOnExit()) savePatterns(plugin, store);
  else if (!store.path().empty()) std::printf("%s left as it was\n", store.path().c_str());
  plugin.close();
  if (failure) std::rethrow_exception(failure);
}
