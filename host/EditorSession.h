// A plug-in's editor in a window of the host's, idled as hosts idle it.
#pragma once

#include <chrono>
#include <functional>

#include "host/HostWindow.h"
#include "host/PluginHost.h"

// Hosts idle their editors at about this rate.
inline constexpr std::chrono::milliseconds kEditorIdlePeriod{33};

// Opens the editor in the window and sizes the window to it, as hosts do:
// the editor's size is known only once it is open. Throws HostError when
// the plug-in has no editor or it reports no size.
void openEditor(PluginHost& plugin, HostWindow& window);

// Idles the editor from this thread, which owns the window, until the user
// closes the window or `keepGoing` answers false (asked between idle calls).
// Keys pressed in the window go to `onKey`.
void idleEditor(PluginHost& plugin, HostWindow& window, const std::function<bool()>& keepGoing,
                const std::function<void(TypedKey)>& onKey = {});
