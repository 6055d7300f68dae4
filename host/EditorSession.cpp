#include "host/EditorSession.h"

#include <algorithm>

void openEditor(PluginHost& plugin, HostWindow& window) {
  if (!(plugin.effect()->flags & effFlagsHasEditor)) throw HostError("the plug-in has no editor");
  plugin.dispatch(effEditOpen, 0, 0, window.handle());
  ERect* rect = nullptr;
  plugin.dispatch(effEditGetRect, 0, 0, &rect);
  if (!rect || rect->right <= rect->left || rect->bottom <= rect->top)
    throw HostError("the editor reports no size");
  window.resize(rect->right - rect->left, rect->bottom - rect->top);
  window.show();
}

void idleEditor(PluginHost& plugin, HostWindow& window, const std::function<bool()>& keepGoing,
                const std::function<void(TypedKey)>& onKey) {
  using Clock = std::chrono::steady_clock;
  auto nextIdle = Clock::now();
  bool open = true;
  while (open && keepGoing()) {
    const auto now = Clock::now();
    if (now >= nextIdle) {
      plugin.dispatch(effEditIdle);
      nextIdle = std::max(nextIdle + kEditorIdlePeriod, now);
    }
    const auto untilIdle = std::chrono::duration_cast<std::chrono::milliseconds>(nextIdle - Clock::now());
    open = window.pump(std::max(untilIdle, std::chrono::milliseconds(0)));
    for (const TypedKey key : window.takeKeys())
      if (onKey) onKey(key);
  }
}
